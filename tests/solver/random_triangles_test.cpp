// SPDX-License-Identifier: GPL-2.0-or-later
// Thousands of random triangles, built from their angles by the law of sines in extended
// precision, are taken apart into every input set both solvers know and solved again. What comes
// back is judged by the geometry alone: it must be the triangle it was made from (or, for two
// sides and an angle opposite one of them, exactly the triangles those inputs allow), and it
// must obey the laws of sines and cosines with angles adding up to 180.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "solver/solver.h"
#include "support/table_names.h"
#include "values/marker_rules.h"

namespace solvara::random_triangles {
namespace {

using Real = long double;
// X, Y and Z name the sides, A, B and C the angles: this file's namespace keeps them here.
enum Letter { X, Y, Z, A, B, C };

constexpr Real kPiL = 3.141592653589793238462643383279502884L;
constexpr double kTolerance = 1e-9;  // relative

Real sinD(Real degrees) {
    return std::sin(degrees * kPiL / 180);
}
Real cosD(Real degrees) {
    return std::cos(degrees * kPiL / 180);
}

// Sides and angles in the solver's naming: X opposite B, Y opposite A, Z opposite C.
struct Tri {
    Real x = 0, y = 0, z = 0, a = 0, b = 0, c = 0;

    Real& operator[](Letter id) {
        switch (id) {
            case X:
                return x;
            case Y:
                return y;
            case Z:
                return z;
            case A:
                return a;
            case B:
                return b;
            default:
                return c;
        }
    }
    Real operator[](Letter id) const { return (*const_cast<Tri*>(this))[id]; }
};

// The triangle with these angles whose circumscribed circle has diameter `scale`.
Tri fromAngles(Real a, Real b, Real scale) {
    Tri t;
    t.a = a;
    t.b = b;
    t.c = 180 - a - b;
    t.x = scale * sinD(t.b);
    t.y = scale * sinD(t.a);
    t.z = scale * sinD(t.c);
    return t;
}

Tri fromTriangle(const Triangle& t) {
    return {t.x, t.y, t.z, t.a, t.b, t.c};
}

std::string describe(const Tri& t) {
    std::ostringstream out;
    out.precision(17);
    out << "X=" << t.x << " Y=" << t.y << " Z=" << t.z << " A=" << t.a << " B=" << t.b
        << " C=" << t.c;
    return out.str();
}

bool close(Real actual, Real expected, double tolerance = kTolerance) {
    return std::fabs(actual - expected) <= tolerance * std::fabs(expected);
}

// Empty when the six values form a triangle: positive, angles adding up to 180, and sides and
// angles related by the laws of sines and cosines.
std::string geometryFault(const Tri& t) {
    for (const Letter id : {X, Y, Z, A, B, C}) {
        if (!(t[id] > 0) || !std::isfinite(static_cast<double>(t[id]))) return "not positive";
    }
    if (!close(t.a + t.b + t.c, 180, 1e-12)) return "angles do not add up to 180";
    const Real diameter = t.x / sinD(t.b);
    if (!close(t.y / sinD(t.a), diameter) || !close(t.z / sinD(t.c), diameter)) {
        return "law of sines";
    }
    struct {
        Real opposite, p, q, angle;
    } const corners[] = {{t.x, t.y, t.z, t.b}, {t.y, t.x, t.z, t.a}, {t.z, t.x, t.y, t.c}};
    for (const auto& k : corners) {
        const Real rhs = k.p * k.p + k.q * k.q - 2 * k.p * k.q * cosD(k.angle);
        if (std::fabs(k.opposite * k.opposite - rhs) > kTolerance * (k.p * k.p + k.q * k.q)) {
            return "law of cosines";
        }
    }
    return {};
}

// Empty when `actual` is `expected` to the relative tolerance in all six values.
std::string difference(const Tri& actual, const Tri& expected, double tolerance = kTolerance) {
    static const char* names = "XYZABC";
    for (const Letter id : {X, Y, Z, A, B, C}) {
        if (!close(actual[id], expected[id], tolerance)) {
            return std::string("differs in ") + names[id];
        }
    }
    return {};
}

// The random triangles: acute, right, obtuse and thin ones (an angle below one degree), with
// the roles of the three angles shuffled and sizes over five orders of magnitude.
std::vector<Tri> randomTriangles(int count) {
    std::mt19937_64 random(20261208);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    std::vector<Tri> triangles;
    for (int i = 0; i < count; ++i) {
        double p = 0, q = 0;
        switch (i % 4) {
            case 0:  // acute
                p = uniform(1, 89);
                q = uniform(std::max(1.0, 91 - p), 89);
                break;
            case 1:  // right
                p = 90;
                q = uniform(0.05, 89.95);
                break;
            case 2:  // obtuse
                p = uniform(90.5, 178);
                q = uniform(0.05, 180 - p - 0.05);
                break;
            default:  // thin
                p = uniform(0.05, 1);
                q = uniform(0.05, 179.9 - p);
                break;
        }
        // The angles are the doubles the user would type; the third is what remains of 180.
        std::array<Real, 3> angles{p, q, 180.0L - p - q};
        std::shuffle(angles.begin(), angles.end(), random);
        const Real scale = std::pow(10.0L, uniform(-2, 3));
        triangles.push_back(fromAngles(angles[0], angles[1], scale));
    }
    return triangles;
}

// The record with those entries of the triangle typed and marked.
TriangleValues inputsOf(const Tri& t, SolveMode mode, std::initializer_list<Letter> ids) {
    static constexpr Entry kEntries[] = {Entry::X, Entry::Y, Entry::Z,
                                         Entry::A, Entry::B, Entry::C};
    TriangleValues v;
    v.solveMode = mode;
    for (const Letter id : ids) {
        v.number(kEntries[id]) = static_cast<double>(t[id]);
        v.markers.set(kEntries[id], true);
    }
    return v;
}

SolveOutcome solveRecord(const TriangleValues& v) {
    return solve(v.solveMode, v.triangle, v.marks());
}

// Collects failures and reports the first few of them.
struct Failures {
    int count = 0;
    void add(const std::string& what) {
        if (++count <= 10) ADD_FAILURE() << what;
    }
};

constexpr int kTriangles = 4000;

TEST(RandomTriangles, RightSolverRebuildsEveryRightTriangle) {
    std::mt19937_64 random(1208);
    auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    Failures failures;
    int solved = 0;
    for (int i = 0; i < kTriangles; ++i) {
        // A quarter of them thin: one angle below a degree.
        double a = i % 4 == 0 ? uniform(0.05, 1) : uniform(1, 89);
        if (i % 8 == 0) a = 90 - a;
        const Tri t = fromAngles(a, 90.0L - a, std::pow(10.0L, uniform(-2, 3)));
        const std::initializer_list<Letter> inputSets[] = {{X, Y}, {Y, Z}, {X, Z}, {Z, A}, {X, A},
                                                           {Y, A}, {Z, B}, {X, B}, {Y, B}};
        for (const auto& ids : inputSets) {
            TriangleValues v = inputsOf(t, SolveMode::Right, ids);
            completeRightAngles(v);  // as the program does before it solves
            const SolveOutcome o = solveRecord(v);
            if (o.kind == SolveOutcome::Kind::NoCase) {
                failures.add("no case for " + describe(t));
                continue;
            }
            ++solved;
            const Tri got = fromTriangle(o.first);
            std::string fault = geometryFault(got);
            if (fault.empty()) fault = difference(got, t);
            if (fault.empty() && o.kind != SolveOutcome::Kind::Solved) fault = "rejected";
            if (!fault.empty()) failures.add(fault + ": " + describe(got) + " from " + describe(t));
        }
    }
    EXPECT_EQ(solved, 9 * kTriangles);
    EXPECT_EQ(failures.count, 0);
}

// Two sides and the angle opposite one of them. `adjacent` is the other given side; `swinging`
// is the angle opposite it, which may be acute or obtuse, and `remaining` the third angle.
struct SideSideAngle {
    Letter opposite, adjacent, given, swinging, remaining;
    bool offersSecond;
};

// The triangle with the same two sides and angle but the swinging angle's supplement, if the
// supplement leaves room for a third angle (`other` is filled in either way).
bool otherTriangle(const Tri& t, const SideSideAngle& k, Tri& other) {
    other = t;
    other[k.swinging] = 180 - t[k.swinging];
    other[k.remaining] = 180 - t[k.given] - other[k.swinging];
    const Real diameter = t[k.opposite] / sinD(t[k.given]);
    // The side opposite the remaining angle.
    for (const Letter side : {X, Y, Z}) {
        if (side != k.opposite && side != k.adjacent) {
            other[side] = diameter * sinD(other[k.remaining]);
        }
    }
    return other[k.remaining] > 0;
}

TEST(RandomTriangles, ObliqueSolverRebuildsEveryTriangleItCan) {
    struct Case {
        std::initializer_list<Letter> inputs;
        const SideSideAngle* ssa;
    };
    // Which input set of the nineteen is side-side-angle, and how.
    static const SideSideAngle k2{Y, X, A, B, C, true};
    static const SideSideAngle k4{Y, Z, A, C, B, true};
    static const SideSideAngle k5{X, Y, B, A, C, true};
    static const SideSideAngle k7{X, Z, B, C, A, true};
    static const SideSideAngle k12{Z, X, C, B, A, false};
    static const SideSideAngle k13{Z, Y, C, A, B, false};
    const Case cases[] = {
        {{X, Y, Z}, nullptr}, {{X, Y, A}, &k2},     {{X, Z, A}, nullptr}, {{Y, Z, A}, &k4},
        {{X, Y, B}, &k5},     {{Y, Z, B}, nullptr}, {{X, Z, B}, &k7},     {{Y, A, B}, nullptr},
        {{X, A, B}, nullptr}, {{Z, A, B}, nullptr}, {{X, Y, C}, nullptr}, {{X, Z, C}, &k12},
        {{Y, Z, C}, &k13},    {{Z, C, A}, nullptr}, {{Y, C, A}, nullptr}, {{X, C, A}, nullptr},
        {{Z, C, B}, nullptr}, {{Y, C, B}, nullptr}, {{X, C, B}, nullptr},
    };

    Failures failures;
    int twoAnswers = 0;
    int oneAnswer = 0;
    int tangent = 0;
    for (const Tri& t : randomTriangles(kTriangles)) {
        for (std::size_t n = 0; n < std::size(cases); ++n) {
            const Case& c = cases[n];
            TriangleValues v = inputsOf(t, SolveMode::Oblique, c.inputs);
            const std::string where = "case " + std::to_string(n + 1) + " of " + describe(t);
            const SolveOutcome o = solveRecord(v);
            if (o.kind == SolveOutcome::Kind::NoCase) {
                failures.add("no case: " + where);
                continue;
            }
            const Tri first = fromTriangle(o.first);
            for (const Letter id : c.inputs) {
                if (first[id] != static_cast<double>(t[id]))
                    failures.add("input changed: " + where);
            }
            const bool accepted = o.kind == SolveOutcome::Kind::Solved;

            if (c.ssa == nullptr) {
                std::string fault = geometryFault(first);
                if (fault.empty()) fault = difference(first, t);
                if (fault.empty() && !accepted) fault = "rejected";
                if (fault.empty() && o.second) fault = "second answer";
                if (!fault.empty()) failures.add(fault + ": " + describe(first) + " from " + where);
                continue;
            }

            const SideSideAngle& k = *c.ssa;
            // Where the swinging angle is all but right, the two triangles all but coincide and
            // the inputs, rounded to doubles, no longer say whether they touch at all (the
            // swinging angle is then known only to about 1e-6 degree): the solver may find one
            // triangle or none, but what it finds must be a triangle with these inputs.
            if (std::fabs(t[k.swinging] - 90) < 1e-3) {
                ++tangent;
                const std::string fault = accepted ? geometryFault(first) : "";
                if (!fault.empty()) failures.add(fault + ": " + describe(first) + " from " + where);
                continue;
            }
            Tri other;
            const bool two = otherTriangle(t, k, other);
            // The supplement all but fits or all but fails to: no verdict on the second answer.
            if (std::fabs(other[k.remaining]) < 1e-6) continue;
            const Tri& acute = t[k.swinging] < 90 ? t : other;
            const Tri& obtuse = t[k.swinging] < 90 ? other : t;

            std::string fault = geometryFault(first);
            if (fault.empty()) fault = difference(first, acute);
            if (fault.empty() && !accepted) fault = "rejected";
            if (!k.offersSecond) {
                if (fault.empty() && o.second) fault = "second answer";
            } else if (fault.empty() && two && !o.second) {
                fault = "second answer missed";
            } else if (fault.empty() && !two && o.second) {
                fault = "second answer offered";
            } else if (fault.empty() && two) {
                const Tri second = fromTriangle(*o.second);
                fault = geometryFault(second);
                if (fault.empty()) fault = difference(second, obtuse);
                if (!fault.empty()) fault = "second answer: " + fault + " " + describe(second);
            }
            if (!fault.empty()) failures.add(fault + ": " + describe(first) + " from " + where);
            if (k.offersSecond) ++(two ? twoAnswers : oneAnswer);
        }
    }
    // Both kinds of side-side-angle input are met often.
    EXPECT_GT(twoAnswers, kTriangles / 2);
    EXPECT_GT(oneAnswer, kTriangles / 2);
    EXPECT_EQ(failures.count, 0);
    RecordProperty("twoAnswers", twoAnswers);
    RecordProperty("oneAnswer", oneAnswer);
    RecordProperty("tangent", tangent);
}

}  // namespace
}  // namespace solvara::random_triangles
