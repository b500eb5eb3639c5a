// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "app/placement.h"
#include "platform/geometry.h"
#include "platform/window/key.h"
#include "values/entry.h"
#include "values/triangle.h"

namespace solvara {

// What a key or a click in one of the loops asks for. These are the loops' tables as pure
// functions: they decide and never act, so the whole table can be tested at once.
enum class Command {
    None,          // nothing here: the loop goes on
    Select,        // edit `entry`
    ToggleMarker,  // a click on `entry`'s marker
    Right,         // choose a right triangle
    Oblique,       // choose an oblique triangle
    Clear,         // start afresh, keeping the mode
    Exit,          // end the program
    ExitClearing,  // end the program, clearing the page first (Escape)
    Help,          // the help screen, after which the loop goes on to its next cycle
    Place,         // move the window to `target`; the loop goes on
    Print,         // print the results
    Edit,          // back to the entries to change them
    SwitchAnswer,  // the other answer of two
    Copy,          // the printed lines to the clipboard
    Figures,       // the figures page of the answer on screen; the loop goes on after it
};

struct Decision {
    Command command = Command::None;
    Entry entry = Entry::X;
    Target target = Target::Home;
    friend bool operator==(const Decision&, const Decision&) = default;
};

// The text cell of a window pixel: column (x + 4) / 8 and row (y + 8) / 16, each rounded to the
// nearest whole number with halves to the even one (so x = 8k falls in column k or k + 1).
struct Cell {
    int row = 0;
    int column = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
};
Cell cellOf(Point p);

// The title bar's drag area and its close blocks.
bool onDragArea(Point p);
bool onCloseBlocks(Point p);

Decision decideMainKey(Key key, SolveMode mode);
Decision decideMainClick(Point click, SolveMode mode);

// What the results screen allows at the moment.
struct ResultsState {
    bool editBlocked = false;    // the second answer is on screen
    bool secondOnOffer = false;  // there is another answer to switch to
};
Decision decideResultsKey(Key key, ResultsState state);
Decision decideResultsClick(Point click, ResultsState state);

// The help and figures pages: B, b or Escape go back, "@" sends the window home.
enum class HelpKey { None, Leave, Home };
HelpKey decideHelpKey(Key key);

// The BACK button of the help and figures pages.
namespace help_layout {
inline constexpr Rect kBackButton{569, 442, 628, 466};
inline constexpr int kBackRow = 29;
inline constexpr int kBackColumn = 74;
}  // namespace help_layout

}  // namespace solvara
