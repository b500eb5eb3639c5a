// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <vector>

#include "platform/geometry.h"
#include "platform/window/monitors.h"

namespace solvara {

class Display;

// The five places the placement widget and the "@" key move the window to.
enum class Target { Home, TopLeft, TopRight, BottomLeft, BottomRight };

// Where the window is and where it can be sent. The window has no frame, so the program keeps
// its position itself. The targets belong to the monitor the window is on: its corners and the
// middle of the part of it that is free for windows, which is where the window first opens on
// the primary monitor.
struct Placement {
    Point windowPos{};
    Size window{};
    // The desktop's monitors as it last listed them.
    std::vector<Monitor> monitors;
    bool targetsKnown = false;
    // False on a desktop that places windows itself (Wayland): the program then knows neither
    // where the window is nor where to send it, and moves it nowhere.
    bool placeable = true;

    // The first start: the desktop's monitors, the window's size on the desktop and where it
    // opened.
    void start(std::vector<Monitor> desktop, Size windowSize, Point firstPosition);
    // Where `t` puts the window from `windowPos`: the whole window on the monitor that holds
    // most of it. Where the window stays when no monitor is known.
    Point target(Target t) const;
};

// Moves the window and remembers where it went; does nothing where the window is not placeable.
void moveWindowTo(Display& display, Placement& placement, Point to);

// Sends the window to a target of the monitor it is on now, as the desktop lists its monitors at
// this moment: a monitor may have been added or moved since the start, and a window manager may
// have moved the window.
void sendWindowTo(Display& display, Placement& placement, Target t);

}  // namespace solvara
