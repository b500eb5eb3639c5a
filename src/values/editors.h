// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>

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

// What is being edited: the entry picked by a key or click, and the text typed for it. The
// selection stays after a commit, until another entry is picked or the entry is let go.
struct EditState {
    std::optional<Entry> selected;
    std::string text;
};

// Free typing of digits and points for X, Y, Z, A, B and C, echoed in place of the value with the
// cursor mark after it.
class DecimalEditor {
  public:
    DecimalEditor(Display& display, InputDevices& input, TriangleValues& values, EditState& edit);
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
    EditState& edit_;
};

// Digits typed into the template "00d 00m 00s" for D, E and F.
class DmsEditor {
  public:
    DmsEditor(Display& display, InputDevices& input, TriangleValues& values, EditState& edit);
    void start();
    EditOutcome cycle();

  private:
    Display& display_;
    InputDevices& input_;
    TriangleValues& v_;
    EditState& edit_;
    int cursorPlace_ = 0;  // where in the template the next digit goes
};

// The two editors and what they edit. The editors edit and never solve: a commit ends in the
// outcome, and the loop that runs them counts the inputs.
class Editors {
  public:
    Editors(Display& display, InputDevices& input, TriangleValues& values);
    Editors(const Editors&) = delete;
    Editors& operator=(const Editors&) = delete;

    // A key or click picks an entry for editing: it becomes the selection and an input.
    void select(Entry e);
    // Nothing is selected (a fresh start, or back from the results screen to change the entries).
    void deselect() { edit_ = EditState{}; }
    std::optional<Entry> selected() const { return edit_.selected; }
    const std::string& typedText() const { return edit_.text; }
    // The selection was left with no number typed (an angle of 180 or more was thrown away):
    // it is no input.
    bool selectionLeftEmpty() const;

    DecimalEditor& decimal() { return decimal_; }
    DmsEditor& dms() { return dms_; }

  private:
    TriangleValues& v_;
    EditState edit_;
    DecimalEditor decimal_;
    DmsEditor dms_;
};

// An angle of 180 or more is thrown away when it is committed.
inline constexpr double kAngleLimitDeg = 180;

}  // namespace solvara
