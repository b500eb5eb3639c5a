// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

namespace solvara {

// The largest enlargement of the page: four times 643 x 483 is 2572 x 1932 pixels.
constexpr int kLargestDisplayScale = 4;

// How many times the window enlarges the page, each page pixel a square block: the value given
// on the command line, else the environment variable SOLVARA_SCALE, else the desktop's own
// integer scale GDK_SCALE, else 1. A setting that is not a whole number is passed over; one
// outside 1 to 4 is brought to the nearer end.
int chooseDisplayScale(std::optional<int> fromOption);

}  // namespace solvara
