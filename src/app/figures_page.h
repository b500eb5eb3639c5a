// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "solver/solver.h"
#include "values/triangle.h"

namespace solvara {

class Display;
class InputDevices;
struct Placement;

// The answer the results screen shows, as the figures page needs it.
struct AnswerOnScreen {
    SolveMode mode = SolveMode::Right;
    const Triangle& triangle;
    CaseKind solvedBy = CaseKind::None;
    int number = 1;   // which answer it is: 1 or 2
    int answers = 1;  // how many the solve gave
};

// The figures page (M on the results screen): the case that solved the answer on screen, then its
// perimeter, heights, medians, angle bisectors and radii, on page 1 as the help page is, until
// BACK, B or Escape bring back the results screen untouched.
void showFigures(Display& display, InputDevices& input, Placement& placement,
                 const AnswerOnScreen& answer);

}  // namespace solvara
