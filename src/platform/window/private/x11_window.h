// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"
#include "platform/window/monitors.h"

struct SDL_Window;
union SDL_Event;

namespace solvara::x11 {

// What SDL leaves undone for the program's window on an X desktop. All do nothing (or report
// nothing) when the window is not an X window.

// Marks the window as wanting no frame in a way every window manager reads, one already running
// or one that starts later, and that stays on the window. Called before the window is shown.
void keepUndecorated(SDL_Window* window);

// The monitors as RandR 1.5 lists them, which knows what SDL 2.26 does not: a monitor made of
// part of an output (a split ultrawide screen) and which monitor is the primary one. Each is free
// for windows where it meets the window manager's work area (_NET_WORKAREA of the current
// desktop). Nothing when the server has no RandR 1.5.
std::vector<Monitor> monitors(SDL_Window* window);

// The X resources of the desktop (the RESOURCE_MANAGER property, as it was when the connection
// was opened); empty when there are none.
std::string resources(SDL_Window* window);

struct DesktopPointer {
    Point at;
    bool leftHeld = false;
};

// Where the pointer is on the desktop and whether the left button is down, asked of the X server
// at this moment; nothing when the window is not an X window or the pointer is on another screen.
std::optional<DesktopPointer> pointerOnDesktop(SDL_Window* window);

// The left button's latest press and release as the X server reported them, taken as SDL takes
// the events in: where in the window it went down (SDL itself gives a press the position of the
// last motion, which is stale once the window has moved under a still pointer) and where on the
// desktop it came up (which a question asked after the pointer moved on cannot tell). Lives
// between SDL's video start and its end.
class LeftButton {
  public:
    LeftButton();
    ~LeftButton();
    LeftButton(const LeftButton&) = delete;
    LeftButton& operator=(const LeftButton&) = delete;

    // In window pixels; nothing before the first press.
    std::optional<Point> pressedInWindow() const { return pressedInWindow_; }
    // In desktop pixels; nothing before the first release, nor after a press until its release.
    std::optional<Point> releasedOnDesktop() const { return releasedOnDesktop_; }

  private:
    static int watch(void* self, SDL_Event* event);
    std::optional<Point> pressedInWindow_;
    std::optional<Point> releasedOnDesktop_;
};

}  // namespace solvara::x11
