// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace solvara {

class Display;

// The three result lines under the drawing area: height, width and area, each a label and its
// value text drawn as one string over a freshly cleared box.
void writeResultLines(Display& display, const std::string& heightText, const std::string& widthText,
                      const std::string& areaText);

}  // namespace solvara
