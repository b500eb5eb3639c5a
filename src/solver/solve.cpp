// SPDX-License-Identifier: GPL-2.0-or-later
#include "solver/cases.h"
#include "solver/solver.h"

namespace solvara {

SolveOutcome solve(SolveMode mode, const Triangle& given, const Marks& marks) {
    SolveOutcome outcome;
    outcome.first = given;
    const bool solved = mode == SolveMode::Right
                            ? solveRightCases(outcome.first, marks)
                            : solveObliqueCases(outcome.first, marks, outcome.second);
    if (!solved) {
        outcome.first = given;
        outcome.kind = SolveOutcome::Kind::NoCase;
        return outcome;
    }
    const SolutionCheck check = checkSolution(mode, outcome.first);
    outcome.kind = check.accepted ? SolveOutcome::Kind::Solved : SolveOutcome::Kind::CannotDoIt;
    outcome.angleTotalNotice = check.angleTotalNotice;
    outcome.outOfRange = check.outOfRange;
    outcome.firstFigures = check.figures;
    // A second triangle with a figure out of range is not offered.
    if (outcome.second) {
        const SolutionCheck secondCheck = checkSolution(mode, *outcome.second);
        if (secondCheck.accepted) {
            outcome.secondFigures = secondCheck.figures;
        } else {
            outcome.second.reset();
        }
    }
    return outcome;
}

}  // namespace solvara
