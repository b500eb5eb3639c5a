// SPDX-License-Identifier: GPL-2.0-or-later
// The two triangle drawings of the results screen fed arbitrary solved values (NaN, infinities,
// 1e308, denormals, negative values), through a started program on the null backend and
// through the pure layout functions.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "app/program.h"
#include "platform/window/null_backend.h"
#include "results/drawing.h"
#include "results/triangle_layout.h"

using namespace solvara;

namespace {

struct StartedProgram {
    NullBackend backend;
    Environment environment = nowhere();
    Program program{backend, environment};

    static Environment nowhere() {
        Environment env;
        env.programDirectory = "/nonexistent";
        env.runCommand = [](const std::string&) { return 0; };
        return env;
    }

    StartedProgram() {
        Next next = program.startProgram();
        for (int i = 0; i < 1000 && next != Step::MainLoop && next != Step::Exit; ++i)
            next = program.runStep(next);
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
    Triangle& t = v.triangle;
    t = Triangle{someValue(in), someValue(in), someValue(in),
                 someValue(in), someValue(in), someValue(in)};
    const Triangle second{someValue(in), someValue(in), someValue(in),
                          someValue(in), someValue(in), someValue(in)};

    Display& display = program.display();
    const ResultLines lines{"1.0", "2.0", "3.0"};
    if (oblique) {
        drawObliqueTriangle(display, in.ConsumeBool() ? second : t, lines);
    } else {
        drawRightTriangle(display, t, lines);
    }

    // The pure geometry under the drawings.
    const RightLayout right = layOutRightTriangle(t.x, t.y);
    const ObliqueLayout obl = layOutObliqueTriangle(t.x, t.y, t.a, t.b, t.c);
    for (const TriangleVertices& corners : {right.vertices, obl.vertices}) {
        for (const Letter letter :
             {Letter::A, Letter::B, Letter::C, Letter::X, Letter::Y, Letter::Z}) {
            const DrawingKind kind = oblique ? DrawingKind::Oblique : DrawingKind::Right;
            const Figure f = letterFigure(letter, letterAnchor(letter, corners, kind), kind);
            for (const Arc& arc : f.arcs)
                (void)arcFitsFrame(arc);
        }
    }
    return 0;
}
