// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "solver/solver.h"
#include "values/triangle.h"

namespace solvara {

// How an answer was found, written out as a student writes it: a line with the case's name, then
// each formula in the order the solver works, with the numbers put in and its result. Where the
// solver works a numerically careful equivalent, the textbook form comes first and a "computed
// as" line after it. With two answers, a line tells why there are two, and each answer's own
// steps follow. The given and computed figures are written with the digits the printed page
// shows, but as 3 rather than 3.0 and 0.5 rather than .5 (below 0.00001, where the page keeps few
// of their digits, with ten significant digits); sines, cosines and quotients with ten
// significant digits. `first` and `second` are the answers of that case; nothing when the case is
// None.
std::vector<std::string> explanationLines(const SolvedCase& solvedBy, const Triangle& first,
                                          const Triangle* second);

}  // namespace solvara
