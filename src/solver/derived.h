// SPDX-License-Identifier: GPL-2.0-or-later
// The area with its own exponent, for the figures worked from it; used by the solver alone.
#pragma once

#include "solver/scaled.h"
#include "values/triangle.h"

namespace solvara {

// The area of an answer of that mode before it meets the range of the doubles.
Scaled scaledArea(SolveMode mode, const Triangle& t);

}  // namespace solvara
