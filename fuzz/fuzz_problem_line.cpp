// SPDX-License-Identifier: GPL-2.0-or-later
// A problem line read and solved, and all of the input through `solve --json -`: a problem read
// has the inputs of its kind, a solved answer has finite positive sides and an explanation that
// names its case and works with numbers, and every line written is JSON.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "app/problem.h"
#include "app/solve_command.h"
#include "results/explanation.h"

using namespace solvara;

namespace {

void fail(const char* what, std::string_view line) {
    std::fprintf(stderr, "fuzz_problem_line: %s: %s\n", what, shownWord(line).c_str());
    std::abort();
}

void checkAnswer(const ProblemAnswer& answer, std::string_view line) {
    const Triangle& t = answer.triangle;
    for (const double side : {t.x, t.y, t.z})
        if (!(side > 0) || !std::isfinite(side)) fail("a side that is no length", line);
    for (const double angle : {t.a, t.b, t.c})
        if (!(angle > 0 && angle < 180)) fail("an angle out of range", line);
    if (!std::isfinite(answer.area) || !std::isfinite(answer.heightAndWidth.height) ||
        !std::isfinite(answer.heightAndWidth.width))
        fail("an area, height or width that is not finite", line);
    for (const double figure : answer.figures.values)
        if (!representable(figure)) fail("a figure of the triangle out of range", line);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const std::string_view line = input.substr(0, input.find('\n'));
    const ProblemReading reading = readProblemLine(line);
    if (reading.error.empty()) {
        const Problem& p = reading.problem;
        if (p.count != (p.mode == SolveMode::Right ? 2 : 3)) fail("inputs miscounted", line);
        const ProblemOutcome outcome = solveProblem(p);
        if (outcome.status == 0) {
            checkAnswer(outcome.first, line);
            if (outcome.second) checkAnswer(*outcome.second, line);
            const std::vector<std::string> steps =
                explanationLines(outcome.solvedBy, outcome.first.triangle,
                                 outcome.second ? &outcome.second->triangle : nullptr);
            if (steps.empty() || !steps.front().starts_with("Case: "))
                fail("an answer without its case", line);
            for (const std::string& step : steps)
                if (step.find("nan") != std::string::npos)
                    fail("a step that is not a number", line);
        } else if (outcome.error.empty()) {
            fail("a failure without its reason", line);
        }
    }

    std::string_view unread = input;
    std::string written;
    ByteStreams streams;
    streams.read = [&](char* buffer, std::size_t room) {
        const std::size_t n = std::min(room, unread.size());
        std::memcpy(buffer, unread.data(), n);
        unread.remove_prefix(n);
        return n;
    };
    streams.write = [&](std::string_view text) {
        written += text;
        return true;
    };
    streams.error = [](std::string_view) {};
    const int status = runSolveCommand(SolveRequest{.words = {"-"}, .json = true}, streams);
    if (status < 0 || status > 2) fail("an exit status out of range", line);
    for (std::size_t at = 0; at < written.size();) {
        const std::size_t end = written.find('\n', at);
        if (end == std::string::npos) fail("output without its line end", written);
        const std::string_view object(written.data() + at, end - at);
        if (nlohmann::json::parse(object, nullptr, false).is_discarded())
            fail("output that is not JSON", object);
        at = end + 1;
    }
    return 0;
}
