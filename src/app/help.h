// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/geometry.h"

namespace solvara {

class Display;
class InputDevices;
struct Placement;

// The pointer as the loops last read it: where it was and which buttons were down (bit 0 left,
// bit 1 right). A failed read keeps the position.
struct ClickState {
    Point position{};
    int buttons = 0;
};

// The help page on page 1, so that the screen on page 0 comes back untouched. It waits until
// the user goes back (BACK, B or Escape): the one screen that waits inside the loop that called
// it. It shares the click state with the loops and leaves its last reading there.
void showHelp(Display& display, InputDevices& input, Placement& placement, ClickState& click);

}  // namespace solvara
