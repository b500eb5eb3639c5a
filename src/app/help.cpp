// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/program.h"

namespace solvara {

namespace {

constexpr const char* kRules[7] = {
    "The total of all angles will equal 180 degrees in all triangles.",
    "The C angle will not be used as an input for Right Triangles.",
    "All Right Triangles are 90 degrees at C angle. The A and B angles add to",
    "another 90 degrees. This is why only two inputs are needed, because C",
    "angle is known at 90 degrees. Some Oblique Triangles have two solutions.",
    "If you see a \"CAN NOT DO IT !\" message then the solution can not be ",
    "found or is out of bounds.",
};

}  // namespace

// A full page of fixed text on page 1, so that the screen on page 0 comes back untouched. The
// one nested wait of the program: it returns to the loop that called it.
void Program::showHelp() {
    Display& d = display_;
    const int bg = kBackgroundColour;
    d.setPages(1, 1);
    d.setColors(0, bg);
    d.clear();
    input_.pause(100);
    d.setTextGrid(80, 30);
    d.setTextViewport(1, 30);

    d.line(2, 2, 640, 480, 1, Shape::Box);
    d.line(1, 1, 641, 481, 3, Shape::Box);
    d.line(0, 0, 642, 482, 3, Shape::Box);

    d.line(569, 442, 628, 466, 1, Shape::Box);
    d.setColors(1, bg);
    d.locate(29, 74);
    d.print("BACK", true);
    d.locate(2, 5);
    d.print("Solvara Ver. 4.1 - Help", true);

    d.setColors(0, bg);
    for (int i = 0; i < 7; ++i) {
        d.locate(5 + i, 5);
        d.print(kRules[i], true);
    }
    drawExplanatoryTriangle();
    d.setColors(0, bg);

    while (!input_.closeRequested()) {
        input_.pause(40);
        lastKey_ = input_.readKey();
        if (lastKey_ == "\x1b" || lastKey_ == "B" || lastKey_ == "b") break;
        if (lastKey_ == "@") placeWindow(homePos_);
        input_.setPointer(std::nullopt, std::nullopt, true);
        const PointerReading p = input_.readPointer();
        if (p.ok) {
            clickX_ = p.x;
            clickY_ = p.y;
            clickButtons_ = p.buttons;
        }
        if (!(clickButtons_ & 3) || !p.ok) continue;
        clickButtons_ = 0;  // the click is used up
        if (569 < clickX_ && clickX_ < 628 && 442 < clickY_ && clickY_ < 466) break;
    }

    input_.pause(300);
    lastKey_.clear();
    d.setPages(0, 0);
}

}  // namespace solvara
