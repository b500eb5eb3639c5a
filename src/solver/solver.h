// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>

#include "values/triangle_values.h"

namespace solvara {

// The solver core: pure functions on the record. They never draw and never wait.
enum class SolveOutcome { Solved, NoCaseApplies };

// Fills in the missing sides and angles from the two marked inputs; clears editBlocked.
SolveOutcome solveRight(TriangleValues& v);

// Fills in the missing sides and angles from three marked inputs, and the second triangle of a
// side-side-angle input in v.alternate (otherAnswerAvailable says whether it was accepted);
// clears otherAnswerAvailable and editBlocked first.
SolveOutcome solveOblique(TriangleValues& v);

enum class Verdict { Rejected, ShowFirstAnswer, ShowSecondAnswer };

struct SolutionCheck {
    Verdict verdict = Verdict::Rejected;
    // The total B + A + C when it exceeds 180.00001 (a notice only).
    std::optional<double> angleTotalNotice;
};

// Accepts six positive values with every angle below 180, and says which answer to show.
SolutionCheck checkSolution(const TriangleValues& v);

// The triangle's area, height over side X and width along it.
double rightTriangleArea(double x, double y);
double obliqueTriangleArea(double x, double z, double a);

struct HeightAndWidth {
    double height = 0;
    double width = 0;
};
// Height of the vertex of B over side X, and the triangle's shadow on the line of X.
HeightAndWidth obliqueHeightAndWidth(double x, double y, double c);

}  // namespace solvara
