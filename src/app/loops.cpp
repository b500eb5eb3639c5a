// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "app/program.h"
#include "platform/text/number_format.h"
#include "values/marker_rules.h"

namespace solvara {

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;

bool inside(int x, int y, int left, int top, int right, int bottom) {
    return left < x && x < right && top < y && y < bottom;
}

// The entry a key selects on the main screen, or none. C and F only exist in Oblique mode.
EntryId entryForKey(char key, SolveMode mode) {
    switch (key) {
        case 'X':
        case 'x':
            return entry::X;
        case 'Y':
        case 'y':
            return entry::Y;
        case 'Z':
        case 'z':
            return entry::Z;
        case 'A':
        case 'a':
            return entry::A;
        case 'D':
        case 'd':
            return entry::D;
        case 'B':
        case 'b':
            return entry::B;
        case 'E':
        case 'e':
            return entry::E;
        case 'C':
        case 'c':
            return mode == SolveMode::Oblique ? entry::C : entry::kNone;
        case 'F':
        case 'f':
            return mode == SolveMode::Oblique ? entry::F : entry::kNone;
        default:
            return entry::kNone;
    }
}

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

}  // namespace

Point Program::cellOf(int x, int y) {
    // Halves go to the even neighbour, as the rounding of the pixel-to-cell mapping always has.
    const double column = std::nearbyint((x + 4) / 8.0);
    const double row = std::nearbyint((y + 8) / 16.0);
    return Point{static_cast<int>(column), static_cast<int>(row)};
}

Step Program::showMainScreen() {
    drawMainScreen();
    return Step::RefreshValues;
}

Step Program::refreshValues() {
    drawValueRows();
    input_.pause(50);
    if (editHelpPending_) {
        editHelpPending_ = false;
        display_.line(350, 35, 638, 280, kBackgroundColour, Shape::FilledBox);
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
    if (parseNumber(v.editText) == 0) {
        if (isSide(v.selectedEntry)) {
            v.setMarker(v.selectedEntry, false);
        } else if (isDecimalAngle(v.selectedEntry)) {
            v.setMarker(v.selectedEntry, false);
            v.setMarker(dmsAngleOf(v.selectedEntry), false);
        }
    }
    for (const bool on : {true, false}) {
        display_.setColors(on ? 2 : 7, kBackgroundColour);
        for (EntryId id = entry::kFirst; id <= entry::kLast; ++id) {
            if (v.markerOn(id) != on) continue;
            display_.locate(id, 37);
            display_.print("\x10", true);
        }
    }
    return Step::RefreshValues;
}

void Program::placeWindow(Point target) {
    moveWindowTo(target);
}

bool Program::dragTest() {
    bool dragged = false;
    while (!input_.closeRequested()) {
        const PointerReading first = input_.readPointer();
        input_.pause(5);
        if (!(first.buttons & kLeft)) break;
        const PointerReading second = input_.readPointer();
        int dx = second.x - first.x;
        int dy = second.y - first.y;
        if (dx > 200 || dx < -200) dx = 0;
        if (dy > 200 || dy < -200) dy = 0;
        const Point cell = cellOf(first.x, first.y);
        if (!(cell.y == 1 && 1 < cell.x && cell.x < 70)) break;
        windowPos_.x += dx;
        windowPos_.y += dy;
        display_.moveWindow(windowPos_.x, windowPos_.y);
        input_.setPointer(first.x, first.y, std::nullopt);
        dragged = true;
    }
    return dragged;
}

bool Program::readClick() {
    const PointerReading p = input_.readPointer();
    if (p.ok) {
        clickX_ = p.x;
        clickY_ = p.y;
        clickButtons_ = p.buttons;
    } else {
        // The pointer is outside the window: keep where the last click was, but not its
        // buttons, so that a click is acted on once and not again every cycle.
        clickButtons_ = 0;
    }
    return (clickButtons_ & (kLeft | kRight)) != 0;
}

Step Program::selectForEditing(EntryId id) {
    selectEntry(values_, id);
    return isDmsAngle(id) ? Step::EditDms : Step::EditDecimal;
}

Step Program::changeMode(SolveMode mode) {
    values_.solveMode = mode;
    input_.pause(200);
    return Step::MainScreen;
}

bool Program::placementClick() {
    const struct {
        int left, top, right, bottom;
        Point Program::*target;
    } widget[] = {
        {133, 227, 140, 234, &Program::homePos_},
        {141, 235, 148, 242, &Program::bottomRightPos_},
        {125, 219, 132, 226, &Program::topLeftPos_},
        {125, 235, 132, 242, &Program::bottomLeftPos_},
        {141, 219, 148, 226, &Program::topRightPos_},
    };
    bool placed = false;
    for (const auto& w : widget) {
        if (inside(clickX_, clickY_, w.left, w.top, w.right, w.bottom)) {
            placeWindow(this->*w.target);
            placed = true;
        }
    }
    return placed;
}

bool Program::onCloseBlocks() const {
    const Point cell = cellOf(clickX_, clickY_);
    return cell.y == 1 && 71 < cell.x && cell.x < 81;
}

Step Program::mainLoopCycle() {
    input_.pause(10);
    lastKey_ = input_.readKey();
    if (lastKey_.size() == 1) {
        const char key = lastKey_[0];
        if (const EntryId id = entryForKey(key, values_.solveMode); id != entry::kNone)
            return selectForEditing(id);
        switch (key) {
            case 'R':
            case 'r':
                return changeMode(SolveMode::Right);
            case 'O':
            case 'o':
                return changeMode(SolveMode::Oblique);
            case 27:
                return exitProgram(true);
            case '@':
                placeWindow(homePos_);
                break;
            case 'H':
            case 'h':
                showHelp();
                break;
            default:
                break;
        }
    }

    dragTest();
    if (!readClick()) return Step::MainLoop;

    // The click table, in order; "goes on" actions fall through to the later tests. The help
    // screen leaves its own click state behind, which the later tests then use.
    const int x = clickX_, y = clickY_;
    if (onCloseBlocks()) return exitProgram(false);
    if (inside(x, y, 43, 186, 100, 210)) return exitProgram(false);
    if (inside(x, y, 110, 186, 170, 210)) {
        input_.pause(200);
        return Step::Restart;
    }
    if (inside(x, y, 180, 186, 245, 210)) return changeMode(SolveMode::Right);
    if (inside(x, y, 254, 186, 328, 210)) return changeMode(SolveMode::Oblique);
    if (inside(x, y, 43, 218, 100, 242)) showHelp();
    placementClick();

    const Point cell = cellOf(clickX_, clickY_);
    const int row = cell.y;
    const bool oblique = values_.solveMode == SolveMode::Oblique;
    if (38 < cell.x && cell.x < 81) {
        if (row == entry::X || row == entry::Y || row == entry::Z || row == entry::A ||
            row == entry::B)
            return selectForEditing(row);
        if (row == entry::C && oblique) return selectForEditing(entry::C);
        if (row == entry::D || row == entry::E) return selectForEditing(row);
        if (row == entry::F && oblique) return selectForEditing(entry::F);
    }
    if (cell.x == 37 && entry::kFirst <= row && row <= entry::kLast) {
        toggleMarker(values_, row);
        // Wait for the button to come up, so that one click toggles once. A pointer that left
        // the window counts as released.
        for (PointerReading p = input_.readPointer(); p.ok && (p.buttons & (kLeft | kRight));
             p = input_.readPointer()) {
            if (input_.closeRequested()) break;
            input_.pause(5);
        }
        input_.pause(20);
        return Step::MarkerStep;
    }
    return Step::MainLoop;
}

Step Program::runResultsLoop() {
    lastKey_.clear();
    return Step::ResultsLoopCycle;
}

Step Program::editCommand() {
    values_.selectedEntry = entry::kNone;
    editHelpPending_ = true;
    values_.alternate.otherAnswerAvailable = false;
    return Step::MainScreen;
}

Step Program::resultsLoopCycle() {
    input_.pause(20);
    lastKey_ = input_.readKey();
    if (lastKey_.size() == 1) {
        switch (lastKey_[0]) {
            case 27:
                return exitProgram(true);
            case 'P':
            case 'p':
                return printResults();
            case 'C':
            case 'c':
                input_.pause(200);
                return Step::Restart;
            case 'R':
            case 'r':
                values_.alternate.otherAnswerAvailable = false;
                return changeMode(SolveMode::Right);
            case 'O':
            case 'o':
                values_.alternate.otherAnswerAvailable = false;
                return changeMode(SolveMode::Oblique);
            case 'I':
            case 'i':
                if (values_.editBlocked) break;
                values_.selectedEntry = entry::kNone;
                input_.pause(200);
                return editCommand();
            case 'H':
            case 'h':
                showHelp();
                break;
            case 'S':
            case 's':
                if (values_.alternate.otherAnswerAvailable) return switchAnswer();
                break;
            case '@':
                placeWindow(homePos_);
                break;
            case 3:  // Ctrl+C
                copyResults();
                break;
            default:
                break;
        }
    }
    if (!lastKey_.empty()) input_.setPointer(std::nullopt, std::nullopt, true);

    const bool clicked = readClick();
    dragTest();
    if (!clicked) return Step::ResultsLoopCycle;

    const int x = clickX_, y = clickY_;
    if (onCloseBlocks()) return exitProgram(false);
    if (inside(x, y, 43, 186, 100, 210)) return exitProgram(false);
    if (inside(x, y, 45, 427, 105, 452)) return printResults();
    if (inside(x, y, 110, 186, 170, 210)) {
        input_.pause(200);
        return Step::Restart;
    }
    if (inside(x, y, 180, 186, 245, 210)) {
        values_.solveMode = SolveMode::Right;
        input_.pause(200);
        values_.alternate.otherAnswerAvailable = false;
        return Step::MainScreen;
    }
    if (inside(x, y, 254, 186, 328, 210)) {
        values_.solveMode = SolveMode::Oblique;
        input_.pause(200);
        values_.alternate.otherAnswerAvailable = false;
        return Step::MainScreen;
    }
    if (inside(x, y, 172, 217, 227, 243) && !values_.editBlocked) {
        input_.pause(200);
        return editCommand();
    }
    if (inside(x, y, 43, 217, 100, 243)) showHelp();
    if (inside(clickX_, clickY_, 620, 290, 630, 300) && values_.alternate.otherAnswerAvailable)
        return switchAnswer();
    placementClick();
    return Step::ResultsLoopCycle;
}

}  // namespace solvara
