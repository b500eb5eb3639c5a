// SPDX-License-Identifier: GPL-2.0-or-later
// The application room: the program's driver loop and its parts, start-up and window placement,
// the main screen, the two event loops and the help screen.
#pragma once

#include <optional>
#include <string>

#include "app/help.h"
#include "app/loop_decisions.h"
#include "app/placement.h"
#include "app/step.h"
#include "platform/display/display.h"
#include "platform/files/environment.h"
#include "platform/print/printer_device.h"
#include "platform/window/input_devices.h"
#include "platform/window/window_backend.h"
#include "results/results_screen.h"
#include "values/editors.h"
#include "values/triangle_values.h"

namespace solvara {

// The pointer as the loops last read it: where it was and which buttons were down (bit 0 left,
// bit 1 right). A failed read keeps the position.
struct ClickState {
    Point position{};
    int buttons = 0;
};

// The program: it owns the display, the input devices, the printer, the record and the screens,
// and runs one driver loop of steps. Several can live in one process, each with its own backend.
class Program {
  public:
    Program(WindowBackend& backend, Environment environment);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs from start to exit and returns the exit status.
    int run();

    // Stepping, for tests: startProgram() gives the first step, runStep() runs one.
    Step startProgram();
    Step runStep(Step step);
    int exitStatus() const { return exitStatus_; }
    // Set when the window could not be opened; the program then exits with status 1.
    const std::string& openError() const { return openError_; }

    Display& display() { return display_; }
    InputDevices& input() { return input_; }
    TriangleValues& values() { return values_; }
    const TriangleValues& values() const { return values_; }
    const Placement& placement() const { return placement_; }
    const ResultsScreen& results() const { return results_; }
    const Environment& environment() const { return environment_; }
    // For tests: the picture directory and the command runner can be changed after start.
    void setEnvironment(Environment environment) { environment_ = std::move(environment); }

  private:
    // Start-up and the main screen (program.cpp).
    Step restart();
    Step showMainScreen();
    Step refreshValues();
    Step markerStep();
    Step exitProgram(bool clearFirst);

    // The loops (loops.cpp).
    Step mainLoop();
    Step mainDrag();
    Step mainClick();
    Step awaitRelease();
    Step resultsCycle();
    Step resultsDrag();
    Step resultsClick();
    // Carries out a loop's decision: the next step, or nothing when the loop goes on.
    std::optional<Step> carryOut(const Decision& decision);
    // One pass of the drag test; true while a drag goes on and the test repeats.
    bool dragOnce();
    // Reads the pointer into the click state; true when a button is down.
    bool readClick();
    ResultsState resultsState() const;
    void help();

    // Entry and solving (program.cpp).
    Step editorStep(EditOutcome outcome, Step keysStep);
    Step inputCount();
    Step solve();
    Step checkSolution();
    Step showChecked(const std::optional<double>& angleTotalNotice);
    Step switchAnswer();
    Step savePicture();
    Step drainKeys();

    WindowBackend& backend_;
    Environment environment_;
    Display display_;
    InputDevices input_;
    PrinterDevice printer_;
    TriangleValues values_;
    Placement placement_;
    DecimalEditor decimalEditor_;
    DmsEditor dmsEditor_;
    ResultsScreen results_;

    ClickState click_;
    // While the title row is dragged: the point of the window the pointer holds it by, in
    // desktop pixels from its top-left corner.
    std::optional<Point> dragGrip_;
    // The click read at the start of a loop cycle, acted on after its drag test.
    bool clicked_ = false;
    // The results screen's edit command asks the next values refresh for the Edit help.
    bool editHelpPending_ = false;
    // The last print could not open the printer; reported once the picture is handed on.
    bool printerNotReady_ = false;

    int exitStatus_ = 0;
    std::string openError_;
};

}  // namespace solvara
