// SPDX-License-Identifier: GPL-2.0-or-later
// The triangle that a set of typed inputs describes, worked out from the geometry in 60-digit
// arithmetic (MPFR): the yardstick the accuracy comparison holds the solver against. It takes the
// typed doubles as exact numbers and knows nothing of how the solver computes.
#pragma once

#include <array>
#include <boost/multiprecision/mpfr.hpp>
#include <optional>
#include <vector>

#include "solver/figures.h"
#include "values/triangle.h"

namespace solvara::accuracy {

using Real = boost::multiprecision::number<boost::multiprecision::mpfr_float_backend<60>,
                                           boost::multiprecision::et_off>;

// The six numbers in the order of Triangle's fields; X lies opposite B, Y opposite A, Z
// opposite C.
enum Letter { X, Y, Z, A, B, C };

struct Given {
    Letter letter = X;
    double value = 0;
};

// A solved triangle: its six numbers, then its area, its height over X and its width along X,
// then the figures of solver/figures.h in their order from kFirstTriangleFigure on.
enum Figure { kArea = 6, kHeight = 7, kWidth = 8, kFirstTriangleFigure = 9 };
inline constexpr int kFigures = kFirstTriangleFigure + static_cast<int>(kFigureCount);
using Figures = std::array<Real, kFigures>;

struct ExactAnswer {
    bool exists = false;
    Figures first{};
    // The second triangle of two sides and the angle A or B opposite one of them.
    std::optional<Figures> second;
    // Two sides and an acute angle opposite one of them: how far the sine of the angle opposite
    // the other side lies from 1, where the two triangles touch.
    std::optional<Real> tangentDistance;
};

// The sine of an angle in degrees, to the reference's precision.
Real sinDegrees(const Real& degrees);

// A right triangle has C = 90 besides its two inputs. The first answer of two sides and an angle
// opposite one of them is the one whose other angle from the law of sines is acute. An answer
// with a figure beyond the range of the normal doubles is none.
ExactAnswer solveExactly(SolveMode mode, const std::vector<Given>& inputs);

}  // namespace solvara::accuracy
