// SPDX-License-Identifier: GPL-2.0-or-later
// The figures of a solved triangle beyond its sides and angles: the perimeter, the heights, the
// medians, the angle bisectors and the two radii, and their names. Used by the solver's solution
// check and by every output that lists them.
#pragma once

#include <array>
#include <cstddef>

#include "values/triangle.h"

namespace solvara {

// The figures in the order every output lists them.
enum class TriangleFigure : int {
    Perimeter,
    HeightOntoX,
    HeightOntoY,
    HeightOntoZ,
    MedianToX,
    MedianToY,
    MedianToZ,
    BisectorOfA,
    BisectorOfB,
    BisectorOfC,
    Inradius,
    Circumradius,
};
inline constexpr std::size_t kFigureCount = 12;

struct FigureName {
    const char* label;   // "Height onto X": what a page or the window writes before the value
    const char* key;     // "height_x": a name without blanks, for data such as JSON
    const char* phrase;  // "height onto X": the figure in a sentence
};

// Heights and medians belong to a side: the height onto X is dropped from the vertex of B, the
// median to X runs from there to the middle of X. A bisector belongs to an angle and ends on the
// side opposite it: that of A on Y, that of B on X, that of C on Z.
inline constexpr std::array<FigureName, kFigureCount> kFigureNames{{
    {"Perimeter", "perimeter", "perimeter"},
    {"Height onto X", "height_x", "height onto X"},
    {"Height onto Y", "height_y", "height onto Y"},
    {"Height onto Z", "height_z", "height onto Z"},
    {"Median to X", "median_x", "median to X"},
    {"Median to Y", "median_y", "median to Y"},
    {"Median to Z", "median_z", "median to Z"},
    {"Bisector of A", "bisector_a", "bisector of A"},
    {"Bisector of B", "bisector_b", "bisector of B"},
    {"Bisector of C", "bisector_c", "bisector of C"},
    {"Inradius", "inradius", "inradius"},
    {"Circumradius", "circumradius", "circumradius"},
}};

struct TriangleFigures {
    std::array<double, kFigureCount> values{};

    double operator[](TriangleFigure f) const { return values[static_cast<std::size_t>(f)]; }
};

// The figures of an answer of that mode. Each is worked so that it is as exact as the answer's
// sides and angles allow, needles and caps too, and none passes beyond the range of the doubles
// on the way where it does not itself lie beyond it. A right triangle's heights onto its legs
// are the other legs, and its circumradius is half the hypotenuse, exactly.
TriangleFigures figuresOf(SolveMode mode, const Triangle& t);

}  // namespace solvara
