// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/program.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "app/main_layout.h"
#include "app/main_screen.h"
#include "results/failure_report.h"
#include "results/picture.h"
#include "results/printing.h"
#include "solver/solver.h"
#include "values/commit.h"
#include "values/marker_rules.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

// The Edit help that the results screen's edit command asks for, at column 45 of rows 7 to 13.
constexpr const char* kEditHelp[7] = {
    "Edit:",
    "Only two inputs for a Right",
    "Triangle and only three inputs",
    "for an Oblique Triangle. Turn ",
    "off/on the green markers as",
    "needed. Select an entry to change",
    "and press enter when done.",
};
constexpr int kEditHelpFirstRow = 7;
constexpr int kEditHelpColumn = 45;

// The waits of start-up and of the steps between the screens.
constexpr int kBeforeOpenMs = 20;        // before the surface is (re-)made
constexpr int kDesktopSettleMs = 20;     // between the first start's questions to the desktop
constexpr int kAfterValueRowsMs = 50;    // the value rows stand before the loop takes keys
constexpr int kReleasePollMs = 5;        // while a marker click's button is still down
constexpr int kAfterReleaseMs = 20;      // once it is up
constexpr int kAfterSwitchClickMs = 50;  // lets the click that switched the answer pass
constexpr int kDrainPollMs = 100;        // keys typed while printing are read and forgotten

// The surface as every screen expects it, after it was (re-)opened: page 0, the program's four
// palette entries, the 80 x 30 text grid (which clears the page white) and the title.
void setUpSurface(Display& d) {
    d.setPages(0, 0);
    for (const PaletteEntry& entry : kProgramPalette)
        d.setPaletteEntry(paletteIndex(entry.colour), entry.packedBgr);
    d.setTextGrid(80, 30);
    d.setTitle("Solvara");
}

}  // namespace

Program::Program(WindowBackend& backend, const Environment& environment)
    : backend_(backend),
      environment_(environment),
      display_(backend),
      input_(backend, display_),
      editors_(display_, input_, values_),
      results_(display_),
      pointer_(backend, display_, input_, placement_) {}

int Program::run() {
    Next next = startProgram();
    while (next != Step::Exit)
        next = runStep(next);
    return exitStatus_;
}

Next Program::startProgram() {
    values_.solveMode = SolveMode::Right;
    return onRestart(Step::Restart);
}

Next Program::runStep(Next next) {
    // The desktop's close request ends the program wherever it is, as EXIT does; a display that
    // went away ends it with status 1, with nothing left to draw on.
    if (input_.closeRequested() && next != Step::Exit) {
        if (input_.lostDisplay().empty()) return exitProgram(false);
        exitStatus_ = 1;
        return Step::Exit;
    }
    using Handler = Next (Program::*)(Next);
    static constexpr std::array<Handler, kStepCount> kHandlers = {
#define SOLVARA_STEP_HANDLER(name) &Program::on##name,
#define SOLVARA_LOOP_HANDLER(name) &Program::onLoop,
        SOLVARA_STEPS(SOLVARA_STEP_HANDLER, SOLVARA_LOOP_HANDLER)
#undef SOLVARA_LOOP_HANDLER
#undef SOLVARA_STEP_HANDLER
    };
    return (this->*kHandlers[static_cast<std::size_t>(next.step)])(next);
}

Next Program::onRestart(Next) {
    input_.pause(kBeforeOpenMs);
    values_.reset();
    editors_.deselect();
    results_.reset();
    if (!display_.open(openError_)) {
        exitStatus_ = 1;
        return Step::Exit;
    }
    setUpSurface(display_);

    if (!backend_.canPlaceWindow()) {
        // The desktop places the window and drags it by the title row itself: the program keeps
        // no position and computes no targets, and the widget and "@" send the window nowhere.
        placement_.placeable = false;
        backend_.setDragArea(main_layout::kDragArea);
        return Step::MainScreen;
    }
    if (placement_.targetsKnown) {
        // The surface was re-created; the window goes back where the user had it.
        moveWindowTo(display_, placement_, placement_.windowPos);
        return Step::MainScreen;
    }
    // The first start: the window opened in the middle of the primary monitor, and the targets
    // follow from the monitors. The waits give the desktop time to settle between the calls.
    input_.pause(kDesktopSettleMs);
    std::vector<Monitor> monitors = display_.monitors();
    input_.pause(kDesktopSettleMs);
    placement_.start(std::move(monitors), display_.windowSize(), display_.windowPosition());
    input_.pause(kDesktopSettleMs);
    moveWindowTo(display_, placement_, placement_.windowPos);
    return Step::MainScreen;
}

Next Program::onMainScreen(Next carried) {
    alignWithMode(values_);
    drawMainScreen(display_, input_, values_.solveMode, results_.secondOnOffer());
    carried.step = Step::RefreshValues;
    return carried;
}

Next Program::onRefreshValues(Next carried) {
    refreshTexts(values_);
    drawValueRows(display_, values_);
    input_.pause(kAfterValueRowsMs);
    if (carried.editHelp) {
        display_.fillBox(results_layout::kDrawingBox, kBackground);
        for (int i = 0; i < 7; ++i)
            display_.printAt(kEditHelpFirstRow + i, kEditHelpColumn, kEditHelp[i]);
    }
    input_.showPointer();
    return Step::MainLoop;
}

Next Program::onMarkerStep(Next) {
    if (editors_.selectionLeftEmpty()) unmarkEmptied(values_, *editors_.selected());
    drawMarkers(display_, values_);
    return Step::RefreshValues;
}

Next Program::onAwaitRelease(Next) {
    // One click toggles once: wait for the button to come up. A pointer that left the window
    // counts as released.
    const PointerReading p = input_.readPointer();
    if (p.ok && (p.buttons & PointerReading::kEither)) {
        input_.pause(kReleasePollMs);
        return Step::AwaitRelease;
    }
    input_.pause(kAfterReleaseMs);
    return Step::MarkerStep;
}

Next Program::exitProgram(bool clearFirst) {
    if (clearFirst) display_.clear();
    display_.presentIfChanged();
    exitStatus_ = 0;
    return Step::Exit;
}

Next Program::onExit(Next) {
    return Step::Exit;
}

Next Program::onEditDecimal(Next) {
    editors_.decimal().start();
    return Step::EditDecimalKeys;
}

Next Program::onEditDecimalKeys(Next) {
    return editorStep(editors_.decimal().cycle(), Step::EditDecimalKeys);
}

Next Program::onEditDms(Next) {
    editors_.dms().start();
    return Step::EditDmsKeys;
}

Next Program::onEditDmsKeys(Next) {
    return editorStep(editors_.dms().cycle(), Step::EditDmsKeys);
}

Next Program::editorStep(EditOutcome outcome, Step keysStep) {
    switch (outcome) {
        case EditOutcome::Editing:
            return keysStep;
        case EditOutcome::PlaceHome:
            sendWindowTo(display_, placement_, Target::Home);
            return keysStep;
        case EditOutcome::Committed:
            return Step::InputCount;
        case EditOutcome::Cleared:
            return Step::MarkerStep;
        case EditOutcome::BackToMainScreen:
            return Step::MainScreen;
    }
    return keysStep;
}

Next Program::onInputCount(Next) {
    commitChange(values_, editors_.selected(), [this](int ms) { input_.pause(ms); });
    drawValuesPanel(display_, values_);
    return readyToSolve(values_) ? Step::Solve : Step::MainScreen;
}

Next Program::onSolve(Next) {
    const SolveOutcome outcome = solve(values_.solveMode, values_.triangle, values_.marks());
    if (outcome.kind == SolveOutcome::Kind::NoCase) return Step::Restart;
    values_.triangle = outcome.first;
    results_.allowEditing();
    results_.solvedBy(outcome.solvedBy.kind);
    if (values_.solveMode == SolveMode::Oblique) {
        results_.offer(outcome.second);
        // Offered at once, before the first answer is even checked.
        if (outcome.second) drawOtherAnswerControl(display_);
    }
    if (outcome.kind == SolveOutcome::Kind::CannotDoIt) return Step::CannotDoIt;
    return showChecked(outcome.angleTotalNotice);
}

Next Program::onCheckSolution(Next) {
    const SolutionCheck check = checkSolution(values_.solveMode, values_.triangle);
    if (!check.accepted) return Step::CannotDoIt;
    return showChecked(check.angleTotalNotice);
}

Next Program::showChecked(const std::optional<double>& angleTotalNotice) {
    if (angleTotalNotice) showAngleTotal(display_, *angleTotalNotice);
    // A second answer chosen at an earlier solve opens a new one that has it on that answer.
    return results_.secondOnScreen(values_.solveMode) ? Step::ShowSecondAnswer : Step::ShowResults;
}

Next Program::onCannotDoIt(Next) {
    flashCannotDoIt(display_, input_);
    return Step::Restart;
}

Next Program::onShowResults(Next) {
    results_.showFirstAnswer(values_.solveMode, values_.triangle);
    return Step::ResultsCycle;
}

Next Program::onShowSecondAnswer(Next) {
    results_.showSecondAnswer();
    return Step::ResultsCycle;
}

Next Program::onSwitchAnswer(Next) {
    const bool toSecond = results_.chooseOtherAnswer();

    // The click that asked for the switch must not be taken again by the results loop.
    input_.movePointer(results_layout::kPointerHome);
    input_.pause(kAfterSwitchClickMs);
    (void)input_.readPointer();
    pointer_.forgetClick();

    alignWithMode(values_);
    drawMainScreen(display_, input_, values_.solveMode, results_.secondOnOffer());
    if (toSecond) return Step::ShowSecondAnswer;
    // Going back, the first answer is drawn, checked again and shown by the results screen.
    results_.drawFirstOblique(values_.triangle);
    return Step::CheckSolution;
}

Next Program::onPrint(Next) {
    Next next = Step::SavePicture;
    next.printerNotReady = !printResults(input_, printer_, values_.solveMode, results_);
    return next;
}

Next Program::onSavePicture(Next carried) {
    const int status = savePicture(display_, input_, environment_);
    return status == -1 || carried.printerNotReady ? Step::PrinterNotReady : Step::DrainKeys;
}

Next Program::onPrinterNotReady(Next) {
    reportPrinterNotReady(display_, input_, printer_, results_);
    return Step::ResultsCycle;
}

Next Program::onDrainKeys(Next) {
    input_.pause(kDrainPollMs);
    return input_.readKey() ? Step::DrainKeys : Step::ResultsCycle;
}

}  // namespace solvara
