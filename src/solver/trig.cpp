// SPDX-License-Identifier: GPL-2.0-or-later
#include "solver/trig.h"

#include <cmath>

namespace solvara {

// All six go through the same two conversion constants, so 90 and 180 come back exactly where
// the radian functions give pi/2 and pi.

double sinDeg(double a) {
    return std::sin(kRadPerDeg * a);
}

double cosDeg(double a) {
    return std::cos(kRadPerDeg * a);
}

double tanDeg(double a) {
    return std::tan(kRadPerDeg * a);
}

double atanDeg(double t) {
    return std::atan(t) * kDegPerRad;  // an infinite t gives +-90
}

double atan2Deg(double y, double x) {
    return std::atan2(y, x) * kDegPerRad;
}

// Outside [-1, 1] (or for NaN) the standard functions give NaN without trapping.
double asinDeg(double s) {
    return std::asin(s) * kDegPerRad;
}

double acosDeg(double c) {
    return std::acos(c) * kDegPerRad;
}

}  // namespace solvara
