// SPDX-License-Identifier: GPL-2.0-or-later
// The screen side of a solve: the pure solver fills in the values, the check decides, and these
// steps show the decision: the results screen on one of the two answers, or the failure report
// and a fresh start.
#include <string>

#include "app/program.h"
#include "platform/text/number_format.h"
#include "solver/solver.h"

namespace solvara {

namespace {

constexpr const char* kCannotDoIt = "      CAN NOT DO IT !        ";
constexpr int kFailureRow = 28;
constexpr int kFailureColumn = 5;
constexpr int kFlashColour = 12;  // light red, alternating with black
constexpr int kFlashPauseMs = 900;

}  // namespace

Step Program::solveRight() {
    if (solvara::solveRight(values_) == SolveOutcome::NoCaseApplies) return Step::Restart;
    return checkSolution();
}

Step Program::solveOblique() {
    if (solvara::solveOblique(values_) == SolveOutcome::NoCaseApplies) return Step::Restart;
    // Offered at once, before the first answer is even checked.
    if (values_.alternate.otherAnswerAvailable) drawOtherAnswerControl();
    return checkSolution();
}

Step Program::checkSolution() {
    const SolutionCheck check = solvara::checkSolution(values_);
    if (check.verdict == Verdict::Rejected) return showCannotDoIt();

    if (check.angleTotalNotice) {
        // Numbers are printed with a blank where a minus sign would go.
        const double total = *check.angleTotalNotice;
        display_.locate(2, 39);
        display_.print(
            "Total Of Angles = " + std::string(total < 0 ? "" : " ") + plainNumberText(total),
            false);
    }

    if (check.verdict == Verdict::ShowSecondAnswer) {
        drawObliqueTriangle();
        return showSecondAnswer();
    }
    return showResults();
}

Step Program::showCannotDoIt() {
    // Five showings, alternately light red and black; a key cuts a pause short.
    for (int showing = 0; showing < 5; ++showing) {
        display_.setColors(showing % 2 == 0 ? kFlashColour : 0, kBackgroundColour);
        display_.locate(kFailureRow, kFailureColumn);
        display_.print(kCannotDoIt, false);
        input_.pause(kFlashPauseMs);
    }
    display_.setColors(0, kBackgroundColour);
    display_.locate(kFailureRow, kFailureColumn);
    display_.print(std::string(29, ' '), false);
    return Step::Restart;
}

}  // namespace solvara
