// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "platform/geometry.h"

struct SDL_Window;

namespace solvara::x11 {

// What SDL leaves undone for the program's window on an X desktop. Both do nothing (or report
// nothing) when the window is not an X window.

// Marks the window as wanting no frame in a way every window manager reads, one already running
// or one that starts later, and that stays on the window. Called before the window is shown.
void keepUndecorated(SDL_Window* window);

// Where the pointer is on the desktop, asked of the X server at this moment; nothing when the
// window is not an X window or the pointer is on another screen.
std::optional<Point> pointerOnDesktop(SDL_Window* window);

}  // namespace solvara::x11
