// SPDX-License-Identifier: GPL-2.0-or-later
#include "solver/cases.h"
#include "solver/solver.h"

namespace solvara {

SolveOutcome solve(SolveMode mode, const Triangle& given, const Marks& marks) {
    SolveOutcome outcome;
    outcome.first = given;
    outcome.solvedBy = mode == SolveMode::Right
                           ? solveRightCases(outcome.first, marks)
                           : solveObliqueCases(outcome.first, marks, outcome.second);
    if (outcome.solvedBy.kind == CaseKind::None) {
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

const char* caseName(CaseKind kind) {
    switch (kind) {
        case CaseKind::None:
            return "";
        case CaseKind::ThreeSides:
            return "three sides: law of cosines";
        case CaseKind::TwoSidesAndTheAngleBetween:
            return "two sides and the angle between them: law of cosines";
        case CaseKind::TwoSidesAndAnAngleOpposite:
            return "two sides and an angle opposite one: law of sines";
        case CaseKind::TwoAnglesAndASide:
            return "two angles and a side: angle sum and law of sines";
        case CaseKind::TwoLegs:
            return "two legs: Pythagoras";
        case CaseKind::HypotenuseAndALeg:
            return "hypotenuse and a leg: Pythagoras";
        case CaseKind::HypotenuseAndAnAngle:
            return "hypotenuse and an angle: right-triangle relations";
        case CaseKind::ALegAndAnAngle:
            return "a leg and an angle: right-triangle relations";
    }
    return "";
}

}  // namespace solvara
