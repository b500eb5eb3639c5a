// SPDX-License-Identifier: GPL-2.0-or-later
// The solver room: a triangle and its marked inputs in, an outcome out. It never draws, never
// waits and knows nothing of screens.
#pragma once

#include <optional>

#include "solver/figures.h"
#include "values/triangle.h"

namespace solvara {

// A figure of an answer that lies beyond the range of the doubles: above the largest (infinite)
// or below the smallest normal one (0, or a denormal that has lost digits).
struct OutOfRange {
    const char* figure = "";  // "X" ... "C", "area", "height", "width", "perimeter", ...
    bool tooLarge = false;
};

// The kinds of input a case of either mode's table works from. Each has one name, which every
// place that tells the user how a triangle was solved shows.
enum class CaseKind {
    None,  // no case applied
    // Oblique triangles.
    ThreeSides,
    TwoSidesAndTheAngleBetween,
    TwoSidesAndAnAngleOpposite,
    TwoAnglesAndASide,
    // Right triangles.
    TwoLegs,
    HypotenuseAndALeg,
    HypotenuseAndAnAngle,
    ALegAndAnAngle,
};

// "three sides: law of cosines": the inputs, then the rules that solve them. Empty for None.
const char* caseName(CaseKind kind);

// The case that solved a triangle: its kind and the inputs it worked from. Other inputs that were
// given were overwritten with what the case computed.
struct SolvedCase {
    CaseKind kind = CaseKind::None;
    Marks inputs;
    friend bool operator==(const SolvedCase&, const SolvedCase&) = default;
};

struct SolveOutcome {
    enum class Kind {
        Solved,      // `first` is a triangle that can be shown
        NoCase,      // the marked inputs fit no case: nothing was solved
        CannotDoIt,  // the inputs describe no triangle; `first` holds what the formulas gave
    };
    Kind kind = Kind::NoCase;
    // The case that applied, also when the inputs describe no triangle; None with NoCase.
    SolvedCase solvedBy;
    // The given triangle with the missing numbers filled in.
    Triangle first;
    // The second triangle of a side-side-angle input, when it is a triangle in its own right.
    // It is offered whatever becomes of the first.
    std::optional<Triangle> second;
    // The figures of the triangle of a solved `first` and of `second`, as the check found them.
    TriangleFigures firstFigures;
    TriangleFigures secondFigures;
    // The total of the first answer's angles when it exceeds 180.00001 (a notice only).
    std::optional<double> angleTotalNotice;
    // Why the first answer, a triangle, cannot be shown: a figure out of range.
    std::optional<OutOfRange> outOfRange;
};

// Fills in the missing sides and angles from the marked inputs: two of X, Y, Z, A, B for a right
// triangle (C is the right angle), three of the six for an oblique one. The first case in the
// mode's order whose inputs are all given decides; other inputs are overwritten. A second answer
// is one only when the solution check accepts it too.
SolveOutcome solve(SolveMode mode, const Triangle& given, const Marks& marks);

struct SolutionCheck {
    bool accepted = false;
    TriangleFigures figures;  // of an accepted answer
    std::optional<double> angleTotalNotice;
    std::optional<OutOfRange> outOfRange;  // set when that is why it is not accepted
};

// Whether a figure an answer shows can be shown: a normal double above zero. Beyond the largest
// double it would be infinite, and below the smallest normal one 0 or a denormal with fewer
// digits than the figures around it, so either way it is no answer, as a side or an angle of 0
// is none. Every figure an answer shows goes through this one test.
bool representable(double figure);

// Accepts an answer of that mode whose six values are above zero, with every angle below 180,
// when every figure it shows is representable: the six, the area, the height and the width, and
// the figures of figures.h.
SolutionCheck checkSolution(SolveMode mode, const Triangle& t);

// The triangle's area, height over side X and width along it.
double rightTriangleArea(double x, double y);
double obliqueTriangleArea(const Triangle& t);

struct HeightAndWidth {
    double height = 0;
    double width = 0;
};
// Height of the vertex of B over side X, and the triangle's shadow on the line of X.
HeightAndWidth obliqueHeightAndWidth(const Triangle& t);

// The area, height and width of an answer of that mode; a right triangle's height and width are
// its legs Y and X.
double triangleArea(SolveMode mode, const Triangle& t);
HeightAndWidth heightAndWidth(SolveMode mode, const Triangle& t);

}  // namespace solvara
