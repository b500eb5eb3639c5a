// SPDX-License-Identifier: GPL-2.0-or-later
// Hand-checked triangles through both solvers, the derived quantities and the solution check.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>

#include "solver/solver.h"
#include "solver/trig.h"

namespace solvara {
namespace {

using namespace entry;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Given {
    EntryId id;
    double value;
};

TriangleValues withInputs(SolveMode mode, std::initializer_list<Given> inputs) {
    TriangleValues v;
    v.solveMode = mode;
    for (const Given& g : inputs) {
        v.number(g.id) = g.value;
        v.setMarker(g.id, true);
    }
    return v;
}

// The figures below are rounded to nine decimals.
void expectNine(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-9) << what;
}

struct Triangle {
    double x, y, z, a, b, c;
};

void expectTriangle(const TriangleValues& v, const Triangle& t) {
    expectNine(v.x, t.x, "X");
    expectNine(v.y, t.y, "Y");
    expectNine(v.z, t.z, "Z");
    expectNine(v.a, t.a, "A");
    expectNine(v.b, t.b, "B");
    expectNine(v.c, t.c, "C");
}

void expectSecond(const AlternateSolution& s, const Triangle& t) {
    expectNine(s.x, t.x, "second X");
    expectNine(s.y, t.y, "second Y");
    expectNine(s.z, t.z, "second Z");
    expectNine(s.a, t.a, "second A");
    expectNine(s.b, t.b, "second B");
    expectNine(s.c, t.c, "second C");
}

Verdict verdictOf(const TriangleValues& v) {
    return checkSolution(v).verdict;
}

TEST(Trig, DegreeFunctionsAndTheirDomains) {
    EXPECT_EQ(asinDeg(1), 90);
    EXPECT_EQ(asinDeg(-1), -90);
    EXPECT_EQ(acosDeg(1), 0);
    EXPECT_EQ(acosDeg(-1), 180);
    EXPECT_EQ(atanDeg(kInf), 90);
    EXPECT_EQ(atanDeg(-kInf), -90);
    EXPECT_EQ(atan2Deg(1, 0), 90);
    EXPECT_EQ(atan2Deg(0, -1), 180);
    for (const double outside : {1.0000000000000002, -1.5, kNaN, kInf}) {
        EXPECT_TRUE(std::isnan(asinDeg(outside))) << outside;
        EXPECT_TRUE(std::isnan(acosDeg(outside))) << outside;
    }
    EXPECT_NEAR(sinDeg(30), 0.5, 1e-15);
    EXPECT_NEAR(cosDeg(60), 0.5, 1e-15);
    EXPECT_NEAR(tanDeg(45), 1, 1e-15);
}

TEST(RightSolver, WorkedExamples) {
    struct {
        std::initializer_list<Given> inputs;
        Triangle solved;
    } const cases[] = {
        {{{X, 3}, {Y, 4}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
        {{{Y, 5}, {Z, 13}}, {12, 5, 13, 22.619864948, 67.380135052, 90}},
        {{{X, 12}, {Z, 13}}, {12, 5, 13, 22.619864948, 67.380135052, 90}},
        {{{Z, 10}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        {{{X, 10}, {A, 30}}, {10, 5.773502692, 11.547005384, 30, 60, 90}},
        {{{Y, 5}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        // With B marked the marker rules have already set A to 90 - B.
        {{{Z, 10}, {B, 60}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        {{{X, 10}, {B, 60}, {A, 30}}, {10, 5.773502692, 11.547005384, 30, 60, 90}},
        {{{Y, 5}, {B, 60}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        // More inputs than two: the earliest case wins and the rest is overwritten.
        {{{X, 3}, {Y, 4}, {Z, 9}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
    };
    for (const auto& c : cases) {
        TriangleValues v = withInputs(SolveMode::Right, c.inputs);
        v.editBlocked = true;
        ASSERT_EQ(solveRight(v), SolveOutcome::Solved);
        expectTriangle(v, c.solved);
        EXPECT_FALSE(v.editBlocked);
        EXPECT_EQ(verdictOf(v), Verdict::ShowFirstAnswer);
    }
}

TEST(RightSolver, ImpossibleInputsAreLeftForTheCheckToReject) {
    TriangleValues equalLegAndHypotenuse = withInputs(SolveMode::Right, {{Y, 7}, {Z, 7}});
    ASSERT_EQ(solveRight(equalLegAndHypotenuse), SolveOutcome::Solved);
    EXPECT_EQ(equalLegAndHypotenuse.x, 0);
    EXPECT_EQ(equalLegAndHypotenuse.a, 90);
    EXPECT_EQ(equalLegAndHypotenuse.b, 0);
    EXPECT_EQ(verdictOf(equalLegAndHypotenuse), Verdict::Rejected);

    for (const auto& inputs : {std::initializer_list<Given>{{Y, 8}, {Z, 7}},
                               std::initializer_list<Given>{{X, 8}, {Z, 7}},
                               std::initializer_list<Given>{{Z, 7}, {A, 90}},
                               std::initializer_list<Given>{{X, 7}, {A, 120}},
                               std::initializer_list<Given>{{Y, 7}, {A, 95}},
                               std::initializer_list<Given>{{Y, 7}, {B, 95}, {A, -5}}}) {
        TriangleValues v = withInputs(SolveMode::Right, inputs);
        ASSERT_EQ(solveRight(v), SolveOutcome::Solved);
        EXPECT_EQ(verdictOf(v), Verdict::Rejected) << v.x << " " << v.y << " " << v.z;
    }
}

TEST(RightSolver, NoCaseForAnglesAlone) {
    for (const auto& inputs :
         {std::initializer_list<Given>{{A, 30}, {C, 90}},
          std::initializer_list<Given>{{A, 30}, {B, 60}}, std::initializer_list<Given>{}}) {
        TriangleValues v = withInputs(SolveMode::Right, inputs);
        EXPECT_EQ(solveRight(v), SolveOutcome::NoCaseApplies);
    }
    // A marked entry that is zero is no input.
    TriangleValues v = withInputs(SolveMode::Right, {{X, 3}, {Y, 0}});
    EXPECT_EQ(solveRight(v), SolveOutcome::NoCaseApplies);
}

TEST(ObliqueSolver, WorkedExamples) {
    struct {
        std::initializer_list<Given> inputs;
        Triangle solved;
    } const cases[] = {
        {{{X, 3}, {Y, 4}, {Z, 5}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
        // B is obtuse: it comes from the law of cosines, not from the arcsine's 49.458398126.
        {{{X, 10}, {Y, 5}, {Z, 6}}, {10, 5, 6, 22.331645009, 130.541601874, 27.126753117}},
        {{{X, 4}, {Y, 10}, {Z, 7}}, {4, 10, 7, 128.682187453, 18.194872339, 33.122940208}},
        // B is obtuse: the two-argument arctangent keeps it, where the quotient gave -41.46.
        {{{X, 10}, {Z, 3}, {A, 30}}, {10, 7.552382126, 3, 30, 138.544147078, 11.455852922}},
        // Y, Z and the angle B between them, and X, Y and C between them, with obtuse angles.
        {{{Y, 5}, {Z, 6}, {B, 130.541601874}},
         {10, 5, 6, 22.331645009, 130.541601874, 27.126753117}},
        {{{X, 10}, {Y, 5}, {C, 27.126753117}},
         {10, 5, 6, 22.331645009, 130.541601874, 27.126753117}},
        {{{Y, 10}, {A, 40}, {B, 60}}, {13.472963553, 10, 15.320888862, 40, 60, 80}},
        {{{X, 13.472963553}, {A, 40}, {B, 60}}, {13.472963553, 10, 15.320888862, 40, 60, 80}},
        {{{Z, 10}, {A, 40}, {B, 60}}, {8.793852416, 6.527036447, 10, 40, 60, 80}},
        // Four inputs: the three sides win and A is recomputed.
        {{{X, 3}, {Y, 4}, {Z, 5}, {A, 10}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
    };
    for (const auto& c : cases) {
        TriangleValues v = withInputs(SolveMode::Oblique, c.inputs);
        ASSERT_EQ(solveOblique(v), SolveOutcome::Solved);
        expectTriangle(v, c.solved);
        EXPECT_FALSE(v.alternate.otherAnswerAvailable);
        EXPECT_EQ(verdictOf(v), Verdict::ShowFirstAnswer);
    }
}

TEST(ObliqueSolver, TwoSidesAndAnAngleOppositeOneGiveBothTriangles) {
    struct {
        std::initializer_list<Given> inputs;
        Triangle first;
        Triangle second;
    } const cases[] = {
        {{{X, 10}, {Y, 7}, {A, 30}},
         {10, 7, 13.559233523, 30, 45.584691403, 104.415308597},
         {10, 7, 3.761274552, 30, 134.415308597, 15.584691403}},
        {{{Y, 7}, {Z, 10}, {A, 30}},
         {13.559233523, 7, 10, 30, 104.415308597, 45.584691403},
         {3.761274552, 7, 10, 30, 15.584691403, 134.415308597}},
        {{{X, 7}, {Y, 10}, {B, 30}},
         {7, 10, 13.559233523, 45.584691403, 30, 104.415308597},
         {7, 10, 3.761274552, 134.415308597, 30, 15.584691403}},
        {{{X, 7}, {Z, 10}, {B, 30}},
         {7, 13.559233523, 10, 104.415308597, 30, 45.584691403},
         {7, 3.761274552, 10, 15.584691403, 30, 134.415308597}},
    };
    for (const auto& c : cases) {
        TriangleValues v = withInputs(SolveMode::Oblique, c.inputs);
        v.editBlocked = true;
        ASSERT_EQ(solveOblique(v), SolveOutcome::Solved);
        expectTriangle(v, c.first);
        ASSERT_TRUE(v.alternate.otherAnswerAvailable);
        expectSecond(v.alternate, c.second);
        EXPECT_FALSE(v.editBlocked);
        EXPECT_EQ(verdictOf(v), Verdict::ShowFirstAnswer);
        v.alternate.otherAnswerShown = true;
        EXPECT_EQ(verdictOf(v), Verdict::ShowSecondAnswer);
    }
}

TEST(ObliqueSolver, OneTriangleOrNone) {
    // The angle faces the longer side: the supplement leaves no room, no second answer.
    TriangleValues one = withInputs(SolveMode::Oblique, {{X, 7}, {Y, 10}, {A, 30}});
    one.alternate.otherAnswerAvailable = true;  // left over from an earlier solve
    ASSERT_EQ(solveOblique(one), SolveOutcome::Solved);
    EXPECT_FALSE(one.alternate.otherAnswerAvailable);
    EXPECT_EQ(verdictOf(one), Verdict::ShowFirstAnswer);

    // X sin A above Y: no triangle at all.
    TriangleValues none = withInputs(SolveMode::Oblique, {{X, 10}, {Y, 3}, {A, 30}});
    ASSERT_EQ(solveOblique(none), SolveOutcome::Solved);
    EXPECT_TRUE(std::isnan(none.b));
    EXPECT_FALSE(none.alternate.otherAnswerAvailable);
    EXPECT_EQ(verdictOf(none), Verdict::Rejected);

    // Cases 12 and 13 give only the triangle with the acute angle.
    TriangleValues acuteOnly = withInputs(SolveMode::Oblique, {{X, 10}, {Z, 7}, {C, 30}});
    ASSERT_EQ(solveOblique(acuteOnly), SolveOutcome::Solved);
    expectTriangle(acuteOnly, {10, 13.559233523, 7, 104.415308597, 45.584691403, 30});
    EXPECT_FALSE(acuteOnly.alternate.otherAnswerAvailable);

    for (const auto& inputs : {std::initializer_list<Given>{{X, 3}, {Y, 4}, {Z, 8}},
                               std::initializer_list<Given>{{Y, 10}, {A, 100}, {B, 90}},
                               std::initializer_list<Given>{{Z, 10}, {C, 120}, {A, 60}},
                               std::initializer_list<Given>{{X, 10}, {Z, 3}, {A, 180}}}) {
        TriangleValues v = withInputs(SolveMode::Oblique, inputs);
        ASSERT_EQ(solveOblique(v), SolveOutcome::Solved);
        EXPECT_EQ(verdictOf(v), Verdict::Rejected) << v.a << " " << v.b << " " << v.c;
    }
}

TEST(ObliqueSolver, NoCaseForAnglesAloneOrTooFewInputs) {
    for (const auto& inputs :
         {std::initializer_list<Given>{{A, 40}, {B, 60}, {C, 80}},
          std::initializer_list<Given>{{X, 3}, {Y, 4}}, std::initializer_list<Given>{}}) {
        TriangleValues v = withInputs(SolveMode::Oblique, inputs);
        v.alternate.otherAnswerAvailable = true;
        v.editBlocked = true;
        EXPECT_EQ(solveOblique(v), SolveOutcome::NoCaseApplies);
        EXPECT_FALSE(v.alternate.otherAnswerAvailable);
        EXPECT_FALSE(v.editBlocked);
    }
}

TEST(DerivedQuantities, AreaHeightAndWidth) {
    TriangleValues right = withInputs(SolveMode::Right, {{X, 3}, {Y, 4}});
    ASSERT_EQ(solveRight(right), SolveOutcome::Solved);
    EXPECT_EQ(rightTriangleArea(right.x, right.y), 6);

    // The oblique figures are taken from the solved triangles, as the results screen takes them.
    TriangleValues pythagorean = withInputs(SolveMode::Oblique, {{X, 3}, {Y, 4}, {Z, 5}});
    TriangleValues ambiguous = withInputs(SolveMode::Oblique, {{X, 10}, {Y, 7}, {A, 30}});
    TriangleValues obtuseA = withInputs(SolveMode::Oblique, {{X, 4}, {Y, 10}, {Z, 7}});
    for (TriangleValues* v : {&pythagorean, &ambiguous, &obtuseA}) {
        ASSERT_EQ(solveOblique(*v), SolveOutcome::Solved);
    }
    const AlternateSolution& second = ambiguous.alternate;
    ASSERT_TRUE(second.otherAnswerAvailable);

    struct {
        Triangle t;
        double height, width, area;
    } const cases[] = {
        // C = 90 within rounding: the foot of the height is at the vertex of C.
        {{pythagorean.x, pythagorean.y, pythagorean.z, pythagorean.a, pythagorean.b, pythagorean.c},
         4,
         3,
         6},
        // C obtuse: the foot lies beyond C, 1.742640687 outside X.
        {{ambiguous.x, ambiguous.y, ambiguous.z, ambiguous.a, ambiguous.b, ambiguous.c},
         6.779616762,
         11.742640687,
         33.898083809},
        // The second answer: C acute, the foot inside X.
        {{second.x, second.y, second.z, second.a, second.b, second.c},
         1.880637276,
         10,
         9.403186381},
        // A obtuse: the foot lies beyond A, at 8.375 from C.
        {{obtuseA.x, obtuseA.y, obtuseA.z, obtuseA.a, obtuseA.b, obtuseA.c},
         5.464373249,
         8.375,
         10.928746497},
    };
    for (const auto& c : cases) {
        const HeightAndWidth hw = obliqueHeightAndWidth(c.t.x, c.t.y, c.t.c);
        expectNine(hw.height, c.height, "height");
        expectNine(hw.width, c.width, "width");
        expectNine(obliqueTriangleArea(c.t.x, c.t.z, c.t.a), c.area, "area");
    }
    EXPECT_EQ(obliqueHeightAndWidth(pythagorean.x, pythagorean.y, pythagorean.c).width, 3);
}

TEST(SolutionCheck, RejectsWhatIsNoTriangle) {
    const TriangleValues good =
        withInputs(SolveMode::Oblique, {{X, 3}, {Y, 4}, {Z, 5}, {A, 50}, {B, 60}, {C, 70}});
    ASSERT_EQ(verdictOf(good), Verdict::ShowFirstAnswer);

    for (const EntryId id : {X, Y, Z, A, B, C}) {
        for (const double bad : {0.0, -0.0, -1.0, kNaN, kInf, -kInf}) {
            TriangleValues v = good;
            v.number(id) = bad;
            EXPECT_EQ(verdictOf(v), Verdict::Rejected) << id << " = " << bad;
        }
    }
    for (const EntryId id : {A, B, C}) {
        for (const double bad : {180.0, 200.0}) {
            TriangleValues v = good;
            v.number(id) = bad;
            EXPECT_EQ(verdictOf(v), Verdict::Rejected) << id << " = " << bad;
        }
        TriangleValues justBelow = good;
        justBelow.number(id) = std::nextafter(180.0, 0.0);
        EXPECT_NE(verdictOf(justBelow), Verdict::Rejected);
    }
}

TEST(SolutionCheck, AngleTotalNoticeAboveTheThreshold) {
    TriangleValues v = withInputs(SolveMode::Right, {{X, 3}, {Y, 4}, {Z, 5}, {A, 60}, {B, 60}});
    v.c = 180.00001 - 120;
    ASSERT_EQ(v.b + v.a + v.c, 180.00001);
    SolutionCheck atThreshold = checkSolution(v);
    EXPECT_EQ(atThreshold.verdict, Verdict::ShowFirstAnswer);
    EXPECT_FALSE(atThreshold.angleTotalNotice.has_value());

    // The next total a double can hold.
    while (v.b + v.a + v.c <= 180.00001)
        v.c = std::nextafter(v.c, 180.0);
    ASSERT_EQ(v.b + v.a + v.c, std::nextafter(180.00001, 181.0));
    SolutionCheck above = checkSolution(v);
    EXPECT_EQ(above.verdict, Verdict::ShowFirstAnswer);  // a notice only
    ASSERT_TRUE(above.angleTotalNotice.has_value());
    EXPECT_EQ(*above.angleTotalNotice, v.b + v.a + v.c);

    v.c = 60;
    EXPECT_FALSE(checkSolution(v).angleTotalNotice.has_value());
}

TEST(SolutionCheck, TheSecondAnswerIsShownOnlyWhenOfferedAndChosenInObliqueMode) {
    struct {
        SolveMode mode;
        bool available, shown;
        Verdict verdict;
    } const cases[] = {
        {SolveMode::Oblique, true, true, Verdict::ShowSecondAnswer},
        {SolveMode::Oblique, true, false, Verdict::ShowFirstAnswer},
        {SolveMode::Oblique, false, true, Verdict::ShowFirstAnswer},
        {SolveMode::Right, true, true, Verdict::ShowFirstAnswer},
    };
    for (const auto& c : cases) {
        TriangleValues v = withInputs(c.mode, {{X, 3}, {Y, 4}, {Z, 5}, {A, 50}, {B, 60}, {C, 70}});
        v.alternate.otherAnswerAvailable = c.available;
        v.alternate.otherAnswerShown = c.shown;
        EXPECT_EQ(verdictOf(v), c.verdict) << c.available << c.shown;
    }
}

}  // namespace
}  // namespace solvara
