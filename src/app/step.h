// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstddef>

namespace solvara {

// The program never calls a screen from a screen without end: every screen or operation returns
// the step that comes next, and Program::runStep dispatches them. A step that waits for the user
// returns itself to go on waiting. The one list of steps: Program runs X(name) with its member
// on<name>, and the loops' six steps, LOOP(name), with the one loop cycle (onLoop).
#define SOLVARA_STEPS(X, LOOP)                                                                   \
    X(Restart)          /* values reset, surface re-created, then the main screen */             \
    X(MainScreen)       /* the main screen and the value rows, then the main loop */             \
    X(RefreshValues)    /* the value rows (and the Edit help when carried), then the loop */     \
    X(MarkerStep)       /* the markers, then the value rows */                                   \
    LOOP(MainLoop)      /* a cycle of the main loop: its pause, one key and the click read */    \
    LOOP(MainDrag)      /* the drag test, again while the window is being dragged */             \
    LOOP(MainClick)     /* the main click table */                                               \
    X(AwaitRelease)     /* after a marker click, until the button comes up */                    \
    X(EditDecimal)      /* the decimal editor starts on the selected entry */                    \
    X(EditDecimalKeys)  /* one key cycle of the decimal editor */                                \
    X(EditDms)          /* the degrees/minutes/seconds editor starts */                          \
    X(EditDmsKeys)      /* one key cycle of that editor */                                       \
    X(InputCount)       /* after a commit: count the inputs, then solve or go back */            \
    X(Solve)            /* the solver of the mode, and the check of its answer */                \
    X(CheckSolution)    /* the first answer checked again, on the way back from the second */    \
    X(CannotDoIt)       /* the failure flash, then a fresh start */                              \
    X(ShowResults)      /* the results screen on the first answer */                             \
    X(ShowSecondAnswer) /* the results screen on the second answer */                            \
    X(SwitchAnswer)     /* from one answer to the other */                                       \
    LOOP(ResultsCycle)  /* a cycle of the results loop: its pause, one key and the click read */ \
    LOOP(ResultsDrag)   /* the drag test of the results loop */                                  \
    LOOP(ResultsClick)  /* the results click table */                                            \
    X(Print)            /* the page to the printer */                                            \
    X(SavePicture)      /* the screen as Solvara.bmp and the picture-print command */            \
    X(DrainKeys)        /* keys typed meanwhile are forgotten, then the results loop */          \
    X(PrinterNotReady)  /* the printer message, then the results loop */                         \
    X(Exit)             /* the program ends with Program::exitStatus() */

enum class Step {
#define SOLVARA_STEP_ENUMERATOR(name) name,
    SOLVARA_STEPS(SOLVARA_STEP_ENUMERATOR, SOLVARA_STEP_ENUMERATOR)
#undef SOLVARA_STEP_ENUMERATOR
};

#define SOLVARA_STEP_ONE(name) +1
inline constexpr std::size_t kStepCount = 0 SOLVARA_STEPS(SOLVARA_STEP_ONE, SOLVARA_STEP_ONE);
#undef SOLVARA_STEP_ONE

constexpr const char* stepName(Step step) {
    constexpr std::array<const char*, kStepCount> kNames = {
#define SOLVARA_STEP_NAME(name) #name,
        SOLVARA_STEPS(SOLVARA_STEP_NAME, SOLVARA_STEP_NAME)
#undef SOLVARA_STEP_NAME
    };
    return kNames[static_cast<std::size_t>(step)];
}

// A step and what it carries from the one before it.
struct Next {
    constexpr Next(Step s) : step(s) {}  // NOLINT(google-explicit-constructor): a step alone

    Step step;
    // MainScreen, RefreshValues: EDIT on the results screen asked for the Edit help.
    bool editHelp = false;
    // SavePicture: the print before it could not open the printer.
    bool printerNotReady = false;
    // MainDrag, ResultsDrag: the cycle read a click, acted on after the drag test.
    bool clicked = false;

    friend constexpr bool operator==(Next n, Step s) { return n.step == s; }
};

// Whether the step waits for the user: a loop or an editor about to read its next key.
constexpr bool waitsForInput(Step step) {
    return step == Step::MainLoop || step == Step::ResultsCycle || step == Step::EditDecimalKeys ||
           step == Step::EditDmsKeys;
}

}  // namespace solvara
