// SPDX-License-Identifier: GPL-2.0-or-later
#include <cmath>

#include "solver/cases.h"
#include "solver/trig.h"

namespace solvara {

namespace {

// The angle between sides p and q, opposite side r, by the law of cosines: unlike the arcsine
// of the law of sines it tells an obtuse angle from its supplement.
double angleOpposite(double r, double p, double q) {
    return acosDeg((p * p + q * q - r * r) / (p * q * 2));
}

// A second answer is offered only when it is a triangle in its own right and not the first one
// again. The angle sum is formed one rounded addition at a time and compared with 180 exactly.
std::optional<Triangle> acceptable(const Triangle& s, double thirdSide, const Triangle& first) {
    const double angleSum = s.a + s.b + s.c;
    if (!(angleSum == 180 && thirdSide > 0)) return std::nullopt;
    if (!(s.x > 0 && s.y > 0 && s.z > 0 && s.a > 0 && s.b > 0 && s.c > 0)) return std::nullopt;
    if (s.a >= 180 || s.b >= 180 || s.c >= 180) return std::nullopt;
    if (s == first) return std::nullopt;
    return s;
}

// Two sides X, Y and the angle A opposite Y: the first answer has the acute B, the second the
// obtuse one.
std::optional<Triangle> twoSidesAngleOppositeY(Triangle& t) {
    t.b = asinDeg(sinDeg(t.a) * t.x / t.y);
    t.c = 180 - (t.a + t.b);
    t.z = sinDeg(t.c) * t.y / sinDeg(t.a);

    Triangle s;
    s.a = t.a;
    s.x = t.x;
    s.y = t.y;
    s.b = 180 - asinDeg(sinDeg(s.a) * s.x / s.y);
    s.c = 180 - (s.a + s.b);
    s.z = sinDeg(s.c) * s.y / sinDeg(s.a);
    s.b = 180 - (s.c + s.a);
    return acceptable(s, s.z, t);
}

// Two sides Y, Z and the angle A opposite Y: the first answer has the acute C, the second the
// obtuse one.
std::optional<Triangle> twoSidesAngleOppositeYWithZ(Triangle& t) {
    t.c = asinDeg(sinDeg(t.a) * t.z / t.y);
    t.b = (180 - t.a) - t.c;
    t.x = sinDeg(t.b) * t.y / sinDeg(t.a);

    Triangle s;
    s.a = t.a;
    s.y = t.y;
    s.z = t.z;
    s.c = t.c;
    if (s.c < 90) s.c = 180 - s.c;
    s.b = 180 - (s.c + s.a);
    s.x = sinDeg(s.b) * s.y / sinDeg(s.a);
    return acceptable(s, s.x, t);
}

// Two sides X, Y and the angle B opposite X: the first answer has the acute A, the second the
// obtuse one.
std::optional<Triangle> twoSidesAngleOppositeX(Triangle& t) {
    t.a = asinDeg(sinDeg(t.b) * t.y / t.x);
    t.c = 180 - (t.b + t.a);
    t.z = sinDeg(t.c) * t.x / sinDeg(t.b);

    Triangle s;
    s.b = t.b;
    s.x = t.x;
    s.y = t.y;
    s.a = 180 - asinDeg(sinDeg(s.b) * s.y / s.x);
    s.c = 180 - (s.b + s.a);
    s.z = sinDeg(s.c) * s.x / sinDeg(s.b);
    return acceptable(s, s.z, t);
}

// Two sides X, Z and the angle B opposite X: the first answer has the acute C, the second the
// obtuse one.
std::optional<Triangle> twoSidesAngleOppositeXWithZ(Triangle& t) {
    t.c = asinDeg(sinDeg(t.b) * t.z / t.x);
    t.a = 180 - (t.c + t.b);
    t.y = sinDeg(t.a) * t.x / sinDeg(t.b);

    Triangle s;
    s.b = t.b;
    s.x = t.x;
    s.z = t.z;
    s.c = t.c;
    if (s.c < 90) s.c = 180 - s.c;
    s.a = 180 - (s.c + s.b);
    s.y = sinDeg(s.a) * s.x / sinDeg(s.b);
    return acceptable(s, s.y, t);
}

}  // namespace

// The first set of three inputs in the order below decides. In an oblique triangle an entry is
// an input when it is marked and not zero.
bool solveObliqueCases(Triangle& t, const Marks& marks, std::optional<Triangle>& second) {
    second.reset();
    const bool X = marks.x && t.x != 0;
    const bool Y = marks.y && t.y != 0;
    const bool Z = marks.z && t.z != 0;
    const bool A = marks.a && t.a != 0;
    const bool B = marks.b && t.b != 0;
    const bool C = marks.c && t.c != 0;

    if (X && Y && Z) {  // 1: three sides
        t.a = angleOpposite(t.y, t.z, t.x);
        t.b = angleOpposite(t.x, t.z, t.y);
        t.c = 180 - (t.b + t.a);
    } else if (X && Y && A) {  // 2
        second = twoSidesAngleOppositeY(t);
    } else if (X && Z && A) {  // 3: two sides and the angle between them
        t.y = std::sqrt(t.z * t.z + t.x * t.x - cosDeg(t.a) * (t.z * t.x) * 2);
        // Both coordinates of the vertex of B seen from the vertex of C, so that an obtuse B
        // comes out obtuse.
        t.b = atan2Deg(sinDeg(t.a) * t.x, t.z - cosDeg(t.a) * t.x);
        t.c = 180 - (t.b + t.a);
    } else if (Y && Z && A) {  // 4
        second = twoSidesAngleOppositeYWithZ(t);
    } else if (X && Y && B) {  // 5
        second = twoSidesAngleOppositeX(t);
    } else if (Y && Z && B) {  // 6: two sides and the angle between them
        t.x = std::sqrt(t.z * t.z + t.y * t.y - cosDeg(t.b) * (t.z * t.y) * 2);
        t.a = angleOpposite(t.y, t.z, t.x);
        t.c = 180 - (t.b + t.a);
    } else if (X && Z && B) {  // 7
        second = twoSidesAngleOppositeXWithZ(t);
    } else if (Y && A && B) {  // 8: two angles, side opposite A
        t.x = sinDeg(t.b) * t.y / sinDeg(t.a);
        t.c = 180 - (t.a + t.b);
        t.z = sinDeg(t.c) * t.y / sinDeg(t.a);
    } else if (X && A && B) {  // 9: two angles, side opposite B
        t.y = sinDeg(t.a) * t.x / sinDeg(t.b);
        t.c = 180 - (t.a + t.b);
        t.z = sinDeg(t.c) * t.x / sinDeg(t.b);
    } else if (Z && A && B) {  // 10: two angles and the side between them
        t.c = 180 - (t.a + t.b);
        t.y = sinDeg(t.a) * t.z / sinDeg(t.c);
        t.x = sinDeg(t.b) * t.z / sinDeg(t.c);
    } else if (X && Y && C) {  // 11: two sides and the angle between them
        t.z = std::sqrt(t.x * t.x + t.y * t.y - cosDeg(t.c) * (t.x * t.y) * 2);
        t.b = angleOpposite(t.x, t.y, t.z);
        t.a = 180 - (t.b + t.c);
    } else if (X && Z && C) {  // 12: only the triangle with the acute B
        t.b = asinDeg(sinDeg(t.c) * t.x / t.z);
        t.a = 180 - (t.b + t.c);
        t.y = sinDeg(t.a) * t.x / sinDeg(t.b);
    } else if (Y && Z && C) {  // 13: only the triangle with the acute A
        t.a = asinDeg(sinDeg(t.c) * t.y / t.z);
        t.b = 180 - (t.a + t.c);
        t.x = sinDeg(t.b) * t.y / sinDeg(t.a);
    } else if (Z && C && A) {  // 14: two angles, side opposite C
        t.b = 180 - (t.a + t.c);
        t.y = sinDeg(t.a) * t.z / sinDeg(t.c);
        t.x = sinDeg(t.b) * t.z / sinDeg(t.c);
    } else if (Y && C && A) {  // 15: two angles, side opposite A
        t.b = 180 - (t.c + t.a);
        t.x = sinDeg(t.b) * t.y / sinDeg(t.a);
        t.z = sinDeg(t.c) * t.y / sinDeg(t.a);
    } else if (X && C && A) {  // 16: two angles and the side between them
        t.b = 180 - (t.a + t.c);
        t.y = sinDeg(t.a) * t.x / sinDeg(t.b);
        t.z = sinDeg(t.c) * t.x / sinDeg(t.b);
    } else if (Z && C && B) {  // 17: two angles, side opposite C
        t.a = 180 - (t.b + t.c);
        t.y = sinDeg(t.a) * t.z / sinDeg(t.c);
        t.x = sinDeg(t.b) * t.z / sinDeg(t.c);
    } else if (Y && C && B) {  // 18: two angles and the side between them
        t.a = 180 - (t.c + t.b);
        t.x = sinDeg(t.b) * t.y / sinDeg(t.a);
        t.z = sinDeg(t.c) * t.y / sinDeg(t.a);
    } else if (X && C && B) {  // 19: two angles, side opposite B
        t.a = 180 - (t.b + t.c);
        t.y = sinDeg(t.a) * t.x / sinDeg(t.b);
        t.z = sinDeg(t.c) * t.x / sinDeg(t.b);
    } else {
        // Three angles fix no size, and fewer than three inputs fix nothing.
        return false;
    }
    return true;
}

}  // namespace solvara
