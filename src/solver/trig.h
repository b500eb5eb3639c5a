// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "solver/scaled.h"

namespace solvara {

// Degrees and radians convert through these two constants, made from the double nearest to pi.
inline constexpr double kPi = 3.141592653589793;
inline constexpr double kRadPerDeg = kPi / 180;
inline constexpr double kDegPerRad = 180 / kPi;

// Trigonometry in degrees. The angle is brought into [0, 90] by exact subtractions in degrees
// before it becomes radians, so whole angles such as 30, 90 and 180 give their exact sines and
// cosines and an angle near 90 keeps its cosine's digits. Outside their domains the inverse
// functions give NaN; nothing traps.
double sinDeg(double a);
double cosDeg(double a);
double tanDeg(double a);
double atanDeg(double t);
double atan2Deg(double y, double x);
double asinDeg(double s);
double acosDeg(double c);

// The same for the solver's products and quotients, which carry their own exponent: the sine and
// tangent of an angle whose radians lie below the normal doubles keep their digits, and the
// inverse functions take an argument of any size. Elsewhere they give what those above give.
Scaled sinDegScaled(double a);
Scaled tanDegScaled(double a);
double atanDeg(Scaled t);
double asinDeg(Scaled s);
double atan2Deg(Scaled y, Scaled x);

// The sine and the cosine of an angle of 0 to 90 degrees, each as sinDegScaled and cosDeg give
// it, from one evaluation below 45 degrees.
struct SineAndCosine {
    Scaled sine;
    double cosine = 0;
};
SineAndCosine sinCosDegScaled(double a);

}  // namespace solvara
