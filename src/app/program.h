// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "platform/geometry.h"
#include "platform/print/printer_device.h"
#include "platform/window/input_devices.h"
#include "platform/window/window_backend.h"
#include "values/triangle_values.h"

namespace solvara {

// The program never calls a screen from a screen without end: every screen or operation returns
// the step that comes next, and run() dispatches them. A step that waits for the user (a loop
// cycle) returns itself to go on waiting.
enum class Step {
    Restart,           // restartProgram: values reset, surface re-created, main screen
    MainScreen,        // showMainScreen: main screen and values rows, then the main loop
    RefreshValues,     // refreshValues: values rows, then the main loop
    MarkerStep,        // markerStep: markers, then refreshValues
    MainLoop,          // one cycle of the main loop
    EditDecimal,       // start of the decimal editor for selectedEntry
    EditDecimalKeys,   // one key cycle of the decimal editor
    EditDms,           // start of the degrees/minutes/seconds editor
    EditDmsKeys,       // one key cycle of that editor
    InputCount,        // after a commit: count the inputs, then solve or go back
    ResultsLoop,       // runResultsLoop: forget the last key, then results-loop cycles
    ResultsLoopCycle,  // one cycle of the results loop
    Exit,              // the program ends with exitStatus()
};

const char* stepName(Step step);

// What the program reaches outside the window. Tests point these at temporary places.
struct Environment {
    // The directory that holds the program file; the picture is saved there.
    std::filesystem::path programDirectory;
    // Runs a command line through the system shell and returns its exit status, or -1 when the
    // shell cannot be started.
    std::function<int(const std::string&)> runCommand;
    // The defaults for the real program: /proc/self/exe's directory and /bin/sh.
    static Environment system();
    // Runs `command` with `shell -c`, its standard output and error sent to /dev/null, and waits
    // for it: the exit status, 128 + the signal that ended it, or -1 when the shell cannot be
    // started.
    static int runThroughShell(const std::string& command, const char* shell = "/bin/sh");
};

// All program-wide state, and the program's procedures as members without arguments. Several
// instances can live in one process (each with its own backend).
class Program {
  public:
    Program(WindowBackend& backend, Environment environment);

    // Runs from start to exit and returns the exit status.
    int run();

    // Stepping, for the harness: startProgram() gives the first step, runStep() runs one.
    Step startProgram();
    Step runStep(Step step);
    int exitStatus() const { return exitStatus_; }
    // Set when the window could not be opened; the program then exits with status 1.
    const std::string& openError() const { return openError_; }

    Display& display() { return display_; }
    InputDevices& input() { return input_; }
    TriangleValues& values() { return values_; }
    const TriangleValues& values() const { return values_; }
    const Environment& environment() const { return environment_; }
    // For tests: the picture directory and the command runner can be changed after construction.
    void setEnvironment(Environment environment) { environment_ = std::move(environment); }

    // Shell state.
    static constexpr int kBackgroundColour = 15;
    Point windowPos() const { return windowPos_; }
    Point homePos() const { return homePos_; }
    Point topLeftPos() const { return topLeftPos_; }
    Point topRightPos() const { return topRightPos_; }
    Point bottomLeftPos() const { return bottomLeftPos_; }
    Point bottomRightPos() const { return bottomRightPos_; }

    // Loop state.
    const std::string& lastKey() const { return lastKey_; }

    // --- start-up and window placement (src/app/startup.cpp) ---
    Step restartProgram();
    void moveWindowTo(Point target);

    // --- main screen (src/app/main_screen.cpp) ---
    void drawMainScreen();
    void drawExplanatoryTriangle();
    void drawOtherAnswerControl();

    // --- event loops (src/app/loops.cpp) ---
    Step showMainScreen();
    Step refreshValues();
    Step markerStep();
    void placeWindow(Point target);
    Step mainLoopCycle();
    Step runResultsLoop();
    Step resultsLoopCycle();
    Step exitProgram(bool clearFirst);
    Step editCommand();
    // The text cell of a window pixel: column (x + 4) / 8, row (y + 8) / 16, halves to even.
    static Point cellOf(int x, int y);  // x = column, y = row

    // --- help screen (src/app/help.cpp) ---
    void showHelp();

    // --- marker rules, editors and values panel (src/values) ---
    void applyMarkerRules();
    Step editDecimalEntry();
    Step editDecimalKey();
    Step editDmsEntry();
    Step editDmsKey();
    Step inputCount();
    void drawValuesPanel();
    void drawValueRows();

    // --- solving and the solution check (src/results/solve_steps.cpp) ---
    Step solveRight();
    Step solveOblique();
    Step checkSolution();
    Step showCannotDoIt();

    // --- results screen and drawing (src/results) ---
    Step showResults();
    Step showSecondAnswer();
    Step switchAnswer();
    void drawRightTriangle();
    void drawObliqueTriangle();

    // --- printing and the saved picture (src/results) ---
    Step printResults();
    Step reportPrinterNotReady();
    Step savePicture();
    // The lines printResults sends, of the answer on screen, without their line ends.
    std::vector<std::string> printedLines() const;
    // Ctrl+C on the results screen: the printed lines on the desktop's clipboard, one a line.
    void copyResults();

    // Copies of the second answer as the results screen shows them.
    struct SecondAnswer {
        double x = 0, y = 0, z = 0, a = 0, b = 0, c = 0, area = 0;
        std::string xText, yText, zText, aText, bText, cText, areaText;
        std::string dText, eText, fText;
        DmsParts aParts, bParts, cParts;
        std::string aTenthsText, bTenthsText, cTenthsText;
    };
    const SecondAnswer& secondAnswer() const { return second_; }

  private:
    // Loop helpers (src/app/loops.cpp).
    bool dragTest();
    bool readClick();
    bool placementClick();
    bool onCloseBlocks() const;
    Step selectForEditing(EntryId id);
    Step changeMode(SolveMode mode);

    // Editor helpers (src/values/editors.cpp).
    void blankField(int row, int width);
    Step rejectAngle();
    void updateDecimalEdit();

    // Printing helpers.
    void drawResultButtons(bool withEdit);

    WindowBackend& backend_;
    Environment environment_;
    Display display_;
    InputDevices input_;
    PrinterDevice printer_;
    TriangleValues values_;
    SecondAnswer second_;

    int exitStatus_ = 0;
    std::string openError_;

    // Shell state.
    Point windowPos_{};
    Point homePos_{};
    Point topLeftPos_{};
    Point topRightPos_{};
    Point bottomLeftPos_{};
    Point bottomRightPos_{};
    bool placementDone_ = false;

    // Loop state.
    std::string lastKey_;
    int clickX_ = 0;
    int clickY_ = 0;
    int clickButtons_ = 0;
    bool editHelpPending_ = false;

    // The printer's file number, kept after the printer is closed.
    int printerFileNumber_ = 0;
    // The last print could not open the printer; reported once the picture is handed on.
    bool printerNotReady_ = false;
};

}  // namespace solvara
