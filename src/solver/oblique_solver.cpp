// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/solver.h"
#include "solver/trig.h"

namespace solvara {

namespace {

using namespace entry;

// In an oblique triangle an entry is an input when it is marked and not zero.
bool isInput(const TriangleValues& v, EntryId id) {
    return v.markerOn(id) && v.number(id) != 0;
}

bool inputs(const TriangleValues& v, EntryId first, EntryId second, EntryId third) {
    return isInput(v, first) && isInput(v, second) && isInput(v, third);
}

// The angle between sides p and q, opposite side r, by the law of cosines: unlike the arcsine
// of the law of sines it tells an obtuse angle from its supplement.
double angleOpposite(double r, double p, double q) {
    return acosDeg((p * p + q * q - r * r) / (p * q * 2));
}

// A second answer is offered only when it is a triangle in its own right and not the first one
// again. The angle sum is formed one rounded addition at a time and compared with 180 exactly.
bool acceptSecondAnswer(const TriangleValues& v, double thirdSide) {
    const AlternateSolution& s = v.alternate;
    const double angleSum = s.a + s.b + s.c;
    if (!(angleSum == 180 && thirdSide > 0)) return false;
    if (!(s.x > 0 && s.y > 0 && s.z > 0 && s.a > 0 && s.b > 0 && s.c > 0)) return false;
    if (s.a >= 180 || s.b >= 180 || s.c >= 180) return false;
    const bool sameAsFirst =
        s.x == v.x && s.y == v.y && s.z == v.z && s.a == v.a && s.b == v.b && s.c == v.c;
    return !sameAsFirst;
}

// Two sides X, Y and the angle A opposite Y: the first answer has the acute B, the second the
// obtuse one.
void twoSidesAngleOppositeY(TriangleValues& v) {
    v.b = asinDeg(sinDeg(v.a) * v.x / v.y);
    v.c = 180 - (v.a + v.b);
    v.z = sinDeg(v.c) * v.y / sinDeg(v.a);

    AlternateSolution& s = v.alternate;
    s.a = v.a;
    s.x = v.x;
    s.y = v.y;
    s.b = 180 - asinDeg(sinDeg(s.a) * s.x / s.y);
    s.c = 180 - (s.a + s.b);
    s.z = sinDeg(s.c) * s.y / sinDeg(s.a);
    s.b = 180 - (s.c + s.a);
    s.otherAnswerAvailable = acceptSecondAnswer(v, s.z);
}

// Two sides Y, Z and the angle A opposite Y: the first answer has the acute C, the second the
// obtuse one.
void twoSidesAngleOppositeYWithZ(TriangleValues& v) {
    v.c = asinDeg(sinDeg(v.a) * v.z / v.y);
    v.b = (180 - v.a) - v.c;
    v.x = sinDeg(v.b) * v.y / sinDeg(v.a);

    AlternateSolution& s = v.alternate;
    s.a = v.a;
    s.y = v.y;
    s.z = v.z;
    s.c = v.c;
    if (s.c < 90) s.c = 180 - s.c;
    s.b = 180 - (s.c + s.a);
    s.x = sinDeg(s.b) * s.y / sinDeg(s.a);
    s.otherAnswerAvailable = acceptSecondAnswer(v, s.x);
}

// Two sides X, Y and the angle B opposite X: the first answer has the acute A, the second the
// obtuse one.
void twoSidesAngleOppositeX(TriangleValues& v) {
    v.a = asinDeg(sinDeg(v.b) * v.y / v.x);
    v.c = 180 - (v.b + v.a);
    v.z = sinDeg(v.c) * v.x / sinDeg(v.b);

    AlternateSolution& s = v.alternate;
    s.b = v.b;
    s.x = v.x;
    s.y = v.y;
    s.a = 180 - asinDeg(sinDeg(s.b) * s.y / s.x);
    s.c = 180 - (s.b + s.a);
    s.z = sinDeg(s.c) * s.x / sinDeg(s.b);
    s.otherAnswerAvailable = acceptSecondAnswer(v, s.z);
}

// Two sides X, Z and the angle B opposite X: the first answer has the acute C, the second the
// obtuse one.
void twoSidesAngleOppositeXWithZ(TriangleValues& v) {
    v.c = asinDeg(sinDeg(v.b) * v.z / v.x);
    v.a = 180 - (v.c + v.b);
    v.y = sinDeg(v.a) * v.x / sinDeg(v.b);

    AlternateSolution& s = v.alternate;
    s.b = v.b;
    s.x = v.x;
    s.z = v.z;
    s.c = v.c;
    if (s.c < 90) s.c = 180 - s.c;
    s.a = 180 - (s.c + s.b);
    s.y = sinDeg(s.a) * s.x / sinDeg(s.b);
    s.otherAnswerAvailable = acceptSecondAnswer(v, s.y);
}

}  // namespace

// The first set of three inputs in the order below decides; any other input is overwritten.
// Impossible inputs give NaN, zero or negative values, which the solution check rejects.
SolveOutcome solveOblique(TriangleValues& v) {
    v.alternate.otherAnswerAvailable = false;
    v.editBlocked = false;

    if (inputs(v, X, Y, Z)) {  // 1: three sides
        v.a = angleOpposite(v.y, v.z, v.x);
        v.b = angleOpposite(v.x, v.z, v.y);
        v.c = 180 - (v.b + v.a);
    } else if (inputs(v, X, Y, A)) {  // 2
        twoSidesAngleOppositeY(v);
    } else if (inputs(v, X, Z, A)) {  // 3: two sides and the angle between them
        v.y = std::sqrt(v.z * v.z + v.x * v.x - cosDeg(v.a) * (v.z * v.x) * 2);
        // Both coordinates of the vertex of B seen from the vertex of C, so that an obtuse B
        // comes out obtuse.
        v.b = atan2Deg(sinDeg(v.a) * v.x, v.z - cosDeg(v.a) * v.x);
        v.c = 180 - (v.b + v.a);
    } else if (inputs(v, Y, Z, A)) {  // 4
        twoSidesAngleOppositeYWithZ(v);
    } else if (inputs(v, X, Y, B)) {  // 5
        twoSidesAngleOppositeX(v);
    } else if (inputs(v, Y, Z, B)) {  // 6: two sides and the angle between them
        v.x = std::sqrt(v.z * v.z + v.y * v.y - cosDeg(v.b) * (v.z * v.y) * 2);
        v.a = angleOpposite(v.y, v.z, v.x);
        v.c = 180 - (v.b + v.a);
    } else if (inputs(v, X, Z, B)) {  // 7
        twoSidesAngleOppositeXWithZ(v);
    } else if (inputs(v, Y, A, B)) {  // 8: two angles, side opposite A
        v.x = sinDeg(v.b) * v.y / sinDeg(v.a);
        v.c = 180 - (v.a + v.b);
        v.z = sinDeg(v.c) * v.y / sinDeg(v.a);
    } else if (inputs(v, X, A, B)) {  // 9: two angles, side opposite B
        v.y = sinDeg(v.a) * v.x / sinDeg(v.b);
        v.c = 180 - (v.a + v.b);
        v.z = sinDeg(v.c) * v.x / sinDeg(v.b);
    } else if (inputs(v, Z, A, B)) {  // 10: two angles and the side between them
        v.c = 180 - (v.a + v.b);
        v.y = sinDeg(v.a) * v.z / sinDeg(v.c);
        v.x = sinDeg(v.b) * v.z / sinDeg(v.c);
    } else if (inputs(v, X, Y, C)) {  // 11: two sides and the angle between them
        v.z = std::sqrt(v.x * v.x + v.y * v.y - cosDeg(v.c) * (v.x * v.y) * 2);
        v.b = angleOpposite(v.x, v.y, v.z);
        v.a = 180 - (v.b + v.c);
    } else if (inputs(v, X, Z, C)) {  // 12: only the triangle with the acute B
        v.b = asinDeg(sinDeg(v.c) * v.x / v.z);
        v.a = 180 - (v.b + v.c);
        v.y = sinDeg(v.a) * v.x / sinDeg(v.b);
    } else if (inputs(v, Y, Z, C)) {  // 13: only the triangle with the acute A
        v.a = asinDeg(sinDeg(v.c) * v.y / v.z);
        v.b = 180 - (v.a + v.c);
        v.x = sinDeg(v.b) * v.y / sinDeg(v.a);
    } else if (inputs(v, Z, C, A)) {  // 14: two angles, side opposite C
        v.b = 180 - (v.a + v.c);
        v.y = sinDeg(v.a) * v.z / sinDeg(v.c);
        v.x = sinDeg(v.b) * v.z / sinDeg(v.c);
    } else if (inputs(v, Y, C, A)) {  // 15: two angles, side opposite A
        v.b = 180 - (v.c + v.a);
        v.x = sinDeg(v.b) * v.y / sinDeg(v.a);
        v.z = sinDeg(v.c) * v.y / sinDeg(v.a);
    } else if (inputs(v, X, C, A)) {  // 16: two angles and the side between them
        v.b = 180 - (v.a + v.c);
        v.y = sinDeg(v.a) * v.x / sinDeg(v.b);
        v.z = sinDeg(v.c) * v.x / sinDeg(v.b);
    } else if (inputs(v, Z, C, B)) {  // 17: two angles, side opposite C
        v.a = 180 - (v.b + v.c);
        v.y = sinDeg(v.a) * v.z / sinDeg(v.c);
        v.x = sinDeg(v.b) * v.z / sinDeg(v.c);
    } else if (inputs(v, Y, C, B)) {  // 18: two angles and the side between them
        v.a = 180 - (v.c + v.b);
        v.x = sinDeg(v.b) * v.y / sinDeg(v.a);
        v.z = sinDeg(v.c) * v.y / sinDeg(v.a);
    } else if (inputs(v, X, C, B)) {  // 19: two angles, side opposite B
        v.a = 180 - (v.b + v.c);
        v.y = sinDeg(v.a) * v.x / sinDeg(v.b);
        v.z = sinDeg(v.c) * v.x / sinDeg(v.b);
    } else {
        // Three angles fix no size, and fewer than three inputs fix nothing.
        return SolveOutcome::NoCaseApplies;
    }
    return SolveOutcome::Solved;
}

}  // namespace solvara
