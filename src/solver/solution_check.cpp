// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>
#include <limits>
#include <utility>

#include "solver/figures.h"
#include "solver/solver.h"

namespace solvara {

namespace {
// The angles of a solved triangle add up to 180 by construction; only a total beyond rounding
// is worth a notice.
constexpr double kAngleTotalNoticeAbove = 180.00001;
}  // namespace

bool representable(double figure) {
    return std::isnormal(figure) && figure > 0;
}

SolutionCheck checkSolution(SolveMode mode, const Triangle& t) {
    SolutionCheck check;
    // A triangle first: sides and angles above zero (NaN fails the comparison), angles below 180.
    for (const double value : {t.x, t.y, t.z, t.a, t.b, t.c}) {
        if (!(value > 0)) return check;
    }
    if (t.a >= 180 || t.b >= 180 || t.c >= 180) return check;

    // Then one that can be shown. A new figure on the results joins this list, or those of
    // figuresOf.
    const HeightAndWidth hw = heightAndWidth(mode, t);
    const std::pair<const char*, double> shown[] = {{"X", t.x},
                                                    {"Y", t.y},
                                                    {"Z", t.z},
                                                    {"A", t.a},
                                                    {"B", t.b},
                                                    {"C", t.c},
                                                    {"area", triangleArea(mode, t)},
                                                    {"height", hw.height},
                                                    {"width", hw.width}};
    auto outOfRange = [&check](const char* figure, double value) {
        if (representable(value)) return false;
        if (std::isinf(value) || std::fabs(value) < std::numeric_limits<double>::min())
            check.outOfRange = OutOfRange{figure, std::isinf(value)};
        return true;
    };
    for (const auto& [figure, value] : shown) {
        if (outOfRange(figure, value)) return check;
    }
    check.figures = figuresOf(mode, t);
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        if (outOfRange(kFigureNames[i].phrase, check.figures.values[i])) return check;
    }

    const double total = t.b + t.a + t.c;
    if (total > kAngleTotalNoticeAbove) check.angleTotalNotice = total;
    check.accepted = true;
    return check;
}

}  // namespace solvara
