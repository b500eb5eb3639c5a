// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/figures_page.h"

#include <array>
#include <string>

#include "app/help.h"
#include "app/main_screen.h"
#include "platform/display/display.h"
#include "results/result_lines.h"
#include "solver/figures.h"

namespace solvara {

namespace {

constexpr int kTitleRow = 2;
constexpr int kCaseRow = 4;
constexpr int kColumn = 5;
// The rows of the twelve figures, a blank row between the perimeter, the heights, the medians,
// the bisectors and the radii.
constexpr std::array<int, kFigureCount> kFigureRows{7, 9, 10, 11, 13, 14, 15, 17, 18, 19, 21, 22};

std::string title(const AnswerOnScreen& answer) {
    std::string text = "Figures of the triangle";
    if (answer.answers == 2)
        text += answer.number == 1 ? ", first answer of two" : ", second answer of two";
    return text;
}

void drawFiguresPage(Display& d, const AnswerOnScreen& answer) {
    d.setPages(1, 1);
    d.clear();
    d.setTextGrid(80, 30);
    d.setTextViewport(1, 30);
    drawWindowFrame(d);
    drawBackButton(d);

    d.printAt(kTitleRow, kColumn, title(answer), {Colour::Blue});
    d.printAt(kCaseRow, kColumn, std::string("Case: ") + caseName(answer.solvedBy));
    const std::vector<std::string> lines = figureLines(figuresOf(answer.mode, answer.triangle));
    for (std::size_t i = 0; i < kFigureCount; ++i)
        d.printAt(kFigureRows[i], kColumn, lines[i]);
}

}  // namespace

void showFigures(Display& display, InputDevices& input, Placement& placement,
                 const AnswerOnScreen& answer) {
    drawFiguresPage(display, answer);
    waitForBack(display, input, placement);
}

}  // namespace solvara
