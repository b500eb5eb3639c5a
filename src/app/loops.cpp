// SPDX-License-Identifier: GPL-2.0-or-later
// The main loop and the results loop: each cycle pauses, takes at most one key, follows a drag
// of the title bar and tests a click, and the loops' tables (loop_decisions) say what each key
// and click does.
#include <cstdlib>

#include "app/main_layout.h"
#include "app/program.h"
#include "results/clipboard.h"
#include "results/printing.h"
#include "values/marker_rules.h"

namespace solvara {

namespace {

// A drag step larger than this between the two reads counts as no movement on that axis.
constexpr int kLargestDragStepPx = 200;

bool leftHeld(const PointerReading& p) {
    return p.ok && (p.buttons & PointerReading::kLeft) != 0;
}

}  // namespace

void Program::help() {
    showHelp(display_, input_, placement_);
}

bool Program::readClick() {
    const PointerReading p = input_.readPointer();
    if (p.ok) {
        click_ = ClickState{Point{p.x, p.y}, p.buttons};
    } else {
        // The pointer is outside the window: keep where the last click was, but not its
        // buttons, so that a click is acted on once and not again every cycle.
        click_.buttons = 0;
    }
    return (click_.buttons & PointerReading::kEither) != 0;
}

bool Program::dragOnce() {
    // Where the desktop drags the window itself, a press on the title row never reaches the
    // program, and the program could not move the window anyway.
    if (!placement_.placeable) return false;
    // The window follows the pointer on the desktop: it goes where the point of the title row
    // it was taken by lies under the pointer, so motion the desktop saw while the window moved
    // is caught up and none is lost, however the window manager delays the moves. The pointer is
    // read twice, 5 ms apart, and a press seen by either read starts the drag where it was made;
    // a jump of more than 200 pixels between the two reads is no movement on that axis: the
    // window stays and follows the pointer from there.
    const auto heldOnDragArea = [](const PointerReading& p) {
        return leftHeld(p) && onDragArea(Point{p.x, p.y});
    };
    const PointerReading first = input_.heldPointer();
    if (!dragGrip_ && heldOnDragArea(first)) dragGrip_ = backend_.pointerInWindow();
    // The desktop is asked only while a drag goes on: each question is a round trip to the
    // X server, which the idle loop need not pay.
    std::optional<Point> before;
    if (dragGrip_) before = backend_.pointerOnDesktop();
    input_.pause(5);
    const PointerReading second = input_.heldPointer();
    if (!dragGrip_) {
        if (!heldOnDragArea(second)) return false;
        dragGrip_ = backend_.pointerInWindow();
    }
    const Point now = backend_.pointerOnDesktop();
    const Point from = before.value_or(now);
    if (std::abs(now.x - from.x) > kLargestDragStepPx) dragGrip_->x += now.x - from.x;
    if (std::abs(now.y - from.y) > kLargestDragStepPx) dragGrip_->y += now.y - from.y;
    const Point to{now.x - dragGrip_->x, now.y - dragGrip_->y};
    if (to != placement_.windowPos) moveWindowTo(display_, placement_, to);
    // The motion up to the release is followed; then the drag is over.
    if (leftHeld(second)) return true;
    dragGrip_.reset();
    return false;
}

std::optional<Step> Program::carryOut(const Decision& d) {
    switch (d.command) {
        case Command::None:
            return std::nullopt;
        case Command::Help:
            // The help screen uses up the clicks made while it is shown: the loop goes on to
            // its next cycle and acts only on a click made after that.
            help();
            return std::nullopt;
        case Command::Select:
            selectEntry(values_, d.entry);
            return isDmsAngle(d.entry) ? Step::EditDms : Step::EditDecimal;
        case Command::ToggleMarker:
            toggleMarker(values_, d.entry);
            return Step::AwaitRelease;
        case Command::Right:
        case Command::Oblique:
            // Leaving the results screen: the other answer is no longer on offer.
            setSolveMode(values_,
                         d.command == Command::Right ? SolveMode::Right : SolveMode::Oblique);
            values_.secondAnswer.reset();
            input_.pause(200);
            return Step::MainScreen;
        case Command::Clear:
            input_.pause(200);
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
        case Command::Edit:
            input_.pause(200);
            values_.selected.reset();
            editHelpPending_ = true;
            values_.secondAnswer.reset();
            return Step::MainScreen;
        case Command::SwitchAnswer:
            return Step::SwitchAnswer;
        case Command::Copy:
            backend_.setClipboardText(clipboardText(printedLines(
                values_.solveMode, results_.shownTexts(), values_.heightText, values_.widthText)));
            return std::nullopt;
    }
    return std::nullopt;
}

Step Program::mainLoop() {
    input_.pause(10);
    if (const Key key = input_.readKey()) {
        if (const auto next = carryOut(decideMainKey(key, values_.solveMode))) return *next;
    }
    // The click is read before the drag test, whose pause may let a short click's release
    // through.
    clicked_ = readClick();
    return Step::MainDrag;
}

Step Program::mainDrag() {
    if (dragOnce()) return Step::MainDrag;
    return clicked_ ? Step::MainClick : Step::MainLoop;
}

Step Program::mainClick() {
    return carryOut(decideMainClick(click_.position, values_.solveMode)).value_or(Step::MainLoop);
}

Step Program::awaitRelease() {
    // One click toggles once: wait for the button to come up. A pointer that left the window
    // counts as released.
    const PointerReading p = input_.readPointer();
    if (p.ok && (p.buttons & PointerReading::kEither)) {
        input_.pause(5);
        return Step::AwaitRelease;
    }
    input_.pause(20);
    return Step::MarkerStep;
}

ResultsState Program::resultsState() const {
    return ResultsState{values_.editBlocked, values_.secondAnswer.has_value()};
}

Step Program::resultsCycle() {
    input_.pause(20);
    if (const Key key = input_.readKey()) {
        if (const auto next = carryOut(decideResultsKey(key, resultsState()))) return *next;
        input_.setPointer(std::nullopt, std::nullopt, true);
    }
    // As in the main loop, the click is read before the drag test.
    clicked_ = readClick();
    return Step::ResultsDrag;
}

Step Program::resultsDrag() {
    if (dragOnce()) return Step::ResultsDrag;
    return clicked_ ? Step::ResultsClick : Step::ResultsCycle;
}

Step Program::resultsClick() {
    return carryOut(decideResultsClick(click_.position, resultsState()))
        .value_or(Step::ResultsCycle);
}

}  // namespace solvara
