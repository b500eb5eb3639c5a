// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/loop_decisions.h"

#include <cmath>

#include "app/main_layout.h"
#include "results/results_screen.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

using namespace main_layout;

Decision command(Command c) {
    return Decision{c};
}
Decision select(Entry e) {
    return Decision{Command::Select, e};
}
Decision place(Target t) {
    return Decision{Command::Place, Entry::X, t};
}

// The window's own buttons, which both loops serve alike: the close blocks and EXIT, CLEAR,
// RIGHT and OBLIQUE.
Decision windowButtonClick(Point click) {
    if (onCloseBlocks(click) || kExitButton.containsInside(click)) return command(Command::Exit);
    if (kClearButton.containsInside(click)) return command(Command::Clear);
    if (kRightButton.containsInside(click)) return command(Command::Right);
    if (kObliqueButton.containsInside(click)) return command(Command::Oblique);
    return {};
}

// The entry a key picks, when it picks one. C and F exist only in Oblique mode.
Decision selectionKey(Key key, SolveMode mode) {
    const bool oblique = mode == SolveMode::Oblique;
    const struct {
        char letter;
        Entry entry;
        bool available;
    } letters[] = {
        {'x', Entry::X, true}, {'y', Entry::Y, true},    {'z', Entry::Z, true},
        {'a', Entry::A, true}, {'d', Entry::D, true},    {'b', Entry::B, true},
        {'e', Entry::E, true}, {'c', Entry::C, oblique}, {'f', Entry::F, oblique},
    };
    for (const auto& l : letters)
        if (key.isLetter(l.letter) && l.available) return select(l.entry);
    return {};
}

// The placement widget's square under the click, if any.
Decision widgetClick(Point click) {
    for (const WidgetSquare& square : kPlacementWidget)
        if (square.box.containsInside(click)) return place(square.target);
    return {};
}

// A click on a value row selects its entry; one on the marker column toggles the marker.
Decision panelClick(Point click, SolveMode mode) {
    const Cell cell = cellOf(click);
    const auto entry = panel::entryOnRow(cell.row);
    if (!entry) return {};
    if (cell.column >= kValueRowFirstColumn && cell.column <= kLastColumn) {
        const bool onlyOblique = *entry == Entry::C || *entry == Entry::F;
        if (onlyOblique && mode != SolveMode::Oblique) return {};
        return select(*entry);
    }
    if (cell.column == panel::kMarkerColumn) return Decision{Command::ToggleMarker, *entry};
    return {};
}

}  // namespace

Cell cellOf(Point p) {
    // Halves go to the even neighbour, as the rounding of the pixel-to-cell mapping always has.
    return Cell{static_cast<int>(std::nearbyint((p.y + 8) / 16.0)),
                static_cast<int>(std::nearbyint((p.x + 4) / 8.0))};
}

bool onDragArea(Point p) {
    return kDragArea.containsInside(p);
}

bool onCloseBlocks(Point p) {
    const Cell c = cellOf(p);
    return c.row == kTitleRow && c.column >= kCloseFirstColumn && c.column <= kCloseLastColumn;
}

Decision decideMainKey(Key key, SolveMode mode) {
    if (const Decision d = selectionKey(key, mode); d.command != Command::None) return d;
    if (key.isLetter('r')) return command(Command::Right);
    if (key.isLetter('o')) return command(Command::Oblique);
    if (key.isLetter('h')) return command(Command::Help);
    if (key == keys::kEscape) return command(Command::ExitClearing);
    if (key == Key::character('@')) return place(Target::Home);
    return {};
}

Decision decideMainClick(Point click, SolveMode mode) {
    if (const Decision d = windowButtonClick(click); d.command != Command::None) return d;
    if (kHelpButton.containsInside(click)) return command(Command::Help);
    if (const Decision d = widgetClick(click); d.command != Command::None) return d;
    return panelClick(click, mode);
}

Decision decideResultsKey(Key key, ResultsState state) {
    if (key == keys::kEscape) return command(Command::ExitClearing);
    if (key == keys::kCtrlC) return command(Command::Copy);
    if (key == Key::character('@')) return place(Target::Home);
    if (key.isLetter('p')) return command(Command::Print);
    if (key.isLetter('c')) return command(Command::Clear);
    if (key.isLetter('r')) return command(Command::Right);
    if (key.isLetter('o')) return command(Command::Oblique);
    if (key.isLetter('h')) return command(Command::Help);
    if (key.isLetter('m')) return command(Command::Figures);
    if (key.isLetter('i') && !state.editBlocked) return command(Command::Edit);
    if (key.isLetter('s') && state.secondOnOffer) return command(Command::SwitchAnswer);
    return {};
}

Decision decideResultsClick(Point click, ResultsState state) {
    using namespace results_layout;
    // Print lies apart from the window's buttons, so it may be tested after them.
    if (const Decision d = windowButtonClick(click); d.command != Command::None) return d;
    if (kPrintHit.containsInside(click)) return command(Command::Print);
    if (kEditHit.containsInside(click) && !state.editBlocked) return command(Command::Edit);
    if (kResultsHelpHit.containsInside(click)) return command(Command::Help);
    if (kOtherAnswerBox.containsInside(click) && state.secondOnOffer)
        return command(Command::SwitchAnswer);
    return widgetClick(click);
}

HelpKey decideHelpKey(Key key) {
    if (key == keys::kEscape || key.isLetter('b')) return HelpKey::Leave;
    if (key == Key::character('@')) return HelpKey::Home;
    return HelpKey::None;
}

}  // namespace solvara
