// SPDX-License-Identifier: GPL-2.0-or-later
#include "solver/figures.h"

#include "solver/derived.h"
#include "solver/trig.h"

namespace solvara {

namespace {

// The triangle by its corners: corner k holds a side and the angle opposite it, X with B, Y with
// A, Z with C. The side between corners j and k is that of the third corner; the side k lies
// between the other two corners, and their angles stand at its ends. Of every angle up to 90
// degrees the corner keeps the sine and the cosine of its half, which the medians and the
// bisectors share.
struct Corners {
    std::array<double, 3> side{};
    std::array<double, 3> angle{};
    std::array<SineAndCosine, 3> half{};
};

Corners cornersOf(const Triangle& t) {
    Corners c{{t.x, t.y, t.z}, {t.b, t.a, t.c}, {}};
    for (int k = 0; k < 3; ++k) {
        if (c.angle[k] <= 90) c.half[k] = sinCosDegScaled(c.angle[k] / 2);
    }
    return c;
}

constexpr int next(int k) {
    return (k + 1) % 3;
}
constexpr int after(int k) {
    return (k + 2) % 3;
}

// Every figure is worked from products, quotients and sums with their own exponent (Scaled), so
// that sides of 1e200 or 1e-200 give the figures that are doubles; a perimeter or a circumradius
// beyond the largest double, or a height below the smallest normal one, is left to the solution
// check.

// The median from corner k to the middle of side k, by the law of cosines in the triangle it cuts
// off at the end j of side k: with p the side from corner k to corner j and s side k,
//   m^2 = p^2 + (s/2)^2 - p s cos(g) = (p - s/2)^2 + 2 p s sin^2(g/2),
// g the angle at j. Both terms are positive, so nothing cancels where the textbook
// (2p^2 + 2q^2 - s^2)/4 loses every digit: the short median of a cap, the medians of a needle.
// The end with the smaller angle is taken, which is never obtuse and never the third angle that
// a solver made as what is left of 180.
double median(const Corners& c, int k) {
    const int j = c.angle[next(k)] <= c.angle[after(k)] ? next(k) : after(k);
    const int other = j == next(k) ? after(k) : next(k);
    const Scaled p(c.side[other]);
    const Scaled halfSide = Scaled(c.side[k]).timesTwoTo(-1);
    const Scaled difference = p + Scaled(-c.side[k]).timesTwoTo(-1);
    const Scaled halfSine = c.half[j].sine;
    return sqrt(difference * difference + (p * halfSide * halfSine * halfSine).timesTwoTo(2))
        .value();
}

// The bisector of the angle g at corner k, to side k, between the sides p and q that enclose g:
// 2 p q cos(g/2) / (p + q). For an obtuse g the cosine of g/2 is the sine of half the other two
// angles, which a cap knows to its last digit where 180 less g does not.
double bisector(const Corners& c, int k) {
    const Scaled p(c.side[next(k)]), q(c.side[after(k)]);
    const Scaled halfCosine = c.angle[k] > 90
                                  ? sinDegScaled((c.angle[next(k)] + c.angle[after(k)]) / 2)
                                  : Scaled(c.half[k].cosine);
    return (p * q * halfCosine / (p + q)).timesTwoTo(1).value();
}

}  // namespace

TriangleFigures figuresOf(SolveMode mode, const Triangle& t) {
    const Corners c = cornersOf(t);
    const Scaled area = scaledArea(mode, t);
    const Scaled perimeter = Scaled(t.x) + Scaled(t.y) + Scaled(t.z);

    TriangleFigures f;
    auto set = [&f](TriangleFigure figure, double value) {
        f.values[static_cast<std::size_t>(figure)] = value;
    };
    set(TriangleFigure::Perimeter, perimeter.value());
    // Twice the area over each side: the height onto X is the answer's height over X.
    const TriangleFigure heights[] = {TriangleFigure::HeightOntoX, TriangleFigure::HeightOntoY,
                                      TriangleFigure::HeightOntoZ};
    for (int k = 0; k < 3; ++k)
        set(heights[k], (area.timesTwoTo(1) / Scaled(c.side[k])).value());
    const TriangleFigure medians[] = {TriangleFigure::MedianToX, TriangleFigure::MedianToY,
                                      TriangleFigure::MedianToZ};
    for (int k = 0; k < 3; ++k)
        set(medians[k], median(c, k));
    // Corner 1 holds A, corner 0 B.
    set(TriangleFigure::BisectorOfA, bisector(c, 1));
    set(TriangleFigure::BisectorOfB, bisector(c, 0));
    set(TriangleFigure::BisectorOfC, bisector(c, 2));
    set(TriangleFigure::Inradius, (area.timesTwoTo(1) / perimeter).value());
    // XYZ / (4 area): the area is half the product of the sides beside the smallest angle and
    // its sine, so this is the side opposite that angle over twice its sine, from the sine that
    // keeps its digits; a side worked by the law of sines from that same sine divides out.
    set(TriangleFigure::Circumradius,
        (Scaled(t.x) * Scaled(t.y) * Scaled(t.z) / area.timesTwoTo(2)).value());

    if (mode == SolveMode::Right) {
        // C is the right angle: the legs are each other's heights, and the hypotenuse is a
        // diameter of the circumscribed circle.
        set(TriangleFigure::HeightOntoX, t.y);
        set(TriangleFigure::HeightOntoY, t.x);
        set(TriangleFigure::Circumradius, Scaled(t.z).timesTwoTo(-1).value());
    }
    return f;
}

}  // namespace solvara
