// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace solvara {

// The largest enlargement of the page: four times 643 x 483 is 2572 x 1932 pixels.
constexpr int kLargestDisplayScale = 4;

// How many times the window is asked to enlarge the page, each page pixel a square block, before
// anything is known of the monitor: the value given on the command line, else the environment
// variable SOLVARA_SCALE, else the desktop's own integer scale GDK_SCALE. A setting that is not a
// whole number is passed over; one outside 1 to 4 is brought to the nearer end.
struct ScaleRequest {
    // Nothing when none of them is set: the desktop's X resources then decide, else 1.
    std::optional<int> scale;
    // Asked for by the user on the command line, who is told when it cannot be had.
    bool fromCommandLine = false;
};
ScaleRequest requestDisplayScale(std::optional<int> fromOption);

// The desktop's scale as its X resources say it: Xft.dpi over 96 dots per inch, rounded, and
// brought into 1 to 4 as above. Desktops that scale their own programs by a whole number set
// only this for the others. Nothing when the resources hold no Xft.dpi that is a positive number.
std::optional<int> scaleOfResources(std::string_view resources);

}  // namespace solvara
