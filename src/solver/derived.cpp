// SPDX-License-Identifier: GPL-2.0-or-later
#include "solver/derived.h"
#include "solver/solver.h"
#include "solver/trig.h"

namespace solvara {

// An area is a product of two sides, which for sides of 1e200 lies beyond the largest double and
// for sides of 1e-200 below the smallest: it is worked with its own exponent (Scaled), and only
// the answer meets the range of the doubles. A height, a side's worth, comes from that area before
// it does.
namespace {

// Half the product of the two sides that enclose the smallest angle and that angle's sine: the
// smallest angle is never obtuse, so its sine keeps its digits where another angle is close to
// 180. Z and X enclose A, Y and Z enclose B, X and Y enclose C.
Scaled obliqueArea(const Triangle& t) {
    auto half = [](double angle, double p, double q) {
        return (sinDegScaled(angle) * (Scaled(p) * Scaled(q))).timesTwoTo(-1);
    };
    if (t.a <= t.b && t.a <= t.c) return half(t.a, t.z, t.x);
    if (t.b <= t.c) return half(t.b, t.y, t.z);
    return half(t.c, t.x, t.y);
}

// Half the product of the legs.
Scaled rightArea(double x, double y) {
    return (Scaled(y) * Scaled(x)).timesTwoTo(-1);
}

}  // namespace

Scaled scaledArea(SolveMode mode, const Triangle& t) {
    return mode == SolveMode::Right ? rightArea(t.x, t.y) : obliqueArea(t);
}

double rightTriangleArea(double x, double y) {
    return rightArea(x, y).value();
}

double obliqueTriangleArea(const Triangle& t) {
    return obliqueArea(t).value();
}

// Side X runs from the vertex of C to the vertex of A; the height is dropped from the vertex
// of B, and the width is the span of the triangle's shadow on the line of X. The foot of the
// height lies Y cos C from C and Z cos A from A, the two adding up to X. An obtuse C puts the foot
// beyond C, so the width is Z cos A; an obtuse A puts it beyond A, and the width is Y cos C. Each
// time the cosine is that of the acute angle, which is known to its last digits where the obtuse
// one may come from a subtraction.
HeightAndWidth obliqueHeightAndWidth(const Triangle& t) {
    HeightAndWidth hw;
    hw.height = (obliqueArea(t).timesTwoTo(1) / Scaled(t.x)).value();
    hw.width = t.x;
    if (t.c > 90) hw.width = t.z * cosDeg(t.a);
    if (t.a > 90) hw.width = t.y * cosDeg(t.c);
    return hw;
}

double triangleArea(SolveMode mode, const Triangle& t) {
    return mode == SolveMode::Right ? rightTriangleArea(t.x, t.y) : obliqueTriangleArea(t);
}

HeightAndWidth heightAndWidth(SolveMode mode, const Triangle& t) {
    if (mode == SolveMode::Right) return HeightAndWidth{t.y, t.x};
    return obliqueHeightAndWidth(t);
}

}  // namespace solvara
