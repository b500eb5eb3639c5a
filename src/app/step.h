// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace solvara {

// The program never calls a screen from a screen without end: every screen or operation returns
// the step that comes next, and Program::runStep dispatches them. A step that waits for the user
// returns itself to go on waiting.
enum class Step {
    Restart,           // values reset, surface re-created, then the main screen
    MainScreen,        // the main screen and the value rows, then the main loop
    RefreshValues,     // the value rows (and the Edit help when asked for), then the main loop
    MarkerStep,        // the markers, then the value rows
    MainLoop,          // a cycle of the main loop: its pause, one key and the click read
    MainDrag,          // the drag test, again while the window is being dragged
    MainClick,         // the main click table
    AwaitRelease,      // after a marker click, until the button comes up
    EditDecimal,       // the decimal editor starts on the selected entry
    EditDecimalKeys,   // one key cycle of the decimal editor
    EditDms,           // the degrees/minutes/seconds editor starts
    EditDmsKeys,       // one key cycle of that editor
    InputCount,        // after a commit: count the inputs, then solve or go back
    Solve,             // the solver of the mode, and the check of its answer
    CheckSolution,     // the first answer checked again, on the way back from the second
    CannotDoIt,        // the failure flash, then a fresh start
    ShowResults,       // the results screen on the first answer
    ShowSecondAnswer,  // the results screen on the second answer
    SwitchAnswer,      // from one answer to the other
    ResultsCycle,      // a cycle of the results loop: its pause, one key and the click read
    ResultsDrag,       // the drag test of the results loop
    ResultsClick,      // the results click table
    Print,             // the page to the printer
    SavePicture,       // the screen as Solvara.bmp and the picture-print command
    DrainKeys,         // keys typed meanwhile are forgotten, then the results loop
    PrinterNotReady,   // the printer message, then the results loop
    Exit,              // the program ends with Program::exitStatus()
};

const char* stepName(Step step);

// Whether the step waits for the user: a loop or an editor about to read its next key.
constexpr bool waitsForInput(Step step) {
    return step == Step::MainLoop || step == Step::ResultsCycle || step == Step::EditDecimalKeys ||
           step == Step::EditDmsKeys;
}

}  // namespace solvara
