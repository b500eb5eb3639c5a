// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/solver.h"

namespace solvara {

namespace {
// The angles of a solved triangle add up to 180 by construction; only a total beyond rounding
// is worth a notice.
constexpr double kAngleTotalNoticeAbove = 180.00001;

// Sides and angles of a triangle are finite and above zero; NaN fails the comparison.
bool positiveAndFinite(double value) {
    return value > 0 && std::isfinite(value);
}
}  // namespace

SolutionCheck checkSolution(const TriangleValues& v) {
    SolutionCheck check;
    for (const double value : {v.x, v.y, v.z, v.a, v.b, v.c}) {
        if (!positiveAndFinite(value)) return check;
    }
    if (v.a >= 180 || v.b >= 180 || v.c >= 180) return check;

    const double total = v.b + v.a + v.c;
    if (total > kAngleTotalNoticeAbove) check.angleTotalNotice = total;

    const bool second = v.solveMode == SolveMode::Oblique && v.alternate.otherAnswerAvailable &&
                        v.alternate.otherAnswerShown;
    check.verdict = second ? Verdict::ShowSecondAnswer : Verdict::ShowFirstAnswer;
    return check;
}

}  // namespace solvara
