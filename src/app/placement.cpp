// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/placement.h"

#include <utility>

#include "platform/display/display.h"

namespace solvara {

void Placement::start(std::vector<Monitor> desktop, Size windowSize, Point firstPosition) {
    monitors = std::move(desktop);
    window = windowSize;
    windowPos = firstPosition;
    targetsKnown = true;
}

Point Placement::target(Target t) const {
    const Monitor* on = monitorHolding(monitors, Area{windowPos, window});
    if (on == nullptr) return windowPos;
    const Area& m = on->bounds;
    // The corners leave 4 pixels at the monitor's edges, except where the window meets the right
    // edge; the bottom ones leave 28 and 31 pixels below the window for a task bar. They have
    // always differed by those three pixels.
    Point corner;
    switch (t) {
        case Target::Home:
            return centredIn(on->usable, window);
        case Target::TopLeft:
            corner = Point{m.origin.x + 4, m.origin.y + 4};
            break;
        case Target::TopRight:
            corner = Point{m.right() - window.width, m.origin.y + 4};
            break;
        case Target::BottomLeft:
            corner = Point{m.origin.x + 4, m.bottom() - window.height - 31};
            break;
        case Target::BottomRight:
            corner = Point{m.right() - window.width, m.bottom() - window.height - 28};
            break;
    }
    return keptInside(m, window, corner);
}

void moveWindowTo(Display& display, Placement& placement, Point to) {
    if (!placement.placeable) return;
    placement.windowPos = to;
    display.moveWindow(to.x, to.y);
}

void sendWindowTo(Display& display, Placement& placement, Target t) {
    if (std::vector<Monitor> now = display.monitors(); !now.empty())
        placement.monitors = std::move(now);
    placement.windowPos = display.windowPosition();
    moveWindowTo(display, placement, placement.target(t));
}

}  // namespace solvara
