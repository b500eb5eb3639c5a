// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/program.h"

namespace solvara {

Step Program::restartProgram() {
    input_.pause(20);
    values_.reset();
    display_.setColors(0, kBackgroundColour);

    if (!display_.open(openError_)) {
        exitStatus_ = 1;
        return Step::Exit;
    }
    display_.setPages(0, 0);
    display_.setPaletteEntry(2, 0x002801);   // green
    display_.setPaletteEntry(5, 0x363A3A);   // ivory
    display_.setPaletteEntry(10, 0x082538);  // orange
    display_.setPaletteEntry(13, 0x1B280C);  // sea green
    display_.setColors(0, kBackgroundColour);
    display_.setTextGrid(80, 30);
    display_.setTitle("Solvara");

    if (placementDone_) {
        display_.moveWindow(windowPos_.x, windowPos_.y);
    } else {
        input_.pause(20);
        const Size desktop = display_.desktopSize();
        input_.pause(20);
        windowPos_ = display_.windowPosition();
        // The corner targets keep the whole window on the desktop whatever its size; the window
        // starts centred, and home is where it started.
        topLeftPos_ = Point{4, 4};
        topRightPos_ = Point{desktop.width - Display::kWidth, 4};
        bottomRightPos_ = Point{desktop.width - Display::kWidth, desktop.height - 511};
        bottomLeftPos_ = Point{4, desktop.height - 514};
        homePos_ = windowPos_;
        placementDone_ = true;
        input_.pause(20);
        display_.moveWindow(windowPos_.x, windowPos_.y);
    }

    values_.dText = values_.eText = values_.fText = kZeroDms;
    values_.xText = values_.yText = values_.zText = values_.aText = "";
    values_.x = values_.y = values_.z = values_.a = 0;
    return Step::MainScreen;
}

void Program::moveWindowTo(Point target) {
    windowPos_ = target;
    display_.moveWindow(target.x, target.y);
}

}  // namespace solvara
