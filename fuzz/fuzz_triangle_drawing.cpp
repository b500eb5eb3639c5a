// SPDX-License-Identifier: GPL-2.0-or-later
// The two triangle drawings of the results screen fed arbitrary solved values (NaN, infinities,
// 1e308, denormals, negative values), through a started program on the headless surface and
// through the pure layout functions.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "app/program.h"
#include "platform/window/headless_backend.h"
#include "results/triangle_layout.h"

using namespace solvara;

namespace {

struct StartedProgram {
    HeadlessBackend backend;
    Program program;

    static Environment environment() {
        Environment env;
        env.programDirectory = "/nonexistent";
        env.runCommand = [](const std::string&) { return 0; };
        return env;
    }

    StartedProgram() : program(backend, environment()) {
        Step step = program.startProgram();
        for (int i = 0; i < 1000 && step != Step::MainLoop && step != Step::Exit; ++i)
            step = program.runStep(step);
    }
};

double someValue(FuzzedDataProvider& in) {
    static constexpr double kSpecial[] = {
        std::numeric_limits<double>::quiet_NaN(),
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        1e308,
        -1e308,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::min(),
        -std::numeric_limits<double>::denorm_min(),
        0.0,
        -0.0,
        1e-300,
        1e-9,
        1.0,
        45.0,
        90.0,
        179.99999999,
        180.0,
        360.0,
        -90.0,
        99999999999.0,
    };
    switch (in.ConsumeIntegralInRange<int>(0, 2)) {
        case 0:
            return kSpecial[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kSpecial) - 1)];
        case 1:
            return in.ConsumeFloatingPoint<double>();
        default: {
            // Any bit pattern, signalling NaNs included.
            const auto bits = in.ConsumeIntegral<std::uint64_t>();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return d;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static StartedProgram started;
    FuzzedDataProvider in(data, size);
    Program& program = started.program;
    TriangleValues& v = program.values();

    const bool oblique = in.ConsumeBool();
    v.solveMode = oblique ? SolveMode::Oblique : SolveMode::Right;
    v.x = someValue(in);
    v.y = someValue(in);
    v.z = someValue(in);
    v.a = someValue(in);
    v.b = someValue(in);
    v.c = someValue(in);
    v.alternate.otherAnswerAvailable = in.ConsumeBool();
    v.alternate.otherAnswerShown = in.ConsumeBool();
    v.alternate.x = someValue(in);
    v.alternate.y = someValue(in);
    v.alternate.z = someValue(in);
    v.alternate.a = someValue(in);
    v.alternate.b = someValue(in);
    v.alternate.c = someValue(in);

    if (oblique)
        program.drawObliqueTriangle();
    else
        program.drawRightTriangle();

    // The pure geometry under the drawings.
    const RightLayout right = layOutRightTriangle(v.x, v.y);
    const ObliqueLayout obl = layOutObliqueTriangle(v.x, v.y, v.a, v.b, v.c);
    for (const TriangleVertices& t : {right.vertices, obl.vertices}) {
        for (const auto& [from, to] :
             {std::pair{t.a, t.b}, std::pair{t.b, t.c}, std::pair{t.c, t.a}})
            (void)clipToFrame(Segment{from, to});
        for (const Letter letter :
             {Letter::A, Letter::B, Letter::C, Letter::X, Letter::Y, Letter::Z}) {
            const DrawingKind kind = oblique ? DrawingKind::Oblique : DrawingKind::Right;
            const Figure f = letterFigure(letter, letterAnchor(letter, t, kind), kind);
            for (const Arc& arc : f.arcs)
                (void)arcFitsFrame(arc);
        }
    }
    return 0;
}
