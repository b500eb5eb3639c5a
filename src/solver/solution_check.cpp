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

SolutionCheck checkSolution(const Triangle& t) {
    SolutionCheck check;
    for (const double value : {t.x, t.y, t.z, t.a, t.b, t.c}) {
        if (!positiveAndFinite(value)) return check;
    }
    if (t.a >= 180 || t.b >= 180 || t.c >= 180) return check;

    const double total = t.b + t.a + t.c;
    if (total > kAngleTotalNoticeAbove) check.angleTotalNotice = total;
    check.accepted = true;
    return check;
}

}  // namespace solvara
