// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/placement.h"

#include "platform/display/display.h"

namespace solvara {

void Placement::computeTargets(Size desktop, Size window, Point firstPosition) {
    windowPos = firstPosition;
    topLeft = Point{4, 4};
    // The bottom targets leave 28 and 31 pixels below the window for a task bar; they have
    // always differed by those three pixels.
    topRight = Point{desktop.width - window.width, 4};
    bottomRight = Point{desktop.width - window.width, desktop.height - window.height - 28};
    bottomLeft = Point{4, desktop.height - window.height - 31};
    home = firstPosition;
    targetsKnown = true;
}

Point Placement::target(Target t) const {
    switch (t) {
        case Target::Home:
            return home;
        case Target::TopLeft:
            return topLeft;
        case Target::TopRight:
            return topRight;
        case Target::BottomLeft:
            return bottomLeft;
        case Target::BottomRight:
            return bottomRight;
    }
    return home;
}

void moveWindowTo(Display& display, Placement& placement, Point to) {
    if (!placement.placeable) return;
    placement.windowPos = to;
    display.moveWindow(to.x, to.y);
}

}  // namespace solvara
