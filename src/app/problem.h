// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "solver/figures.h"
#include "solver/solver.h"
#include "values/entry.h"
#include "values/triangle.h"

namespace solvara {

// A triangle problem in words, "oblique x=10 y=7 a=30", read and solved the way marking and
// typing those entries in the window solves it. Reading and solving do no input or output.

// The exit status of each way a problem ends (a usage error is kExitUsage, 2).
inline constexpr int kExitSolved = 0;
inline constexpr int kExitNoTriangle = 1;

struct ProblemInput {
    Entry entry = Entry::X;  // as given: D, E or F for an angle in degrees, minutes and seconds
    double value = 0;        // decimal degrees for D, E and F
    std::string_view word;   // "x=10", as it was given
};

struct Problem {
    SolveMode mode = SolveMode::Right;
    std::string_view modeWord;
    // Two inputs for a right triangle, three for an oblique one, in the order given.
    std::array<ProblemInput, 3> inputs{};
    int count = 0;

    std::span<const ProblemInput> given() const {
        return std::span<const ProblemInput>(inputs.data(), static_cast<std::size_t>(count));
    }
};

// The problem, or the usage error of the first word that is wrong ("x=0: not a positive number").
struct ProblemReading {
    std::optional<SolveMode> mode;  // once the first word named one
    Problem problem;                // when `error` is empty
    std::string error;
};

// Reads "right" or "oblique" (either case) and then letter=value words: x, y, z with a side,
// a, b, c with an angle in decimal degrees (numbers as the program reads them, "2.5", "1e3"),
// d, e, f with an angle as "30d15m20s" or "30:15:20"; letters in either case. A value must be a
// positive number, an angle below 180 degrees; each entry is given once; C is no input of a
// right triangle, which takes two inputs, an oblique one three.
ProblemReading readProblem(std::span<const std::string_view> words);
// The same of a line whose words are parted by blanks or tabs (a carriage return at its end is
// a blank too).
ProblemReading readProblemLine(std::string_view line);

// One answer with the figures the results give beside its sides and angles, and the figures
// of the triangle.
struct ProblemAnswer {
    Triangle triangle;
    double area = 0;
    HeightAndWidth heightAndWidth;
    TriangleFigures figures;
};

struct ProblemOutcome {
    int status = kExitSolved;
    // Why it did not solve: "CAN NOT DO IT !" (with the figure that lies beyond the range of
    // the doubles, when that is why), or a usage error.
    std::string error;
    ProblemAnswer first;
    std::optional<ProblemAnswer> second;  // the other triangle of two sides and an angle
    SolvedCase solvedBy;                  // the case that solved it
};

// Selects and commits each input in the order given, with the marker rules the values panel
// runs at each commit, then counts the inputs and solves as the window does. Inputs that fit no
// case (only angles: A, B, C of an oblique triangle, A and B of a right one) and answers the
// solution check rejects end with kExitNoTriangle.
ProblemOutcome solveProblem(const Problem& problem);

// The entry's letter as a problem gives it: 'x' ... 'f'.
char letterOf(Entry e);

// A word as an error message may show it: printable ASCII as it is, other bytes as \xNN, and at
// most 40 characters of it.
std::string shownWord(std::string_view word);

}  // namespace solvara
