// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

namespace solvara {

// Trigonometry in degrees. Outside their domains the inverse functions give NaN; nothing traps.
double sinDeg(double a);
double cosDeg(double a);
double tanDeg(double a);
double atanDeg(double t);
double atan2Deg(double y, double x);
double asinDeg(double s);
double acosDeg(double c);

}  // namespace solvara
