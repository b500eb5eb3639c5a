// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/solver.h"
#include "solver/trig.h"

namespace solvara {

double rightTriangleArea(double x, double y) {
    return y * x * 0.5;
}

double obliqueTriangleArea(double x, double z, double a) {
    return sinDeg(a) * (z * x) / 2;
}

// Side X runs from the vertex of C to the vertex of A; the height is dropped from the vertex
// of B. t is where its foot lies along X, measured from C (negative when C is obtuse, beyond X
// when A is obtuse), and the width is the span of the triangle's shadow on that line.
HeightAndWidth obliqueHeightAndWidth(double x, double y, double c) {
    HeightAndWidth hw;
    hw.height = sinDeg(c) * y;
    const double t = hw.height / tanDeg(c);
    hw.width = x;
    if (t < 0) hw.width = std::fabs(t) + x;
    if (t > x) hw.width = (t + x) - x;
    return hw;
}

}  // namespace solvara
