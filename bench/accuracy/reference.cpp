// SPDX-License-Identifier: GPL-2.0-or-later
#include "accuracy/reference.h"

#include <cmath>
#include <utility>

namespace solvara::accuracy {

namespace {

// Sixty digits leave over twenty to spare where the textbook formulas below cancel most, in the
// law of cosines of a needle with a 1e-12 degree angle.
const Real& pi() {
    static const Real value = atan(Real(1)) * 4;
    return value;
}
Real sinD(const Real& degrees) {
    return sin(degrees * pi() / 180);
}
Real cosD(const Real& degrees) {
    return cos(degrees * pi() / 180);
}
Real inDegrees(const Real& radians) {
    return radians * 180 / pi();
}

bool isSide(int l) {
    return l <= Z;
}
// X lies opposite B, Y opposite A, Z opposite C.
int opposite(int l) {
    static constexpr int kOpposite[] = {B, A, C, Y, X, Z};
    return kOpposite[l];
}
// The one letter of three (all sides or all angles) that is neither p nor q.
int third(int p, int q) {
    const int base = isSide(p) ? X : A;
    return base + 3 - (p - base) - (q - base);
}

using Known = std::array<std::optional<Real>, 6>;

Real& figure(Figures& f, solvara::TriangleFigure which) {
    return f[kFirstTriangleFigure + static_cast<int>(which)];
}

void addDerivedFigures(Figures& f) {
    using solvara::TriangleFigure;
    // Side X is the base; the vertex of B stands Y sin C above it, and its foot lies Y cos C from
    // the vertex of C along X, outside X when C or A is obtuse.
    f[kHeight] = f[Y] * sinD(f[C]);
    f[kArea] = f[X] * f[kHeight] / 2;
    const Real foot = f[Y] * cosD(f[C]);
    f[kWidth] = foot < 0 ? f[X] - foot : foot > f[X] ? foot : f[X];

    // The textbook formulas: a median's cancels in a cap, which costs it some sixteen of the
    // sixty digits where its angles are 1e-6 degrees.
    const Real perimeter = f[X] + f[Y] + f[Z];
    figure(f, TriangleFigure::Perimeter) = perimeter;
    figure(f, TriangleFigure::HeightOntoX) = 2 * f[kArea] / f[X];
    figure(f, TriangleFigure::HeightOntoY) = 2 * f[kArea] / f[Y];
    figure(f, TriangleFigure::HeightOntoZ) = 2 * f[kArea] / f[Z];
    auto median = [](const Real& side, const Real& p, const Real& q) {
        return sqrt(2 * p * p + 2 * q * q - side * side) / 2;
    };
    figure(f, TriangleFigure::MedianToX) = median(f[X], f[Y], f[Z]);
    figure(f, TriangleFigure::MedianToY) = median(f[Y], f[Z], f[X]);
    figure(f, TriangleFigure::MedianToZ) = median(f[Z], f[X], f[Y]);
    // Z and X enclose A, Y and Z enclose B, X and Y enclose C.
    auto bisector = [](const Real& angle, const Real& p, const Real& q) {
        return 2 * p * q * cosD(angle / 2) / (p + q);
    };
    figure(f, TriangleFigure::BisectorOfA) = bisector(f[A], f[Z], f[X]);
    figure(f, TriangleFigure::BisectorOfB) = bisector(f[B], f[Y], f[Z]);
    figure(f, TriangleFigure::BisectorOfC) = bisector(f[C], f[X], f[Y]);
    figure(f, TriangleFigure::Inradius) = 2 * f[kArea] / perimeter;
    figure(f, TriangleFigure::Circumradius) = f[Z] / (2 * sinD(f[C]));
}

Figures figuresOf(const Known& k) {
    Figures f{};
    for (int l = 0; l < 6; ++l)
        f[l] = *k[l];
    addDerivedFigures(f);
    return f;
}

// Three sides: the law of cosines for two angles, the rest of 180 for the third.
bool threeSides(Known& k) {
    const Real &x = *k[X], &y = *k[Y], &z = *k[Z];
    if (!(x < y + z && y < x + z && z < x + y)) return false;
    k[A] = inDegrees(acos((x * x + z * z - y * y) / (2 * x * z)));
    k[B] = inDegrees(acos((y * y + z * z - x * x) / (2 * y * z)));
    k[C] = 180 - *k[A] - *k[B];
    return true;
}

// Two sides p, q and the angle between them.
bool twoSidesAndTheAngleBetween(Known& k, int angle) {
    const Real theta = *k[angle];
    int sides[2];
    int n = 0;
    for (int l = X; l <= Z; ++l)
        if (l != opposite(angle)) sides[n++] = l;
    const Real &p = *k[sides[0]], &q = *k[sides[1]];
    k[opposite(angle)] = sqrt(p * p + q * q - 2 * p * q * cosD(theta));
    const Real alpha = inDegrees(atan2(p * sinD(theta), q - p * cosD(theta)));
    k[opposite(sides[0])] = alpha;
    k[opposite(sides[1])] = 180 - theta - alpha;
    return true;
}

ExactAnswer twoSidesAndAnAngleOpposite(Known k, int angle, int otherSide, bool offersSecond) {
    ExactAnswer answer;
    const Real theta = *k[angle];
    const Real& p = *k[opposite(angle)];
    const Real& q = *k[otherSide];
    const int swinging = opposite(otherSide);
    const int remaining = third(angle, swinging);
    const Real s = q * sinD(theta) / p;
    Real phi;
    if (theta >= 90) {
        if (!(p > q)) return answer;
        phi = inDegrees(asin(s));
    } else {
        answer.tangentDistance = abs(s - 1);
        // The sine of a typed angle is never exactly rational, but that of 30 degrees is 1/2 to
        // the reference's precision.
        if (*answer.tangentDistance <= Real(1e-45)) {
            phi = 90;
        } else if (s > 1) {
            return answer;
        } else {
            phi = inDegrees(asin(s));
        }
    }
    const Real diameter = p / sinD(theta);
    k[swinging] = phi;
    k[remaining] = 180 - theta - phi;
    k[opposite(remaining)] = diameter * sinD(*k[remaining]);
    answer.exists = true;
    answer.first = figuresOf(k);
    if (offersSecond && theta < 90 && q > p && phi < 90) {
        k[swinging] = 180 - phi;
        k[remaining] = phi - theta;
        k[opposite(remaining)] = diameter * sinD(*k[remaining]);
        answer.second = figuresOf(k);
    }
    return answer;
}

// One side and two angles: the third angle is the rest of 180, the sides follow the law of sines.
bool oneSideTwoAngles(Known& k, int side, int p, int q) {
    const int r = third(p, q);
    k[r] = 180 - *k[p] - *k[q];
    if (!(*k[r] > 0)) return false;
    const Real diameter = *k[side] / sinD(*k[opposite(side)]);
    for (int l = X; l <= Z; ++l)
        if (l != side) k[l] = diameter * sinD(*k[opposite(l)]);
    return true;
}

// Every figure a normal double: one beyond the largest double or below the smallest normal one
// cannot be shown, and an answer with one is none.
bool representable(const Figures& f) {
    for (const Real& figure : f) {
        const double d = static_cast<double>(figure);
        if (!(std::isnormal(d) && d > 0)) return false;
    }
    return true;
}

ExactAnswer solveGeometry(SolveMode mode, const std::vector<Given>& inputs);

}  // namespace

Real sinDegrees(const Real& degrees) {
    return sinD(degrees);
}

ExactAnswer solveExactly(SolveMode mode, const std::vector<Given>& inputs) {
    ExactAnswer answer = solveGeometry(mode, inputs);
    if (answer.exists && !representable(answer.first)) answer.exists = false;
    if (answer.second && !representable(*answer.second)) answer.second.reset();
    return answer;
}

namespace {

ExactAnswer solveGeometry(SolveMode mode, const std::vector<Given>& inputs) {
    Known k;
    std::vector<int> sides, angles;
    auto take = [&](int letter, const Real& value) {
        k[letter] = value;
        (isSide(letter) ? sides : angles).push_back(letter);
    };
    for (const Given& g : inputs)
        take(g.letter, Real(g.value));
    if (mode == SolveMode::Right) take(C, Real(90));

    ExactAnswer none;
    for (const int l : sides)
        if (!(*k[l] > 0)) return none;
    for (const int l : angles)
        if (!(*k[l] > 0 && *k[l] < 180)) return none;

    bool exists = false;
    if (sides.size() == 3) {
        exists = threeSides(k);
    } else if (sides.size() == 2 && angles.size() == 1) {
        const int angle = angles[0];
        if (!k[opposite(angle)]) {
            exists = twoSidesAndTheAngleBetween(k, angle);
        } else {
            const int q = sides[0] == opposite(angle) ? sides[1] : sides[0];
            // The second triangle is offered for the angles A and B only.
            return twoSidesAndAnAngleOpposite(k, angle, q,
                                              mode == SolveMode::Oblique && angle != C);
        }
    } else if (sides.size() == 1 && angles.size() == 2) {
        exists = oneSideTwoAngles(k, sides[0], angles[0], angles[1]);
    }
    if (!exists) return none;
    ExactAnswer answer;
    answer.exists = true;
    answer.first = figuresOf(k);
    return answer;
}

}  // namespace

}  // namespace solvara::accuracy
