// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace solvara {

class Display;
class InputDevices;
struct Placement;

// The help page on page 1, so that the screen on page 0 comes back untouched. It waits until
// the user goes back (BACK, B or Escape): the one screen that waits inside the loop that called
// it. Clicks made while it is shown are its own: the loop acts on none of them.
void showHelp(Display& display, InputDevices& input, Placement& placement);

// The BACK button that leaves such a page.
void drawBackButton(Display& display);

// The wait of a page shown on page 1 over the screen it was called from, such as the help page:
// a cycle every 40 ms until BACK, B or Escape ("@" sends the window home meanwhile), then page 0
// as it was.
void waitForBack(Display& display, InputDevices& input, Placement& placement);

}  // namespace solvara
