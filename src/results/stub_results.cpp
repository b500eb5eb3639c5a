// Temporary stand-ins until the results screen and drawing land; delete this file then.
#include "app/program.h"

namespace solvara {
Step Program::solveRight() {
    return Step::Restart;
}
Step Program::solveOblique() {
    return Step::Restart;
}
Step Program::checkSolution() {
    return Step::Restart;
}
Step Program::showCannotDoIt() {
    return Step::Restart;
}
Step Program::showResults() {
    return Step::ResultsLoop;
}
Step Program::showSecondAnswer() {
    return Step::ResultsLoop;
}
Step Program::switchAnswer() {
    return Step::ResultsLoop;
}
void Program::drawRightTriangle() {}
void Program::drawObliqueTriangle() {}
void Program::drawResultButtons(bool) {}
}  // namespace solvara
