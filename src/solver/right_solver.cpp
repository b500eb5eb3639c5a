// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/solver.h"
#include "solver/trig.h"

namespace solvara {

namespace {

// Entry ids of the right triangle's inputs; C is the right angle and never an input here.
using namespace entry;

// In a right triangle an entry is an input when it is marked and above zero.
bool isInput(const TriangleValues& v, EntryId id) {
    return v.markerOn(id) && v.number(id) > 0;
}

// The legs from the hypotenuse and angle A.
void fromHypotenuseAndA(TriangleValues& v) {
    v.x = cosDeg(v.a) * v.z;
    v.y = sinDeg(v.a) * v.z;
}

// The other leg and the hypotenuse from leg X and angle A.
void fromXAndA(TriangleValues& v) {
    v.y = tanDeg(v.a) * v.x;
    v.z = v.x / cosDeg(v.a);
}

// Leg X and the hypotenuse from leg Y (opposite A) and angle A.
void fromYAndA(TriangleValues& v) {
    v.z = v.y / sinDeg(v.a);
    v.x = v.y / tanDeg(v.a);
}

}  // namespace

// The first pair of inputs in the order below decides; any other input is overwritten. An
// impossible pair (a leg not shorter than the hypotenuse, an angle of 90 or more) gives values
// that the solution check rejects.
SolveOutcome solveRight(TriangleValues& v) {
    v.editBlocked = false;  // a right triangle never has a second answer

    if (isInput(v, X) && isInput(v, Y)) {
        v.z = std::sqrt(v.y * v.y + v.x * v.x);
        v.a = atanDeg(v.y / v.x);
    } else if (isInput(v, Y) && isInput(v, Z)) {
        v.x = std::sqrt(v.z * v.z - v.y * v.y);
        v.a = atanDeg(v.y / v.x);
    } else if (isInput(v, X) && isInput(v, Z)) {
        v.y = std::sqrt(v.z * v.z - v.x * v.x);
        v.a = atanDeg(v.y / v.x);
    } else if (isInput(v, Z) && isInput(v, A)) {
        fromHypotenuseAndA(v);
    } else if (isInput(v, X) && isInput(v, A)) {
        fromXAndA(v);
    } else if (isInput(v, Y) && isInput(v, A)) {
        fromYAndA(v);
    } else if (isInput(v, Z) && isInput(v, B)) {
        // A given B works through A, which the marker rules have already set to 90 - B.
        fromHypotenuseAndA(v);
    } else if (isInput(v, X) && isInput(v, B)) {
        fromXAndA(v);
    } else if (isInput(v, Y) && isInput(v, B)) {
        fromYAndA(v);
    } else {
        return SolveOutcome::NoCaseApplies;
    }
    v.c = 90;
    v.b = 90 - v.a;
    return SolveOutcome::Solved;
}

}  // namespace solvara
