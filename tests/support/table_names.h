// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <limits>

#include "platform/display/colour.h"
#include "values/triangle.h"

// Short names the tests' tables are written with, defined once for every test file: the test
// programs are compiled a batch of files at a time, so two files cannot each define their own.
namespace solvara::testing {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
inline constexpr double kInf = std::numeric_limits<double>::infinity();

// The two modes, in tables of cases.
inline constexpr SolveMode R = SolveMode::Right;
inline constexpr SolveMode O = SolveMode::Oblique;

// The palette indices of the screens' black and green.
inline constexpr int kBlack = paletteIndex(Colour::Black);
inline constexpr int kGreen = paletteIndex(Colour::Green);

}  // namespace solvara::testing
