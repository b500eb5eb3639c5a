// SPDX-License-Identifier: GPL-2.0-or-later
// The triangle as numbers: the one value type that entry, the solver, the screens, printing and
// the clipboard all speak.
#pragma once

namespace solvara {

// Side X lies between the vertices of A and C (opposite B), Y between B and C (opposite A), Z
// between A and B (opposite C). Sides are in the user's unit, angles in decimal degrees; on entry
// a number of 0 means the entry is empty.
struct Triangle {
    double x = 0;
    double y = 0;
    double z = 0;
    double a = 0;
    double b = 0;
    double c = 0;
    friend bool operator==(const Triangle&, const Triangle&) = default;
};

// Right triangles need two inputs (C is the right angle), oblique ones three. The numbers are the
// ones the program has always stored for them.
enum class SolveMode : int { Right = 2, Oblique = 3 };

// How many inputs a triangle of the mode takes: the number the mode is stored as.
constexpr int inputsNeeded(SolveMode mode) {
    return static_cast<int>(mode);
}

// Which of the six numbers the user marked as inputs.
struct Marks {
    bool x = false;
    bool y = false;
    bool z = false;
    bool a = false;
    bool b = false;
    bool c = false;
    friend bool operator==(const Marks&, const Marks&) = default;
};

}  // namespace solvara
