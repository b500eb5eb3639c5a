// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/cases.h"
#include "solver/trig.h"

namespace solvara {

namespace {

// The sine and tangent of a tiny angle carry their own exponent, so that a leg worked from them
// is as exact as the angle allows; the cosine of an angle below 90 never is that small.

// The two legs from the hypotenuse and the angle opposite the first.
void fromHypotenuse(double angle, double hypotenuse, double& opposite, double& adjacent) {
    opposite = (sinDegScaled(angle) * Scaled(hypotenuse)).value();
    adjacent = cosDeg(angle) * hypotenuse;
}

// The other leg and the hypotenuse from a leg beside the angle.
void fromAdjacentLeg(double angle, double adjacent, double& opposite, double& hypotenuse) {
    opposite = (tanDegScaled(angle) * Scaled(adjacent)).value();
    hypotenuse = adjacent / cosDeg(angle);
}

// The hypotenuse and the other leg from the leg opposite the angle.
void fromOppositeLeg(double angle, double opposite, double& adjacent, double& hypotenuse) {
    hypotenuse = (Scaled(opposite) / sinDegScaled(angle)).value();
    adjacent = (Scaled(opposite) / tanDegScaled(angle)).value();
}

// The hypotenuse from the legs, their squares and sum carrying their own exponent: legs of 1e200
// have a hypotenuse, and legs of 1e-200 one that is not worked from squares of 0.
double hypotenuseOf(double x, double y) {
    const Scaled sx(x), sy(y);
    return sqrt(sy * sy + sx * sx).value();
}

// A leg from the hypotenuse and the other leg, with the difference of the squares factored so
// that a leg nearly as long as the hypotenuse keeps its digits. A leg as long as the hypotenuse
// gives 0, a longer one NaN.
double otherLeg(double hypotenuse, double leg) {
    return sqrt(Scaled(hypotenuse - leg) * (Scaled(hypotenuse) + Scaled(leg))).value();
}

// The smaller acute angle from the arctangent of the shorter leg over the longer, the larger as
// its complement: the complement of an angle near 90 would be a difference of nearly equal numbers.
// The quotient keeps its digits below the normal doubles, where the angle may still be one.
void anglesFromLegs(Triangle& t) {
    if (t.y <= t.x) {
        t.a = atanDeg(Scaled(t.y) / Scaled(t.x));
        t.b = 90 - t.a;
    } else {
        t.b = atanDeg(Scaled(t.x) / Scaled(t.y));
        t.a = 90 - t.b;
    }
}

// One row of the table: the two inputs, the kind of case and its steps. C is set afterwards.
struct RightCase {
    Marks inputs;
    CaseKind kind;
    void (*steps)(Triangle&);
};

// Y lies opposite A and beside B, X opposite B and beside A. A given B is worked from as typed
// (the marker rules have also set A to 90 - B, rounded, which for a tiny B has lost most of B's
// digits).
constexpr RightCase kRightCases[] = {
    {marksOf("xy"), CaseKind::TwoLegs,
     [](Triangle& t) {
         t.z = hypotenuseOf(t.x, t.y);
         anglesFromLegs(t);
     }},
    {marksOf("yz"), CaseKind::HypotenuseAndALeg,
     [](Triangle& t) {
         t.x = otherLeg(t.z, t.y);
         anglesFromLegs(t);
     }},
    {marksOf("xz"), CaseKind::HypotenuseAndALeg,
     [](Triangle& t) {
         t.y = otherLeg(t.z, t.x);
         anglesFromLegs(t);
     }},
    {marksOf("za"), CaseKind::HypotenuseAndAnAngle,
     [](Triangle& t) {
         fromHypotenuse(t.a, t.z, t.y, t.x);
         t.b = 90 - t.a;
     }},
    {marksOf("xa"), CaseKind::ALegAndAnAngle,
     [](Triangle& t) {
         fromAdjacentLeg(t.a, t.x, t.y, t.z);
         t.b = 90 - t.a;
     }},
    {marksOf("ya"), CaseKind::ALegAndAnAngle,
     [](Triangle& t) {
         fromOppositeLeg(t.a, t.y, t.x, t.z);
         t.b = 90 - t.a;
     }},
    {marksOf("zb"), CaseKind::HypotenuseAndAnAngle,
     [](Triangle& t) {
         fromHypotenuse(t.b, t.z, t.x, t.y);
         t.a = 90 - t.b;
     }},
    {marksOf("xb"), CaseKind::ALegAndAnAngle,
     [](Triangle& t) {
         fromOppositeLeg(t.b, t.x, t.y, t.z);
         t.a = 90 - t.b;
     }},
    {marksOf("yb"), CaseKind::ALegAndAnAngle,
     [](Triangle& t) {
         fromAdjacentLeg(t.b, t.y, t.x, t.z);
         t.a = 90 - t.b;
     }},
};

}  // namespace

// The first pair of inputs in the table's order decides. In a right triangle an entry is an input
// when it is marked and above zero; C is the right angle and never an input. An impossible pair
// (a leg not shorter than the hypotenuse, an angle of 90 or more) gives values that the solution
// check rejects.
SolvedCase solveRightCases(Triangle& t, const Marks& marks) {
    const Marks given{marks.x && t.x > 0, marks.y && t.y > 0, marks.z && t.z > 0,
                      marks.a && t.a > 0, marks.b && t.b > 0, false};
    for (const RightCase& c : kRightCases) {
        if (!covers(given, c.inputs)) continue;
        c.steps(t);
        t.c = 90;
        return SolvedCase{c.kind, c.inputs};
    }
    return SolvedCase{};
}

}  // namespace solvara
