// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "results/result_lines.h"
#include "values/triangle.h"

namespace solvara {

class Display;

// A right triangle to scale in the drawing frame, over its result lines.
void drawRightTriangle(Display& display, const Triangle& t, const ResultLines& lines);

// An oblique triangle to scale in the drawing frame, and then its result lines, whose box takes
// back the frame's first column beside them.
void drawObliqueTriangle(Display& display, const Triangle& t, const ResultLines& lines);

}  // namespace solvara
