// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/program.h"

#include <string>
#include <utility>
#include <vector>

#include "app/main_layout.h"
#include "app/main_screen.h"
#include "platform/text/number_format.h"
#include "results/clipboard.h"
#include "results/failure_report.h"
#include "results/picture.h"
#include "results/printing.h"
#include "solver/solver.h"
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

// The surface as every screen expects it, after it was (re-)opened: page 0, the program's four
// palette entries, black on white, the 80 x 30 text grid (which clears the page white) and the
// title.
void setUpSurface(Display& d) {
    d.setPages(0, 0);
    d.setPaletteEntry(paletteIndex(Colour::Green), 0x002801);
    d.setPaletteEntry(paletteIndex(Colour::Ivory), 0x363A3A);
    d.setPaletteEntry(paletteIndex(Colour::Orange), 0x082538);
    d.setPaletteEntry(paletteIndex(Colour::SeaGreen), 0x1B280C);
    d.setColors(Colour::Black, kBackground);
    d.setTextGrid(80, 30);
    d.setTitle("Solvara");
}

}  // namespace

const char* stepName(Step step) {
    switch (step) {
        case Step::Restart:
            return "Restart";
        case Step::MainScreen:
            return "MainScreen";
        case Step::RefreshValues:
            return "RefreshValues";
        case Step::MarkerStep:
            return "MarkerStep";
        case Step::MainLoop:
            return "MainLoop";
        case Step::MainDrag:
            return "MainDrag";
        case Step::MainClick:
            return "MainClick";
        case Step::AwaitRelease:
            return "AwaitRelease";
        case Step::EditDecimal:
            return "EditDecimal";
        case Step::EditDecimalKeys:
            return "EditDecimalKeys";
        case Step::EditDms:
            return "EditDms";
        case Step::EditDmsKeys:
            return "EditDmsKeys";
        case Step::InputCount:
            return "InputCount";
        case Step::Solve:
            return "Solve";
        case Step::CheckSolution:
            return "CheckSolution";
        case Step::CannotDoIt:
            return "CannotDoIt";
        case Step::ShowResults:
            return "ShowResults";
        case Step::ShowSecondAnswer:
            return "ShowSecondAnswer";
        case Step::SwitchAnswer:
            return "SwitchAnswer";
        case Step::ResultsCycle:
            return "ResultsCycle";
        case Step::ResultsDrag:
            return "ResultsDrag";
        case Step::ResultsClick:
            return "ResultsClick";
        case Step::Print:
            return "Print";
        case Step::SavePicture:
            return "SavePicture";
        case Step::DrainKeys:
            return "DrainKeys";
        case Step::PrinterNotReady:
            return "PrinterNotReady";
        case Step::Exit:
            return "Exit";
    }
    return "?";
}

Program::Program(WindowBackend& backend, Environment environment)
    : backend_(backend),
      environment_(std::move(environment)),
      display_(backend),
      input_(backend, display_),
      decimalEditor_(display_, input_, values_),
      dmsEditor_(display_, input_, values_),
      results_(display_, values_) {}

int Program::run() {
    Step step = startProgram();
    while (step != Step::Exit)
        step = runStep(step);
    return exitStatus_;
}

Step Program::startProgram() {
    values_.solveMode = SolveMode::Right;
    return restart();
}

Step Program::runStep(Step step) {
    // The desktop's close request ends the program wherever it is, as EXIT does; a display that
    // went away ends it with status 1, with nothing left to draw on.
    if (input_.closeRequested() && step != Step::Exit) {
        if (input_.lostDisplay().empty()) return exitProgram(false);
        exitStatus_ = 1;
        return Step::Exit;
    }
    switch (step) {
        case Step::Restart:
            return restart();
        case Step::MainScreen:
            return showMainScreen();
        case Step::RefreshValues:
            return refreshValues();
        case Step::MarkerStep:
            return markerStep();
        case Step::MainLoop:
            return mainLoop();
        case Step::MainDrag:
            return mainDrag();
        case Step::MainClick:
            return mainClick();
        case Step::AwaitRelease:
            return awaitRelease();
        case Step::EditDecimal:
            decimalEditor_.start();
            return Step::EditDecimalKeys;
        case Step::EditDecimalKeys:
            return editorStep(decimalEditor_.cycle(), Step::EditDecimalKeys);
        case Step::EditDms:
            dmsEditor_.start();
            return Step::EditDmsKeys;
        case Step::EditDmsKeys:
            return editorStep(dmsEditor_.cycle(), Step::EditDmsKeys);
        case Step::InputCount:
            return inputCount();
        case Step::Solve:
            return solve();
        case Step::CheckSolution:
            return checkSolution();
        case Step::CannotDoIt:
            flashCannotDoIt(display_, input_);
            return Step::Restart;
        case Step::ShowResults:
            results_.showFirstAnswer();
            return Step::ResultsCycle;
        case Step::ShowSecondAnswer:
            results_.drawObliqueAnswer();
            results_.showSecondAnswer();
            return Step::ResultsCycle;
        case Step::SwitchAnswer:
            return switchAnswer();
        case Step::ResultsCycle:
            return resultsCycle();
        case Step::ResultsDrag:
            return resultsDrag();
        case Step::ResultsClick:
            return resultsClick();
        case Step::Print:
            printerNotReady_ = !printResults(input_, printer_, values_, results_);
            return Step::SavePicture;
        case Step::SavePicture:
            return savePicture();
        case Step::DrainKeys:
            return drainKeys();
        case Step::PrinterNotReady:
            reportPrinterNotReady(display_, input_, printer_, results_);
            return Step::ResultsCycle;
        case Step::Exit:
            return Step::Exit;
    }
    return Step::Exit;
}

Step Program::restart() {
    input_.pause(20);
    values_.reset();
    display_.setColors(Colour::Black, kBackground);
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
    input_.pause(20);
    std::vector<Monitor> monitors = display_.monitors();
    input_.pause(20);
    placement_.start(std::move(monitors), display_.windowSize(), display_.windowPosition());
    input_.pause(20);
    moveWindowTo(display_, placement_, placement_.windowPos);
    return Step::MainScreen;
}

Step Program::showMainScreen() {
    drawMainScreen(display_, input_, values_);
    return Step::RefreshValues;
}

Step Program::refreshValues() {
    drawValueRows(display_, values_);
    input_.pause(50);
    if (editHelpPending_) {
        editHelpPending_ = false;
        display_.box(results_layout::kDrawingBox, kBackground, Shape::FilledBox);
        for (int i = 0; i < 7; ++i) {
            display_.locate(7 + i, 45);
            display_.print(kEditHelp[i], false);
        }
    }
    input_.setPointer(std::nullopt, std::nullopt, true);
    return Step::MainLoop;
}

Step Program::markerStep() {
    TriangleValues& v = values_;
    // An entry left empty by its editor is not an input.
    if (v.selected && !isDmsAngle(*v.selected) && parseNumber(v.editText) == 0) {
        v.markers.set(*v.selected, false);
        v.markers.set(dmsAngleOf(*v.selected), false);
    }
    drawMarkers(display_, v, true);
    return Step::RefreshValues;
}

Step Program::exitProgram(bool clearFirst) {
    if (clearFirst) display_.clear();
    display_.presentIfChanged();
    exitStatus_ = 0;
    return Step::Exit;
}

Step Program::editorStep(EditOutcome outcome, Step keysStep) {
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

Step Program::inputCount() {
    drawValuesPanel(display_, input_, values_);
    return readyToSolve(values_) ? Step::Solve : Step::MainScreen;
}

Step Program::solve() {
    TriangleValues& v = values_;
    const SolveOutcome outcome = solvara::solve(v.solveMode, v.triangle, v.marks());
    if (outcome.kind == SolveOutcome::Kind::NoCase) return Step::Restart;
    v.triangle = outcome.first;
    v.editBlocked = false;
    if (v.solveMode == SolveMode::Oblique) {
        v.secondAnswer = outcome.second;
        // Offered at once, before the first answer is even checked.
        if (v.secondAnswer) drawOtherAnswerControl(display_);
    }
    if (outcome.kind == SolveOutcome::Kind::CannotDoIt) return Step::CannotDoIt;
    return showChecked(outcome.angleTotalNotice);
}

Step Program::checkSolution() {
    const SolutionCheck check = solvara::checkSolution(values_.solveMode, values_.triangle);
    if (!check.accepted) return Step::CannotDoIt;
    return showChecked(check.angleTotalNotice);
}

Step Program::showChecked(const std::optional<double>& angleTotalNotice) {
    if (angleTotalNotice) showAngleTotal(display_, *angleTotalNotice);
    // A second answer chosen at an earlier solve opens a new one that has it on that answer.
    return values_.secondAnswerOnScreen() ? Step::ShowSecondAnswer : Step::ShowResults;
}

Step Program::switchAnswer() {
    TriangleValues& v = values_;
    const bool toSecond = !v.secondAnswerShown;
    v.secondAnswerShown = toSecond;
    v.editBlocked = toSecond;

    // The click that asked for the switch must not be taken again by the results loop.
    input_.setPointer(320, 240, std::nullopt);
    input_.pause(50);
    (void)input_.readPointer();
    click_ = ClickState{};

    drawMainScreen(display_, input_, v);
    if (toSecond) return Step::ShowSecondAnswer;
    // Going back, the first answer is drawn, checked again and shown by the results screen.
    results_.drawObliqueAnswer();
    return Step::CheckSolution;
}

Step Program::savePicture() {
    const int status = solvara::savePicture(display_, input_, environment_);
    return status == -1 || printerNotReady_ ? Step::PrinterNotReady : Step::DrainKeys;
}

Step Program::drainKeys() {
    input_.pause(100);
    return input_.readKey() ? Step::DrainKeys : Step::ResultsCycle;
}

}  // namespace solvara
