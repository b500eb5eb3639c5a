// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/cases.h"
#include "solver/trig.h"

namespace solvara {

namespace {

// The legs from the hypotenuse and angle A.
void fromHypotenuseAndA(Triangle& t) {
    t.x = cosDeg(t.a) * t.z;
    t.y = sinDeg(t.a) * t.z;
}

// The other leg and the hypotenuse from leg X and angle A.
void fromXAndA(Triangle& t) {
    t.y = tanDeg(t.a) * t.x;
    t.z = t.x / cosDeg(t.a);
}

// Leg X and the hypotenuse from leg Y (opposite A) and angle A.
void fromYAndA(Triangle& t) {
    t.z = t.y / sinDeg(t.a);
    t.x = t.y / tanDeg(t.a);
}

}  // namespace

// The first pair of inputs in the order below decides. In a right triangle an entry is an input
// when it is marked and above zero; C is the right angle and never an input. An impossible pair
// (a leg not shorter than the hypotenuse, an angle of 90 or more) gives values that the solution
// check rejects.
bool solveRightCases(Triangle& t, const Marks& marks) {
    const bool x = marks.x && t.x > 0;
    const bool y = marks.y && t.y > 0;
    const bool z = marks.z && t.z > 0;
    const bool a = marks.a && t.a > 0;
    const bool b = marks.b && t.b > 0;

    if (x && y) {
        t.z = std::sqrt(t.y * t.y + t.x * t.x);
        t.a = atanDeg(t.y / t.x);
    } else if (y && z) {
        t.x = std::sqrt(t.z * t.z - t.y * t.y);
        t.a = atanDeg(t.y / t.x);
    } else if (x && z) {
        t.y = std::sqrt(t.z * t.z - t.x * t.x);
        t.a = atanDeg(t.y / t.x);
    } else if (z && a) {
        fromHypotenuseAndA(t);
    } else if (x && a) {
        fromXAndA(t);
    } else if (y && a) {
        fromYAndA(t);
    } else if (z && b) {
        // A given B works through A, which the marker rules have already set to 90 - B.
        fromHypotenuseAndA(t);
    } else if (x && b) {
        fromXAndA(t);
    } else if (y && b) {
        fromYAndA(t);
    } else {
        return false;
    }
    t.c = 90;
    t.b = 90 - t.a;
    return true;
}

}  // namespace solvara
