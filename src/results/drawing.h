// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "values/triangle_values.h"

namespace solvara {

class Display;

// A right triangle to scale in the drawing frame, its legs as height and width (the record's
// texts of Y and X), and the result lines.
void drawRightTriangle(Display& display, TriangleValues& v);

struct ResultTexts {
    std::string height;
    std::string width;
};
// An oblique triangle to scale in the drawing frame, and the result lines with its height and
// width and the given area text. Returns the height and width texts it wrote.
ResultTexts drawObliqueTriangle(Display& display, const Triangle& t, const std::string& areaText);

}  // namespace solvara
