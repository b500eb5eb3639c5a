// Temporary stand-ins until the main screen, loops and editors land; delete this file then.
#include "app/program.h"

namespace solvara {
void Program::drawMainScreen() {}
void Program::drawExplanatoryTriangle() {}
void Program::drawOtherAnswerControl() {}
Step Program::showMainScreen() {
    return Step::RefreshValues;
}
Step Program::refreshValues() {
    return Step::MainLoop;
}
Step Program::markerStep() {
    return Step::RefreshValues;
}
void Program::placeWindow(Point target) {
    moveWindowTo(target);
}
Step Program::mainLoopCycle() {
    input_.pause(10);
    lastKey_ = input_.readKey();
    if (lastKey_ == "\x1b") return exitProgram(true);
    return Step::MainLoop;
}
Step Program::runResultsLoop() {
    return Step::ResultsLoopCycle;
}
Step Program::resultsLoopCycle() {
    return Step::ResultsLoopCycle;
}
Point Program::cellOf(int x, int y) {
    return Point{x, y};
}
void Program::showHelp() {}
void Program::applyMarkerRules() {}
Step Program::editDecimalEntry() {
    return Step::MainScreen;
}
Step Program::editDecimalKey() {
    return Step::MainScreen;
}
Step Program::editDmsEntry() {
    return Step::MainScreen;
}
Step Program::editDmsKey() {
    return Step::MainScreen;
}
Step Program::inputCount() {
    return Step::MainScreen;
}
void Program::drawValuesPanel() {}
void Program::drawValueRows() {}
}  // namespace solvara
