// SPDX-License-Identifier: GPL-2.0-or-later
// The application room: the program's driver loop and its parts, start-up and window placement,
// the main screen, the two event loops and the help screen.
#pragma once

#include <optional>
#include <string>

#include "app/event_loop.h"
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

// The program: it owns the display, the input devices, the printer, the record, the editors, the
// results screen and the loop's pointer, and runs one driver loop of steps. Several can live in
// one process, each with its own backend.
class Program {
  public:
    // The environment stays the caller's: where the program lives, where pictures go and how
    // commands run are asked of it at every print.
    Program(WindowBackend& backend, const Environment& environment);
    Program(WindowBackend& backend, Environment&& environment) = delete;
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs from start to exit and returns the exit status.
    int run();

    // Stepping, for tests: startProgram() gives the first step, runStep() runs one.
    Next startProgram();
    Next runStep(Next next);
    int exitStatus() const { return exitStatus_; }
    // Set when the window could not be opened; the program then exits with status 1.
    const std::string& openError() const { return openError_; }

    Display& display() { return display_; }
    InputDevices& input() { return input_; }
    TriangleValues& values() { return values_; }
    const TriangleValues& values() const { return values_; }
    const Editors& editors() const { return editors_; }
    const Placement& placement() const { return placement_; }
    ResultsScreen& results() { return results_; }
    const ResultsScreen& results() const { return results_; }

  private:
    // One member function a step, named after it (Step::Restart runs onRestart), and one for the
    // loops' steps; each gets the step with what it carries and returns the next.
#define SOLVARA_STEP_DECLARATION(name) Next on##name(Next carried);
#define SOLVARA_NO_DECLARATION(name)
    SOLVARA_STEPS(SOLVARA_STEP_DECLARATION, SOLVARA_NO_DECLARATION)
#undef SOLVARA_NO_DECLARATION
#undef SOLVARA_STEP_DECLARATION
    Next onLoop(Next carried);

    Next exitProgram(bool clearFirst);
    // The loops (loops.cpp): one cycle, drag test and click of either screen's table.
    Next loopCycle(const LoopTable& table);
    LoopContext loopContext() const;
    // Carries out a loop's decision: the next step, or nothing when the loop goes on.
    std::optional<Next> carryOut(const Decision& decision);
    void help();
    void figures();

    // Entry and solving (program.cpp).
    Next editorStep(EditOutcome outcome, Step keysStep);
    Next showChecked(const std::optional<double>& angleTotalNotice);
    // The commit at the input count, with the window's waits.
    void commitValues();

    WindowBackend& backend_;
    const Environment& environment_;
    Display display_;
    InputDevices input_;
    PrinterDevice printer_;
    TriangleValues values_;
    Placement placement_;
    Editors editors_;
    ResultsScreen results_;
    LoopPointer pointer_;

    int exitStatus_ = 0;
    std::string openError_;
};

}  // namespace solvara
