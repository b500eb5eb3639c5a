// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/triangle_values.h"

#include <gtest/gtest.h>

namespace solvara {
namespace {

TEST(TriangleValues, ResetEmptiesEverythingButTheMode) {
    TriangleValues v;
    v.solveMode = SolveMode::Oblique;
    v.triangle = Triangle{3, 4, 5, 37, 53, 90};
    v.text(Entry::E) = "53d 0m 0s ";
    v.markers.set(Entry::Y, true);
    v.reset();
    EXPECT_EQ(v.solveMode, SolveMode::Oblique);
    EXPECT_EQ(v.triangle, Triangle{});
    EXPECT_EQ(v.text(Entry::E), kZeroDms);
    EXPECT_EQ(v.text(Entry::X), "");
    EXPECT_EQ(v.markers, Markers{});
}

TEST(TriangleValues, DegreeEntriesStandForTheirAngles) {
    TriangleValues v;
    v.triangle = Triangle{3, 4, 5, 37, 53, 90};
    EXPECT_EQ(v.number(Entry::D), 37);
    EXPECT_EQ(v.number(Entry::E), 53);
    EXPECT_EQ(v.number(Entry::F), 90);
    v.markers.set(Entry::A, true);
    v.markers.set(Entry::Z, true);
    EXPECT_EQ(v.marks(), (Marks{false, false, true, true, false, false}));
}

}  // namespace
}  // namespace solvara
