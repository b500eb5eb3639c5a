// SPDX-License-Identifier: GPL-2.0-or-later
// The main loop and the results loop: one cycle, driven by each screen's table (event_loop.h),
// pauses, takes at most one key, follows a drag of the title bar and tests a click, and the
// loops' decisions (loop_decisions) say what each key and click does.
#include "app/figures_page.h"
#include "app/main_layout.h"
#include "app/program.h"
#include "results/clipboard.h"
#include "values/marker_rules.h"

namespace solvara {

namespace {

// The pause after RIGHT, OBLIQUE, CLEAR and EDIT before the screen they ask for.
constexpr int kAfterCommandMs = 200;

}  // namespace

void Program::help() {
    showHelp(display_, input_, placement_);
}

void Program::figures() {
    const bool second = results_.secondOnScreen(values_.solveMode);
    const AnswerOnScreen answer{
        values_.solveMode, second ? *results_.secondAnswer() : values_.triangle,
        results_.solvedBy(), second ? 2 : 1, results_.secondOnOffer() ? 2 : 1};
    showFigures(display_, input_, placement_, answer);
}

std::optional<Next> Program::carryOut(const Decision& d) {
    switch (d.command) {
        case Command::None:
            return std::nullopt;
        case Command::Help:
            // The help screen uses up the clicks made while it is shown: the loop goes on to
            // its next cycle and acts only on a click made after that.
            help();
            return std::nullopt;
        case Command::Select:
            editors_.select(d.entry);
            return isDmsAngle(d.entry) ? Step::EditDms : Step::EditDecimal;
        case Command::ToggleMarker:
            toggleMarker(values_, d.entry);
            return Step::AwaitRelease;
        case Command::Right:
        case Command::Oblique:
            // Leaving the results screen: the other answer is no longer on offer.
            setSolveMode(values_,
                         d.command == Command::Right ? SolveMode::Right : SolveMode::Oblique);
            results_.withdrawOffer();
            input_.pause(kAfterCommandMs);
            return Step::MainScreen;
        case Command::Clear:
            input_.pause(kAfterCommandMs);
            return Step::Restart;
        case Command::Exit:
            return exitProgram(false);
        case Command::ExitClearing:
            return exitProgram(true);
        case Command::Place:
            sendWindowTo(display_, placement_, d.target);
            return std::nullopt;
        case Command::Print:
            return Step::Print;
        case Command::Edit: {
            input_.pause(kAfterCommandMs);
            editors_.deselect();
            results_.withdrawOffer();
            Next next = Step::MainScreen;
            next.editHelp = true;
            return next;
        }
        case Command::SwitchAnswer:
            return Step::SwitchAnswer;
        case Command::Figures:
            // As the help screen: the clicks made on the page are its own.
            figures();
            return std::nullopt;
        case Command::Copy:
            backend_.setClipboardText(joinedLines(results_.shownLines(values_.solveMode)));
            return std::nullopt;
    }
    return std::nullopt;
}

LoopContext Program::loopContext() const {
    return LoopContext{values_.solveMode,
                       ResultsState{results_.editBlocked(), results_.secondOnOffer()}};
}

Next Program::loopCycle(const LoopTable& table) {
    input_.pause(table.pauseMs);
    if (const Key key = input_.readKey()) {
        if (const auto next = carryOut(table.decideKey(key, loopContext()))) return *next;
        if (table.keyShowsPointer) input_.showPointer();
    }
    // The click is read before the drag test, whose pause may let a short click's release
    // through.
    Next next = table.drag;
    next.clicked = pointer_.readClick();
    return next;
}

Next Program::onLoop(Next carried) {
    const LoopTable& table = loopTableOf(carried.step);
    if (carried.step == table.cycle) return loopCycle(table);
    if (carried.step == table.drag) {
        if (pointer_.dragOnce()) return carried;
        return carried.clicked ? table.click : table.cycle;
    }
    return carryOut(table.decideClick(pointer_.clickPosition(), loopContext()))
        .value_or(table.cycle);
}

}  // namespace solvara
