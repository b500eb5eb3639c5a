// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/main_screen.h"

#include <array>
#include <string>

#include "app/main_layout.h"
#include "app/version.h"
#include "platform/display/display.h"
#include "platform/window/input_devices.h"
#include "results/results_screen.h"

namespace solvara {

namespace {

using enum Colour;
using namespace main_layout;

// Five lines of instructions per mode, at column 8 of rows 6 to 10. Their trailing blanks paint
// over what the other mode's longer lines left.
constexpr std::array<const char*, 5> kRightInstructions = {
    "Enter two values to find the  ",
    "remaining values of a 90 degree  ",
    "triangle. Select the X, Y, Z, or  ",
    "angle, then type the value and  ",
    "press ENTER.  ",
};
constexpr std::array<const char*, 5> kObliqueInstructions = {
    "Enter three values to find the  ",
    "remaining values of an OBLIQUE  ",
    "triangle. Select the X, Y, Z, or  ",
    "angles, then type the value and  ",
    "press ENTER.",
};

// The product line at the bottom: texts of at most 24, 22 and 20 characters at columns 11, 36
// and 59.
const std::string kBottomLines[3] = {"Plane triangle solver", "Press H for help",
                                     std::string("Version ") + kVersion};
// What a results screen may have left on row 29, wiped from column 39.
constexpr int kResultsWipeRow = 29;
constexpr int kResultsWipeColumn = 39;
constexpr int kResultsWipeWidth = 37;
// The drawn screen stands before the other-answer control is added.
constexpr int kAfterScreenMs = 50;

}  // namespace

void drawExplanatoryTriangle(Display& d) {
    d.line(70, 401, 200, 401, std::nullopt, Shape::Segment);
    d.line(85, 302, 85, 417, std::nullopt, Shape::Segment);
    d.line(185, 401, 185, 417, std::nullopt, Shape::Segment);
    d.line(85, 302, 70, 302, std::nullopt, Shape::Segment);
    // The angle A mark: an arc with the radius line to its end (the negative end angle).
    d.circle(85, 401, 71, std::nullopt, 0, -0.78555);
    d.line(145, 366, 160, 386, kBackground, Shape::FilledBox);
    // The triangle itself, right angle at (185, 401).
    d.line(85, 401, 185, 301, Green, Shape::Segment);
    d.line(185, 401, 185, 302, Green, Shape::Segment);
    d.line(85, 401, 185, 401, Green, Shape::Segment);
    const struct {
        int row, column;
        const char* text;
    } labels[] = {{27, 18, "X"},     {23, 9, "Y"},      {22, 16, "Z"},
                  {24, 18, "A ang"}, {20, 26, "B ang"}, {25, 26, "C ang"}};
    for (const auto& label : labels) {
        d.locate(label.row, label.column);
        d.print(label.text, false);
    }
}

namespace {

void printAt(Display& d, int row, int column, std::string_view text, bool lineBreak) {
    d.locate(row, column);
    d.print(text, lineBreak);
}

// The cyan and blue rules under the title bar and the window frame.
void drawFrame(Display& d) {
    d.line(2, 16, 639, 16, Cyan, Shape::Segment);
    d.line(2, 17, 639, 17, Blue, Shape::Segment);
    drawWindowFrame(d);
}

}  // namespace

void drawWindowFrame(Display& d) {
    // The outermost box runs along the surface's last column and row (642, 482).
    d.line(2, 2, 640, 480, Blue, Shape::Box);
    d.line(1, 1, 641, 481, Cyan, Shape::Box);
    d.line(0, 0, 642, 482, Cyan, Shape::Box);
}

void drawMainScreen(Display& d, InputDevices& input, SolveMode mode, bool otherAnswerOnOffer) {
    const Colour bg = kBackground;
    d.lock();
    d.setColors(Black, bg);

    drawExplanatoryTriangle(d);

    d.setColors(DarkGrey, bg);
    printAt(d, 30, 3, "Solvara", false);
    printAt(d, 30, 11, kBottomLines[0], false);
    printAt(d, 30, 36, kBottomLines[1], false);
    printAt(d, 30, 59, kBottomLines[2], false);

    d.setColors(Black, bg);
    printAt(d, 13, 8, "EXIT    CLEAR    RIGHT    OBLIQUE", true);
    printAt(d, 15, 8, "HELP", true);
    for (const Rect& button :
         {kExitButton, kClearButton, kRightButton, kObliqueButton, kHelpButton})
        d.box(button, std::nullopt);

    // EDIT is grey here: it only acts on the results screen.
    d.setColors(LightGrey, bg);
    printAt(d, results_layout::kEditRow, results_layout::kEditColumn, "EDIT", true);
    d.box(results_layout::kEditButton, std::nullopt);

    // The placement widget: the centre and four corners of a 3 x 3 grid of 8-pixel squares.
    for (const WidgetSquare& square : kPlacementWidget) {
        d.box(square.box, White, Shape::FilledBox);
        d.box(square.box, LightBlue);
    }

    // The title bar with its close blocks.
    d.setColors(LightBlue, LightGrey);
    printAt(d, kTitleRow, 1, std::string(kLastColumn, ' '), false);
    d.setColors(LightGrey, Brown);
    printAt(d, 1, 72, "      ", false);
    d.setColors(White, Red);
    printAt(d, 1, 78, "   ", false);
    d.drawText(570, 3, " Exit ");
    d.drawText(616, 3, " X ");
    d.setColors(Brown, LightGrey);
    d.drawText(7, 3, "SOLVARA");

    drawFrame(d);

    d.setColors(Black, bg);
    printAt(d, 4, 8, "Select a Right or Oblique Triangle.", true);

    // Wipe what a results screen may have left.
    d.setColors(Black, bg);
    printAt(d, kResultsWipeRow, kResultsWipeColumn, std::string(kResultsWipeWidth, ' '), false);
    d.box(results_layout::kPrintButton, bg, Shape::FilledBox);
    d.setColors(bg, bg);
    printAt(d, results_layout::kOtherAnswerRow, results_layout::kOtherAnswerColumn,
            std::string(results_layout::kOtherAnswerWipeWidth, ' '), false);
    d.box(results_layout::kOtherAnswerBox, bg, Shape::FilledBox);
    d.box(results_layout::kResultLinesBox, bg, Shape::FilledBox);
    d.box(results_layout::kDrawingBox, bg, Shape::FilledBox);

    // The active mode's button in brown with its instructions, the other one in black.
    const bool right = mode == SolveMode::Right;
    const auto& instructions = right ? kRightInstructions : kObliqueInstructions;
    auto drawButton = [&](bool isRight) {
        if (isRight) {
            d.box(kRightButton, std::nullopt);
            printAt(d, 13, 25, "RIGHT", true);
        } else {
            d.box(kObliqueButton, std::nullopt);
            printAt(d, 13, 34, "OBLIQUE", true);
        }
    };
    d.setColors(kActiveMode, bg);
    drawButton(right);
    for (int i = 0; i < 5; ++i)
        printAt(d, 6 + i, 8, instructions[i], true);
    d.setColors(Black, bg);
    drawButton(!right);

    drawFrame(d);
    d.unlock();
    input.pause(kAfterScreenMs);

    if (otherAnswerOnOffer) drawOtherAnswerControl(d);
    d.setColors(Black, bg);
}

}  // namespace solvara
