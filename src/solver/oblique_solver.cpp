// SPDX-License-Identifier: GPL-2.0-or-later
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "solver/cases.h"
#include "solver/trig.h"

namespace solvara {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Half a unit in the last place of 1.
constexpr double kUnitRoundoff = 0x1p-53;
// Half a unit in the last place of 180: what is left of 180 by two given angles within their
// rounding.
constexpr double kNoAngleDeg = 0x1p-46;

// A corner of the triangle: its angle and the side opposite it.
struct Corner {
    double Triangle::*angle;
    double Triangle::*side;
};
constexpr Corner kA{&Triangle::a, &Triangle::y};
constexpr Corner kB{&Triangle::b, &Triangle::x};
constexpr Corner kC{&Triangle::c, &Triangle::z};

// The third angle: (180 - the larger) - the smaller. The first subtraction is exact whenever the
// larger is 90 or more, so a small third angle keeps its digits.
double thirdAngle(double u, double w) {
    return (180 - std::max(u, w)) - std::min(u, w);
}

// The sine of that third angle. An obtuse one has the sine of the sum of the other two, which,
// small as it is, is known more closely than 180 less the third angle.
Scaled sinOfThirdAngle(double third, double u, double w) {
    return third > 90 ? sinDegScaled(u + w) : sinDegScaled(third);
}

// Products and quotients of sides and sines below carry their own exponent (Scaled): sides
// anywhere among the doubles give every angle and side that is one, where squares and products
// of two sides would pass beyond the largest double or below the smallest normal one. Sums of
// sides do too, for sides near the largest double. Differences of two sides never overflow.
Scaled sum(double p, double q) {
    return Scaled(p) + Scaled(q);
}

// Three sides. The angle opposite c of a triangle whose other sides are a >= b, by W. Kahan's
// formula for needle-like triangles ("Miscalculating Area and Angles of a Needle-like
// Triangle"), every bracket evaluated as written.
double angleOpposite(double c, double a, double b) {
    const double mu = b >= c ? c - (a - b) : b - (a - c);
    const Scaled numerator = sum(a - b, c) * Scaled(mu);
    const Scaled denominator = (Scaled(a) + sum(b, c)) * sum(a - c, b);
    return 2 * atanDeg(sqrt(numerator / denominator));
}

// p - (q - r) > 4 units of the rounding of q, at a scale where the threshold is a normal double.
bool longerByMoreThanRounding(double p, double q, double r) {
    int e = 0;
    std::frexp(q, &e);
    return std::ldexp(p - (q - r), -e) > 4 * kUnitRoundoff * std::ldexp(q, -e);
}

void threeSides(Triangle& t) {
    struct Side {
        double length;
        double Triangle::*opposite;
    };
    std::array<Side, 3> s{{{t.x, &Triangle::b}, {t.y, &Triangle::a}, {t.z, &Triangle::c}}};
    std::stable_sort(s.begin(), s.end(),
                     [](const Side& p, const Side& q) { return p.length > q.length; });
    const double longest = s[0].length, middle = s[1].length, shortest = s[2].length;
    // The two shorter sides must together be longer than the longest by more than the rounding
    // of typed sides: 18.6, 32.6 and 14 are a segment, not a sliver.
    if (!longerByMoreThanRounding(shortest, longest, middle)) {
        t.a = t.b = t.c = kNaN;
        return;
    }
    const double smallest = angleOpposite(shortest, longest, middle);
    const double medium = angleOpposite(middle, longest, shortest);
    t.*s[2].opposite = smallest;
    t.*s[1].opposite = medium;
    t.*s[0].opposite = thirdAngle(smallest, medium);
}

// Two sides and the angle of corner g between them. The third side is
// sqrt((p - q)^2 + 4pq sin^2(g/2)), which stays accurate where g is tiny and p and q nearly
// equal; the smaller of the other angles, opposite the shorter side p, is
// atan2(p sin g, (q - p) + 2p sin^2(g/2)), and the larger is what remains.
void twoSidesAndTheAngleBetween(Triangle& t, Corner g, Corner k1, Corner k2) {
    const double theta = t.*g.angle;
    const Scaled halfSine = sinDegScaled(theta / 2);
    const Scaled h2 = halfSine * halfSine;
    const bool firstShorter = t.*k1.side <= t.*k2.side;
    const Corner shortCorner = firstShorter ? k1 : k2;
    const Corner longCorner = firstShorter ? k2 : k1;
    const double p = t.*shortCorner.side;
    const double q = t.*longCorner.side;
    const Scaled sp(p), difference(p - q);
    t.*g.side = sqrt(difference * difference + sp.timesTwoTo(2) * Scaled(q) * h2).value();
    const double small = atan2Deg(sp * sinDegScaled(theta), Scaled(q - p) + sp.timesTwoTo(1) * h2);
    t.*shortCorner.angle = small;
    t.*longCorner.angle = thirdAngle(theta, small);
}

// Two sides and the angle of corner g opposite one of them (P, the side of g); the other given
// side Q is that of corner w, whose angle swings between an acute value and its supplement; r is
// the remaining corner. The sine of the swinging angle is s = Q sin g / P. Which triangles exist
// follows from the inputs themselves rather than from the rounded angles: with g of 90 or more
// one when P > Q and none otherwise; with g acute none when s > 1, one right-angled one when s
// is 1 within a few units in the last place, and a second one, with the swinging angle obtuse,
// exactly when Q > P. The first answer has the acute swinging angle.
std::optional<Triangle> twoSidesAndAnAngleOpposite(Triangle& t, Corner g, Corner w, Corner r,
                                                   bool offersSecond) {
    constexpr double kTangent = 4 * kUnitRoundoff;
    const double theta = t.*g.angle;
    const double p = t.*g.side;
    const double q = t.*w.side;
    const Scaled sinTheta = sinDegScaled(theta);
    const Scaled scaledS = Scaled(q) * sinTheta / Scaled(p);
    const double s = scaledS.value();
    double phi = kNaN;
    bool two = false;
    if (theta >= 90) {
        if (p > q) phi = asinDeg(scaledS);
    } else if (std::fabs(s - 1) <= kTangent) {
        phi = 90;
    } else {
        phi = asinDeg(scaledS);  // NaN when s > 1: the side Q sin g does not reach
        two = q > p && s < 1;
    }
    if (std::isnan(phi)) {
        t.*w.angle = t.*r.angle = t.*r.side = kNaN;
        return std::nullopt;
    }
    t.*w.angle = phi;
    t.*r.angle = thirdAngle(theta, phi);
    t.*r.side = (Scaled(p) * sinOfThirdAngle(t.*r.angle, theta, phi) / sinTheta).value();
    if (!offersSecond || !two) return std::nullopt;

    // The second triangle's remaining angle is phi - theta, small where Q is barely longer than
    // P. It comes from sin phi - sin theta = 2 cos((phi + theta)/2) sin((phi - theta)/2), whose
    // left side is sin theta (Q - P) / P, rather than from a difference of nearly equal angles.
    Triangle second = t;
    const double remaining =
        2 * asinDeg(sinTheta * Scaled(q - p) /
                    (Scaled(p).timesTwoTo(1) * Scaled(cosDeg((phi + theta) / 2))));
    second.*w.angle = 180 - phi;
    second.*r.angle = remaining;
    second.*r.side = (Scaled(p) * sinDegScaled(remaining) / sinTheta).value();
    // Inputs below zero give no triangle, and no second one either.
    for (const double v : {second.x, second.y, second.z, second.a, second.b, second.c}) {
        if (!(v > 0)) return std::nullopt;
    }
    return second;
}

// The side of corner `known` and the angles of g1 and g2: the third angle, then the other sides
// by the law of sines. A third angle within the rounding of the given ones counts as none.
void oneSideTwoAngles(Triangle& t, Corner known, Corner g1, Corner g2, Corner rest) {
    const double u = t.*g1.angle;
    const double v = t.*g2.angle;
    double third = thirdAngle(u, v);
    if (third > 0 && third <= kNoAngleDeg) third = 0;
    t.*rest.angle = third;
    auto sine = [&](Corner k) {
        return k.angle == rest.angle ? sinOfThirdAngle(third, u, v) : sinDegScaled(t.*k.angle);
    };
    const Scaled knownSide(t.*known.side);
    const Scaled knownSine = sine(known);
    for (const Corner k : {g1, g2, rest}) {
        if (k.side != known.side) t.*k.side = (sine(k) * knownSide / knownSine).value();
    }
}

// One row of the table: the three inputs, the kind of case and its steps, which may set the
// second triangle.
struct ObliqueCase {
    Marks inputs;
    CaseKind kind;
    void (*steps)(Triangle&, std::optional<Triangle>& second);
};

using Second = std::optional<Triangle>;
constexpr CaseKind kSides = CaseKind::ThreeSides;
constexpr CaseKind kBetween = CaseKind::TwoSidesAndTheAngleBetween;
constexpr CaseKind kOpposite = CaseKind::TwoSidesAndAnAngleOpposite;
constexpr CaseKind kAngles = CaseKind::TwoAnglesAndASide;

// The steps pass the corners in the roles the functions above name them: the given angle's corner
// first for two sides and an angle, the corner of the known side first for one side and two
// angles.
constexpr ObliqueCase kObliqueCases[] = {
    {marksOf("xyz"), kSides, [](Triangle& t, Second&) { threeSides(t); }},
    {marksOf("xya"), kOpposite,
     [](Triangle& t, Second& s) { s = twoSidesAndAnAngleOpposite(t, kA, kB, kC, true); }},
    {marksOf("xza"), kBetween,
     [](Triangle& t, Second&) { twoSidesAndTheAngleBetween(t, kA, kB, kC); }},
    {marksOf("yza"), kOpposite,
     [](Triangle& t, Second& s) { s = twoSidesAndAnAngleOpposite(t, kA, kC, kB, true); }},
    {marksOf("xyb"), kOpposite,
     [](Triangle& t, Second& s) { s = twoSidesAndAnAngleOpposite(t, kB, kA, kC, true); }},
    {marksOf("yzb"), kBetween,
     [](Triangle& t, Second&) { twoSidesAndTheAngleBetween(t, kB, kA, kC); }},
    {marksOf("xzb"), kOpposite,
     [](Triangle& t, Second& s) { s = twoSidesAndAnAngleOpposite(t, kB, kC, kA, true); }},
    {marksOf("yab"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kA, kA, kB, kC); }},
    {marksOf("xab"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kB, kA, kB, kC); }},
    {marksOf("zab"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kC, kA, kB, kC); }},
    {marksOf("xyc"), kBetween,
     [](Triangle& t, Second&) { twoSidesAndTheAngleBetween(t, kC, kA, kB); }},
    // Given C opposite Z, only the triangle with the acute B, or A, is answered.
    {marksOf("xzc"), kOpposite,
     [](Triangle& t, Second&) { twoSidesAndAnAngleOpposite(t, kC, kB, kA, false); }},
    {marksOf("yzc"), kOpposite,
     [](Triangle& t, Second&) { twoSidesAndAnAngleOpposite(t, kC, kA, kB, false); }},
    {marksOf("zca"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kC, kC, kA, kB); }},
    {marksOf("yca"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kA, kC, kA, kB); }},
    {marksOf("xca"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kB, kC, kA, kB); }},
    {marksOf("zcb"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kC, kC, kB, kA); }},
    {marksOf("ycb"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kA, kC, kB, kA); }},
    {marksOf("xcb"), kAngles, [](Triangle& t, Second&) { oneSideTwoAngles(t, kB, kC, kB, kA); }},
};

}  // namespace

// The first set of three inputs in the table's order decides. In an oblique triangle an entry is
// an input when it is marked and not zero. Three angles fix no size, and fewer than three inputs
// fix nothing: no case takes them.
SolvedCase solveObliqueCases(Triangle& t, const Marks& marks, std::optional<Triangle>& second) {
    second.reset();
    const Marks given{marks.x && t.x != 0, marks.y && t.y != 0, marks.z && t.z != 0,
                      marks.a && t.a != 0, marks.b && t.b != 0, marks.c && t.c != 0};
    for (const ObliqueCase& c : kObliqueCases) {
        if (!covers(given, c.inputs)) continue;
        c.steps(t, second);
        return SolvedCase{c.kind, c.inputs};
    }
    return SolvedCase{};
}

}  // namespace solvara
