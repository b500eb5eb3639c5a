// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/result_lines.h"

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "results/results_screen.h"
#include "solver/solver.h"
#include "values/values_panel.h"

namespace solvara {

ResultLines resultLines(SolveMode mode, const Triangle& t, const std::string& areaText) {
    const HeightAndWidth hw = heightAndWidth(mode, t);
    return ResultLines{formatMaskedToFit(hw.height, kMask8, panel::kValueFieldWidth),
                       formatMaskedToFit(hw.width, kMask8, panel::kValueFieldWidth), areaText};
}

std::vector<std::string> figureLines(const TriangleFigures& figures) {
    constexpr std::size_t kLabelWidth = 21;
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < kFigureCount; ++i) {
        std::string line = kFigureNames[i].label;
        line.resize(kLabelWidth, ' ');
        line += "= ";
        line += formatMaskedToFit(figures.values[i], kMask8, panel::kValueFieldWidth);
        lines.push_back(std::move(line));
    }
    return lines;
}

void writeResultLines(Display& display, const ResultLines& lines) {
    display.fillBox(results_layout::kResultLinesBox, kBackground);
    display.drawText(45, 250, "Triangle Height  = " + lines.height, results_layout::kText);
    display.drawText(45, 265, "Triangle Width   = " + lines.width, results_layout::kText);
    display.drawText(45, 280, "Area of Triangle = " + lines.area, results_layout::kText);
}

}  // namespace solvara
