// SPDX-License-Identifier: GPL-2.0-or-later
// The two case tables behind solve(); used by the solver alone.
#pragma once

#include <optional>
#include <string_view>

#include "solver/solver.h"
#include "values/triangle.h"

namespace solvara {

// Each fills in `t` by the first case whose inputs are all marked and given and tells which case
// that was; kind None when no case applies (and `t` is untouched). Impossible inputs give NaN,
// zero or negative values, which the solution check rejects.
SolvedCase solveRightCases(Triangle& t, const Marks& marks);
// Also the second triangle of a side-side-angle input, when it is a triangle in its own right and
// not the first one again.
SolvedCase solveObliqueCases(Triangle& t, const Marks& marks, std::optional<Triangle>& second);

// The marks of the letters in "xya", for the case tables.
constexpr Marks marksOf(std::string_view letters) {
    Marks m;
    for (const char l : letters) {
        m.x = m.x || l == 'x';
        m.y = m.y || l == 'y';
        m.z = m.z || l == 'z';
        m.a = m.a || l == 'a';
        m.b = m.b || l == 'b';
        m.c = m.c || l == 'c';
    }
    return m;
}

// Whether every entry marked in `needed` is marked in `given`.
constexpr bool covers(const Marks& given, const Marks& needed) {
    return (given.x || !needed.x) && (given.y || !needed.y) && (given.z || !needed.z) &&
           (given.a || !needed.a) && (given.b || !needed.b) && (given.c || !needed.c);
}

}  // namespace solvara
