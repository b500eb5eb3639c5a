// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "support/harness.h"

namespace solvara {
namespace {

using testing::Harness;

TEST(Startup, EscapeEndsTheProgramWithStatusZero) {
    Harness h;
    h.start();
    ASSERT_EQ(h.step(), Step::MainLoop);
    h.key(keys::kEscape);
    h.settle();
    EXPECT_TRUE(h.exited());
    EXPECT_EQ(h.program.exitStatus(), 0);
}

TEST(Startup, PlacesTheWindowAndComputesTheCornerTargets) {
    const struct {
        Size desktop;
        int scale;
        Point home, topRight, bottomRight, bottomLeft;
    } desktops[] = {
        {{1920, 1080}, 1, {638, 298}, {1277, 4}, {1277, 569}, {4, 566}},
        {{1366, 768}, 1, {361, 142}, {723, 4}, {723, 257}, {4, 254}},
        // Enlarged twice the window is 1286 x 966, and everything follows that size.
        {{1920, 1080}, 2, {317, 57}, {634, 4}, {634, 86}, {4, 83}},
        {{3840, 2160}, 3, {955, 355}, {1911, 4}, {1911, 683}, {4, 680}},
    };
    for (const auto& d : desktops) {
        Harness h(d.desktop, d.scale);
        h.start();
        const Size window = h.backend.windowSize();
        EXPECT_EQ(window, (Size{643 * d.scale, 483 * d.scale}));
        EXPECT_EQ(h.backend.windowPosition(), d.home);
        EXPECT_EQ(h.program.placement().home, d.home);
        EXPECT_EQ(h.program.placement().topLeft, (Point{4, 4}));
        EXPECT_EQ(h.program.placement().topRight, d.topRight);
        EXPECT_EQ(h.program.placement().bottomRight, d.bottomRight);
        EXPECT_EQ(h.program.placement().bottomLeft, d.bottomLeft);
        // Every corner target keeps the whole window, close blocks included, on the desktop.
        for (const Point p :
             {h.program.placement().topLeft, h.program.placement().topRight,
              h.program.placement().bottomRight, h.program.placement().bottomLeft}) {
            EXPECT_GE(p.x, 0);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.x + window.width, d.desktop.width);
            EXPECT_LE(p.y + window.height, d.desktop.height);
        }
    }
}

TEST(Startup, FirstScreenIsWhiteWithTheTitleAndPalette) {
    Harness h;
    h.start();
    EXPECT_EQ(h.backend.title(), "Solvara");
    EXPECT_EQ(h.pixel(320, 300), 15);
    EXPECT_EQ(h.program.values().solveMode, SolveMode::Right);
    const auto& palette = h.program.display().palette();
    EXPECT_EQ(palette[2], (Rgb{4, 161, 0}));
    EXPECT_EQ(palette[5], (Rgb{234, 234, 218}));
    EXPECT_EQ(palette[10], (Rgb{226, 149, 32}));
    EXPECT_EQ(palette[13], (Rgb{48, 161, 109}));
}

TEST(Startup, RestartPutsTheWindowBackWhereTheUserLeftItAndKeepsTheTargets) {
    Harness h;
    h.start();
    h.moveTo(300, 8);
    h.press();
    h.moveTo(320, 28, 40);
    h.release(100);
    h.settle();
    const Point moved = h.program.placement().windowPos;
    ASSERT_EQ(moved, (Point{658, 318}));
    h.click(140, 198);  // CLEAR
    h.settle();
    EXPECT_EQ(h.backend.openCalls(), 2);
    EXPECT_EQ(h.backend.windowsCreated(), 1);  // the desktop window is kept
    EXPECT_EQ(h.backend.windowPosition(), moved);
    EXPECT_EQ(h.program.placement().home, (Point{638, 298}));
    EXPECT_EQ(h.program.placement().topRight, (Point{1277, 4}));
}

}  // namespace
}  // namespace solvara
