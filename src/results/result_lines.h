// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "solver/figures.h"
#include "values/triangle.h"

namespace solvara {

class Display;

// The texts of the three result lines under the drawing area, of one answer.
struct ResultLines {
    std::string height;
    std::string width;
    std::string area;
};

// An answer's result lines as the results screen shows them and Print sends them: a right
// triangle's height and width are its legs Y and X, an oblique one's the height of the vertex of
// B over side X and the triangle's shadow on that line.
ResultLines resultLines(SolveMode mode, const Triangle& t, const std::string& areaText);

// The figures of the triangle as lines of a page, "Perimeter            = 12.0": each label in a
// column of its own and each value written as the result lines write the height and width.
std::vector<std::string> figureLines(const TriangleFigures& figures);

// The three lines, each a label and its value text drawn as one string over a freshly cleared
// box.
void writeResultLines(Display& display, const ResultLines& lines);

}  // namespace solvara
