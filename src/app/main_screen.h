// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "values/triangle.h"

namespace solvara {

class Display;
class InputDevices;

// The fixed part of the window: title bar, frame, buttons, placement widget, the explanatory
// triangle, the mode's instructions and the other-answer control while one is on offer. It also
// wipes what a results screen left. The values panel is drawn after it.
void drawMainScreen(Display& display, InputDevices& input, SolveMode mode, bool otherAnswerOnOffer);

// The small labelled right triangle that shows what X, Y, Z and the angles mean; the help screen
// shows it too.
void drawExplanatoryTriangle(Display& display);

// The three boxes round the window's edge, blue inside two cyan ones.
void drawWindowFrame(Display& display);

}  // namespace solvara
