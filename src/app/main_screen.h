// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "values/triangle_values.h"

namespace solvara {

class Display;
class InputDevices;

// The fixed part of the window: title bar, frame, buttons, placement widget, the explanatory
// triangle and the active mode's instructions. It also wipes what a results screen left, and
// brings the record into line with the mode. The values panel is drawn after it.
void drawMainScreen(Display& display, InputDevices& input, TriangleValues& v);

// The small labelled right triangle that shows what X, Y, Z and the angles mean; the help screen
// shows it too.
void drawExplanatoryTriangle(Display& display);

// The three boxes round the window's edge, blue inside two cyan ones.
void drawWindowFrame(Display& display);

}  // namespace solvara
