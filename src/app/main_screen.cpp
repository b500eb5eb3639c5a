// SPDX-License-Identifier: GPL-2.0-or-later
#include <array>

#include "app/program.h"
#include "values/marker_rules.h"

namespace solvara {

namespace {

constexpr int kBlack = 0;
constexpr int kBlue = 1;
constexpr int kGreen = 2;
constexpr int kCyan = 3;
constexpr int kRed = 4;
constexpr int kBrown = 6;
constexpr int kLightGrey = 7;
constexpr int kDarkGrey = 8;
constexpr int kLightBlue = 9;
constexpr int kWhite = 15;

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
constexpr const char* kBottomLines[3] = {"Plane triangle solver", "Press H for help",
                                         "Version 4.1"};

}  // namespace

void Program::drawExplanatoryTriangle() {
    Display& d = display_;
    d.line(70, 401, 200, 401, std::nullopt, Shape::Segment);
    d.line(85, 302, 85, 417, std::nullopt, Shape::Segment);
    d.line(185, 401, 185, 417, std::nullopt, Shape::Segment);
    d.line(85, 302, 70, 302, std::nullopt, Shape::Segment);
    // The angle A mark: an arc with the radius line to its end (the negative end angle).
    d.circle(85, 401, 71, std::nullopt, 0, -0.78555);
    d.line(145, 366, 160, 386, kBackgroundColour, Shape::FilledBox);
    // The triangle itself, right angle at (185, 401).
    d.line(85, 401, 185, 301, kGreen, Shape::Segment);
    d.line(185, 401, 185, 302, kGreen, Shape::Segment);
    d.line(85, 401, 185, 401, kGreen, Shape::Segment);
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

void Program::drawOtherAnswerControl() {
    Display& d = display_;
    d.setColors(kGreen, kBackgroundColour);
    d.line(620, 290, 630, 300, kGreen, Shape::FilledBox);
    d.line(620, 290, 630, 300, kBlue, Shape::Box);
    d.locate(19, 60);
    d.print("Show other answer ", false);
    d.setColors(kBlack, kBackgroundColour);
}

namespace {

void printAt(Display& d, int row, int column, const char* text, bool lineBreak) {
    d.locate(row, column);
    d.print(text, lineBreak);
}

// The cyan and blue rules under the title bar and the three frame boxes.
void drawFrame(Display& d) {
    d.line(2, 16, 639, 16, kCyan, Shape::Segment);
    d.line(2, 17, 639, 17, kBlue, Shape::Segment);
    d.line(2, 2, 640, 480, kBlue, Shape::Box);
    d.line(1, 1, 641, 481, kCyan, Shape::Box);
    d.line(0, 0, 642, 482, kCyan, Shape::Box);
}

}  // namespace

void Program::drawMainScreen() {
    Display& d = display_;
    const int bg = kBackgroundColour;
    d.lock();
    d.setColors(kBlack, bg);

    drawExplanatoryTriangle();

    d.setColors(kDarkGrey, bg);
    printAt(d, 30, 3, "Solvara", false);
    printAt(d, 30, 11, kBottomLines[0], false);
    printAt(d, 30, 36, kBottomLines[1], false);
    printAt(d, 30, 59, kBottomLines[2], false);

    d.setColors(kBlack, bg);
    printAt(d, 13, 8, "EXIT    CLEAR    RIGHT    OBLIQUE", true);
    printAt(d, 15, 8, "HELP", true);
    d.line(43, 186, 100, 210, std::nullopt, Shape::Box);   // EXIT
    d.line(110, 186, 170, 210, std::nullopt, Shape::Box);  // CLEAR
    d.line(180, 186, 245, 210, std::nullopt, Shape::Box);  // RIGHT
    d.line(254, 186, 328, 210, std::nullopt, Shape::Box);  // OBLIQUE
    d.line(43, 218, 100, 242, std::nullopt, Shape::Box);   // HELP

    // EDIT is grey here: it only acts on the results screen.
    d.setColors(kLightGrey, bg);
    printAt(d, 15, 24, "EDIT", true);
    d.line(173, 218, 226, 242, std::nullopt, Shape::Box);

    // The placement widget: the centre and four corners of a 3 x 3 grid of 8-pixel squares.
    const int squares[5][2] = {{133, 227}, {141, 235}, {125, 219}, {125, 235}, {141, 219}};
    for (const auto& s : squares) {
        d.line(s[0], s[1], s[0] + 7, s[1] + 7, kWhite, Shape::FilledBox);
        d.line(s[0], s[1], s[0] + 7, s[1] + 7, kLightBlue, Shape::Box);
    }

    // The title bar with its close blocks.
    d.setColors(kLightBlue, kLightGrey);
    printAt(d, 1, 1, std::string(80, ' ').c_str(), false);
    d.setColors(kLightGrey, kBrown);
    printAt(d, 1, 72, "      ", false);
    d.setColors(kWhite, kRed);
    printAt(d, 1, 78, "   ", false);
    d.drawText(570, 3, " Exit ");
    d.drawText(616, 3, " X ");
    d.setColors(kBrown, kLightGrey);
    d.drawText(7, 3, "SOLVARA");

    drawFrame(d);

    d.setColors(kBlack, bg);
    printAt(d, 4, 8, "Select a Right or Oblique Triangle.", true);

    alignWithMode(values_);

    // Wipe what a results screen may have left.
    d.setColors(kBlack, bg);
    printAt(d, 29, 39, std::string(37, ' ').c_str(), false);
    d.line(46, 428, 104, 451, bg, Shape::FilledBox);  // the Print button
    d.setColors(bg, bg);
    printAt(d, 19, 60, std::string(19, ' ').c_str(), false);  // "Show other answer "
    d.line(620, 290, 630, 300, bg, Shape::FilledBox);
    d.line(40, 249, 350, 295, bg, Shape::FilledBox);  // height, width and area lines
    d.line(350, 35, 638, 280, bg, Shape::FilledBox);  // the drawing

    // The active mode's button in brown with its instructions, the other one in black.
    const bool right = values_.solveMode == SolveMode::Right;
    const auto& instructions = right ? kRightInstructions : kObliqueInstructions;
    auto drawButton = [&](bool isRight) {
        if (isRight) {
            d.line(180, 186, 245, 210, std::nullopt, Shape::Box);
            printAt(d, 13, 25, "RIGHT", true);
        } else {
            d.line(254, 186, 328, 210, std::nullopt, Shape::Box);
            printAt(d, 13, 34, "OBLIQUE", true);
        }
    };
    d.setColors(kBrown, bg);
    drawButton(right);
    for (int i = 0; i < 5; ++i)
        printAt(d, 6 + i, 8, instructions[i], true);
    d.setColors(kBlack, bg);
    drawButton(!right);

    drawFrame(d);
    d.unlock();
    input_.pause(50);

    if (values_.alternate.otherAnswerAvailable) drawOtherAnswerControl();
    d.setColors(kBlack, bg);
}

}  // namespace solvara
