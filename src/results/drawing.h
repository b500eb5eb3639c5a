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
// The height and width texts of an answer as the result lines show them and Print sends them.
ResultTexts heightAndWidthTexts(SolveMode mode, const Triangle& t);
// An oblique triangle to scale in the drawing frame, and the result lines with its height and
// width and the given area text. Returns the height and width texts it wrote.
ResultTexts drawObliqueTriangle(Display& display, const Triangle& t, const std::string& areaText);

}  // namespace solvara
