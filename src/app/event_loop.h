// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "app/loop_decisions.h"
#include "app/step.h"
#include "platform/geometry.h"

namespace solvara {

class Display;
class InputDevices;
class WindowBackend;
struct Placement;

// What the loop's tables need to know of the program at the moment.
struct LoopContext {
    SolveMode mode = SolveMode::Right;
    ResultsState results;
};

// One polling loop of a screen, as data: the main loop and the results loop run the same cycle
// (a pause, at most one key, the click read, the drag test, the click) and differ only here.
struct LoopTable {
    int pauseMs = 0;  // the pause that opens every cycle
    Decision (*decideKey)(Key, const LoopContext&) = nullptr;
    Decision (*decideClick)(Point, const LoopContext&) = nullptr;
    // A key that asks for nothing shows the pointer again (typing may have hidden it).
    bool keyShowsPointer = false;
    Step cycle;  // the loop's own steps
    Step drag;
    Step click;
};

extern const LoopTable kMainLoop;
extern const LoopTable kResultsLoop;
// The table of the loop a step belongs to (the results loop's for any step of neither).
const LoopTable& loopTableOf(Step step);

// The pointer as a loop cycle reads it, and the drag of the title row it may start: the loop's
// own state, kept from a cycle's click read to its drag test and click.
class LoopPointer {
  public:
    LoopPointer(WindowBackend& backend, Display& display, InputDevices& input,
                Placement& placement);

    // Reads the pointer; true when a button is down. A pointer outside the window keeps where
    // the last click was, but not its buttons, so that a click is acted on once.
    bool readClick();
    Point clickPosition() const { return position_; }
    // Forgets the click, so that one that asked for a new screen is not taken again there.
    void forgetClick();

    // One pass of the drag test; true while a drag goes on and the test repeats.
    bool dragOnce();

  private:
    WindowBackend& backend_;
    Display& display_;
    InputDevices& input_;
    Placement& placement_;
    Point position_{};
    int buttons_ = 0;  // bit 0 left, bit 1 right
    // While the title row is dragged: the point of the window the pointer holds it by, in
    // desktop pixels from its top-left corner.
    std::optional<Point> grip_;
};

}  // namespace solvara
