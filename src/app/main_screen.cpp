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
    d.segment(70, 401, 200, 401, Black);
    d.segment(85, 302, 85, 417, Black);
    d.segment(185, 401, 185, 417, Black);
    d.segment(85, 302, 70, 302, Black);
    // The angle A mark: an arc with the radius line to its end (the negative end angle).
    d.circle(85, 401, 71, Black, 0, -0.78555);
    d.fillBox(Rect{145, 366, 160, 386}, kBackground);
    // The triangle itself, right angle at (185, 401).
    d.segment(85, 401, 185, 301, Green);
    d.segment(185, 401, 185, 302, Green);
    d.segment(85, 401, 185, 401, Green);
    const struct {
        int row, column;
        const char* text;
    } labels[] = {{27, 18, "X"},     {23, 9, "Y"},      {22, 16, "Z"},
                  {24, 18, "A ang"}, {20, 26, "B ang"}, {25, 26, "C ang"}};
    for (const auto& label : labels)
        d.printAt(label.row, label.column, label.text);
}

namespace {

// The cyan and blue rules under the title bar and the window frame.
void drawFrame(Display& d) {
    d.segment(2, 16, 639, 16, Cyan);
    d.segment(2, 17, 639, 17, Blue);
    drawWindowFrame(d);
}

}  // namespace

void drawWindowFrame(Display& d) {
    // The outermost box runs along the surface's last column and row (642, 482).
    d.box(Rect{2, 2, 640, 480}, Blue);
    d.box(Rect{1, 1, 641, 481}, Cyan);
    d.box(Rect{0, 0, 642, 482}, Cyan);
}

void drawMainScreen(Display& d, InputDevices& input, SolveMode mode, bool otherAnswerOnOffer) {
    d.lock();
    drawExplanatoryTriangle(d);

    const TextColours grey{DarkGrey};
    d.printAt(30, 3, "Solvara", grey);
    d.printAt(30, 11, kBottomLines[0], grey);
    d.printAt(30, 36, kBottomLines[1], grey);
    d.printAt(30, 59, kBottomLines[2], grey);

    d.printAt(13, 8, "EXIT    CLEAR    RIGHT    OBLIQUE");
    d.printAt(15, 8, "HELP");
    for (const Rect& button :
         {kExitButton, kClearButton, kRightButton, kObliqueButton, kHelpButton})
        d.box(button, Black);

    // EDIT is grey here: it only acts on the results screen.
    d.printAt(results_layout::kEditRow, results_layout::kEditColumn, "EDIT", {LightGrey});
    d.box(results_layout::kEditButton, LightGrey);

    // The placement widget: the centre and four corners of a 3 x 3 grid of 8-pixel squares.
    for (const WidgetSquare& square : kPlacementWidget) {
        d.fillBox(square.box, White);
        d.box(square.box, LightBlue);
    }

    // The title bar with its close blocks.
    d.printAt(kTitleRow, 1, std::string(kLastColumn, ' '), {LightBlue, LightGrey});
    d.printAt(kTitleRow, kCloseFirstColumn, "      ", {LightGrey, Brown});
    d.printAt(kTitleRow, 78, "   ", {White, Red});
    d.drawText(570, 3, " Exit ", White);
    d.drawText(616, 3, " X ", White);
    d.drawText(7, 3, "SOLVARA", Brown);

    drawFrame(d);

    d.printAt(4, 8, "Select a Right or Oblique Triangle.");

    // Wipe what a results screen may have left.
    d.printAt(kResultsWipeRow, kResultsWipeColumn, std::string(kResultsWipeWidth, ' '));
    d.fillBox(results_layout::kPrintButton, kBackground);
    d.printAt(results_layout::kOtherAnswerRow, results_layout::kOtherAnswerColumn,
              std::string(results_layout::kOtherAnswerWipeWidth, ' '));
    d.fillBox(results_layout::kOtherAnswerBox, kBackground);
    d.fillBox(results_layout::kResultLinesBox, kBackground);
    d.fillBox(results_layout::kDrawingBox, kBackground);

    // The active mode's button in brown with its instructions, the other one in black.
    const bool right = mode == SolveMode::Right;
    const auto& instructions = right ? kRightInstructions : kObliqueInstructions;
    struct ModeButton {
        Rect box;
        int column;
        const char* label;
    };
    const ModeButton rightButton{kRightButton, 25, "RIGHT"};
    const ModeButton obliqueButton{kObliqueButton, 34, "OBLIQUE"};
    auto drawButton = [&d](const ModeButton& button, Colour colour) {
        d.box(button.box, colour);
        d.printAt(13, button.column, button.label, {colour});
    };
    drawButton(right ? rightButton : obliqueButton, kActiveMode);
    for (int i = 0; i < 5; ++i)
        d.printAt(6 + i, 8, instructions[i], {kActiveMode});
    drawButton(right ? obliqueButton : rightButton, Black);

    drawFrame(d);
    d.unlock();
    input.pause(kAfterScreenMs);

    if (otherAnswerOnOffer) drawOtherAnswerControl(d);
}

}  // namespace solvara
