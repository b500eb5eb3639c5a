// SPDX-License-Identifier: GPL-2.0-or-later
// A short run of the accuracy comparison of `make accuracy`: a few hundred rows of every case
// group, solved by the solver and by the 60-digit reference. Outside the band where two sides and
// an angle opposite one of them all but touch, the solver offers exactly the second answers that
// exist and shows no triangle where none exists, and every figure it computes, the figures of the
// triangle too, lies within eight times one more than its conditioning, in units in the last
// place.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "accuracy/accuracy.h"

namespace solvara::accuracy {
namespace {

constexpr int kShapes = 15;  // per group: 90 to 420 rows each, about 3,000 in all

std::string examplesOf(const GroupStats& g) {
    std::string text = g.worstRow;
    for (const std::string& e : g.examples)
        text += "\n" + e;
    return text;
}

TEST(Accuracy, EveryGroupWithinItsConditioning) {
    std::uint64_t seed = 1;
    long rows = 0;
    for (const CaseGroup& group : caseGroups()) {
        const GroupStats g = measureGroup(group, kShapes, seed++);
        SCOPED_TRACE(group.name + std::string(": ") + examplesOf(g));
        rows += g.rows;
        EXPECT_EQ(g.invalidAccepted, 0);
        EXPECT_EQ(g.falseSecond, 0);
        EXPECT_EQ(g.missedSecond, 0);
        EXPECT_EQ(g.beyondConditioning, 0);
        EXPECT_EQ(g.figures.beyondConditioning, 0);
        // Only inputs within the rounding of a segment, or of two angles adding up to 180, are
        // taken for no triangle although a sliver of one exists.
        if (std::string(group.name) != "validity boundaries") {
            EXPECT_EQ(g.validRejected, 0);
        }
    }
    EXPECT_GT(rows, 2500);
}

// The yardstick itself, on triangles worked by hand.
TEST(Accuracy, ReferenceKnowsTheWorkedTriangles) {
    auto near = [](const Real& exact, double expected) {
        return abs(exact - Real(expected)) <= Real(1e-9);
    };
    const ExactAnswer pythagorean = solveExactly(SolveMode::Oblique, {{X, 3}, {Y, 4}, {Z, 5}});
    ASSERT_TRUE(pythagorean.exists);
    EXPECT_TRUE(near(pythagorean.first[A], 53.130102354));
    EXPECT_TRUE(near(pythagorean.first[C], 90));
    EXPECT_TRUE(near(pythagorean.first[kArea], 6));
    EXPECT_TRUE(near(pythagorean.first[kWidth], 3));
    auto figure = [](const ExactAnswer& answer, TriangleFigure f) {
        return answer.first[kFirstTriangleFigure + static_cast<int>(f)];
    };
    EXPECT_TRUE(near(figure(pythagorean, TriangleFigure::Perimeter), 12));
    EXPECT_TRUE(near(figure(pythagorean, TriangleFigure::HeightOntoZ), 2.4));
    EXPECT_TRUE(near(figure(pythagorean, TriangleFigure::MedianToZ), 2.5));
    EXPECT_TRUE(near(figure(pythagorean, TriangleFigure::BisectorOfC), 12 * std::sqrt(2) / 7));
    EXPECT_TRUE(near(figure(pythagorean, TriangleFigure::Inradius), 1));
    EXPECT_TRUE(near(figure(pythagorean, TriangleFigure::Circumradius), 2.5));

    const ExactAnswer two = solveExactly(SolveMode::Oblique, {{X, 10}, {Y, 7}, {A, 30}});
    ASSERT_TRUE(two.exists && two.second);
    EXPECT_TRUE(near(two.first[Z], 13.559233523));
    EXPECT_TRUE(near(two.first[kWidth], 11.742640687));
    EXPECT_TRUE(near((*two.second)[Z], 3.761274552));
    EXPECT_TRUE(near((*two.second)[kHeight], 1.880637276));

    // The angle C opposite Z never offers a second triangle; a right triangle takes C = 90.
    EXPECT_FALSE(solveExactly(SolveMode::Oblique, {{X, 10}, {Z, 7}, {C, 30}}).second);
    const ExactAnswer right = solveExactly(SolveMode::Right, {{Y, 5}, {Z, 13}});
    ASSERT_TRUE(right.exists);
    EXPECT_TRUE(near(right.first[X], 12));

    for (const std::vector<Given>& none :
         {std::vector<Given>{{X, 10}, {Y, 3}, {A, 30}}, std::vector<Given>{{X, 3}, {Y, 4}, {Z, 7}},
          std::vector<Given>{{Y, 10}, {A, 100}, {B, 80}}}) {
        EXPECT_FALSE(solveExactly(SolveMode::Oblique, none).exists);
    }
    EXPECT_FALSE(solveExactly(SolveMode::Right, {{Y, 7}, {Z, 7}}).exists);
}

}  // namespace
}  // namespace solvara::accuracy
