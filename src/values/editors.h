// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "values/triangle_values.h"

namespace solvara {

class Display;
class InputDevices;

// What became of an edit after one pass of its key loop; the loop that runs the editor turns it
// into the next screen. The editors edit and never solve.
enum class EditOutcome {
    Editing,           // no key, or one that changed the text: the next pass follows
    PlaceHome,         // "@": the window goes back home, and editing goes on
    Committed,         // a number was committed: the inputs are counted next
    Cleared,           // Enter on nothing: the entry is deselected and the markers drawn
    BackToMainScreen,  // left without a change, or an angle of 180 or more thrown away
};

// Free typing of digits and points for X, Y, Z, A, B and C, echoed in place of the value with the
// cursor mark after it.
class DecimalEditor {
  public:
    DecimalEditor(Display& display, InputDevices& input, TriangleValues& values);
    // Shows the selected entry's value, ready to be typed over.
    void start();
    // Waits for one key and applies it.
    EditOutcome cycle();

  private:
    EditOutcome commit(double typed);
    void update();

    Display& display_;
    InputDevices& input_;
    TriangleValues& v_;
};

// Digits typed into the template "00d 00m 00s" for D, E and F.
class DmsEditor {
  public:
    DmsEditor(Display& display, InputDevices& input, TriangleValues& values);
    void start();
    EditOutcome cycle();

  private:
    Display& display_;
    InputDevices& input_;
    TriangleValues& v_;
    int cursorColumn_ = 62;  // where the next digit goes
};

// An angle of 180 or more is thrown away when it is committed.
inline constexpr double kAngleLimitDeg = 180;

}  // namespace solvara
