// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/result_lines.h"

#include "platform/display/display.h"
#include "results/results_screen.h"

namespace solvara {

void writeResultLines(Display& display, const std::string& heightText, const std::string& widthText,
                      const std::string& areaText) {
    display.box(results_layout::kResultLinesBox, kBackground, Shape::FilledBox);
    display.drawText(45, 250, "Triangle Height  = " + heightText);
    display.drawText(45, 265, "Triangle Width   = " + widthText);
    display.drawText(45, 280, "Area of Triangle = " + areaText);
}

}  // namespace solvara
