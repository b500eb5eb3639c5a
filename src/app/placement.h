// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/geometry.h"

namespace solvara {

class Display;

// The five places the placement widget and the "@" key move the window to.
enum class Target { Home, TopLeft, TopRight, BottomLeft, BottomRight };

// Where the window is and where it can be sent. The window has no frame, so the program keeps
// its position itself; the targets are computed once, at the first start.
struct Placement {
    Point windowPos{};
    Point home{};
    Point topLeft{};
    Point topRight{};
    Point bottomLeft{};
    Point bottomRight{};
    bool targetsKnown = false;
    // False on a desktop that places windows itself (Wayland): the program then knows neither
    // where the window is nor where to send it, and moves it nowhere.
    bool placeable = true;

    // The corner targets keep the whole window on a desktop of that size; home is where the
    // window was first put (centred).
    void computeTargets(Size desktop, Size window, Point firstPosition);
    Point target(Target t) const;
};

// Moves the window and remembers where it went; does nothing where the window is not placeable.
void moveWindowTo(Display& display, Placement& placement, Point to);

}  // namespace solvara
