// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace solvara {

class Display;
class InputDevices;

// "CAN NOT DO IT !" five times near the bottom of the screen, alternately light red and black,
// 900 ms each (a key cuts a showing short), then wiped. The caller starts afresh.
void flashCannotDoIt(Display& display, InputDevices& input);

// The total of the angles, shown when it exceeds 180 by more than rounding (a notice only).
void showAngleTotal(Display& display, double total);

}  // namespace solvara
