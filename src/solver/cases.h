// SPDX-License-Identifier: GPL-2.0-or-later
// The two case tables behind solve(); used by the solver alone.
#pragma once

#include <optional>

#include "values/triangle.h"

namespace solvara {

// Each fills in `t` by the first case whose inputs are all marked and given; false when no case
// applies (and `t` is untouched). Impossible inputs give NaN, zero or negative values, which the
// solution check rejects.
bool solveRightCases(Triangle& t, const Marks& marks);
// Also the second triangle of a side-side-angle input, when it is a triangle in its own right and
// not the first one again.
bool solveObliqueCases(Triangle& t, const Marks& marks, std::optional<Triangle>& second);

}  // namespace solvara
