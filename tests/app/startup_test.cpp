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
        const Placement& placement = h.program.placement();
        EXPECT_EQ(h.backend.windowPosition(), d.home);
        EXPECT_EQ(placement.target(Target::Home), d.home);
        EXPECT_EQ(placement.target(Target::TopLeft), (Point{4, 4}));
        EXPECT_EQ(placement.target(Target::TopRight), d.topRight);
        EXPECT_EQ(placement.target(Target::BottomRight), d.bottomRight);
        EXPECT_EQ(placement.target(Target::BottomLeft), d.bottomLeft);
        // Every corner target keeps the whole window, close blocks included, on the desktop.
        for (const Point p :
             {placement.target(Target::TopLeft), placement.target(Target::TopRight),
              placement.target(Target::BottomRight), placement.target(Target::BottomLeft)}) {
            EXPECT_GE(p.x, 0);
            EXPECT_GE(p.y, 0);
            EXPECT_LE(p.x + window.width, d.desktop.width);
            EXPECT_LE(p.y + window.height, d.desktop.height);
        }
    }
}

// The monitors of a desktop, none of it taken by panels unless given.
Monitor monitor(Point origin, Size size, bool primary = false) {
    const Area bounds{origin, size};
    return Monitor{bounds, bounds, primary};
}

TEST(Startup, TargetsAreTheCornersAndTheMiddleOfTheMonitorTheWindowIsOn) {
    const Size window{643, 483};
    const Monitor left = monitor({0, 0}, {1920, 1080});
    const Monitor rightPrimary = monitor({1920, 0}, {1920, 1080}, true);
    const Monitor large = monitor({0, 0}, {2048, 1536});
    const Monitor smallBelow = monitor({384, 1536}, {1280, 1024}, true);
    const Monitor leftOfOrigin = monitor({-1280, 56}, {1280, 1024});
    const Monitor origin = monitor({0, 0}, {1920, 1080}, true);
    Monitor withTopPanel = monitor({0, 0}, {1920, 1080}, true);
    withTopPanel.usable = Area{{0, 32}, {1920, 1048}};
    const struct {
        const char* layout;
        std::vector<Monitor> monitors;
        Point windowAt;
        Point home, topLeft, topRight, bottomRight, bottomLeft;
    } cases[] = {
        {"primary on the right, window on it",
         {rightPrimary, left},
         {2558, 298},
         {2558, 298},
         {1924, 4},
         {3197, 4},
         {3197, 569},
         {1924, 566}},
        {"primary on the right, window on the left",
         {rightPrimary, left},
         {700, 300},
         {638, 298},
         {4, 4},
         {1277, 4},
         {1277, 569},
         {4, 566}},
        // Across the seam the monitor holding the larger part counts.
        {"across the seam, more on the right",
         {left, rightPrimary},
         {1700, 300},
         {2558, 298},
         {1924, 4},
         {3197, 4},
         {3197, 569},
         {1924, 566}},
        {"across the seam, more on the left",
         {left, rightPrimary},
         {1500, 300},
         {638, 298},
         {4, 4},
         {1277, 4},
         {1277, 569},
         {4, 566}},
        {"smaller primary below a larger one",
         {smallBelow, large},
         {702, 1806},
         {702, 1806},
         {388, 1540},
         {1021, 1540},
         {1021, 2049},
         {388, 2046}},
        {"larger one above, window on it",
         {smallBelow, large},
         {100, 100},
         {702, 526},
         {4, 4},
         {1405, 4},
         {1405, 1025},
         {4, 1022}},
        {"a monitor left of the origin",
         {origin, leftOfOrigin},
         {-900, 400},
         {-962, 326},
         {-1276, 60},
         {-643, 60},
         {-643, 569},
         {-1276, 566}},
        // Off every monitor: the primary one's targets.
        {"window off every monitor",
         {left, rightPrimary},
         {5000, 3000},
         {2558, 298},
         {1924, 4},
         {3197, 4},
         {3197, 569},
         {1924, 566}},
        // Home is the middle of what the panel leaves; the corners are the monitor's.
        {"a panel at the top",
         {withTopPanel},
         {638, 314},
         {638, 314},
         {4, 4},
         {1277, 4},
         {1277, 569},
         {4, 566}},
    };
    for (const auto& c : cases) {
        Placement placement;
        placement.start(c.monitors, window, c.windowAt);
        EXPECT_EQ(placement.target(Target::Home), c.home) << c.layout;
        EXPECT_EQ(placement.target(Target::TopLeft), c.topLeft) << c.layout;
        EXPECT_EQ(placement.target(Target::TopRight), c.topRight) << c.layout;
        EXPECT_EQ(placement.target(Target::BottomRight), c.bottomRight) << c.layout;
        EXPECT_EQ(placement.target(Target::BottomLeft), c.bottomLeft) << c.layout;
    }
}

TEST(Startup, TargetsKeepTheTitleBarOnAMonitorSmallerThanTheWindow) {
    // 1286 x 966 at scale 2 on a 1280 x 1024 monitor at (1920, 0): too wide by 6 pixels.
    const Size window{1286, 966};
    Placement placement;
    placement.start({monitor({1920, 0}, {1280, 1024}, true)}, window, Point{1920, 29});
    EXPECT_EQ(placement.target(Target::Home), (Point{1920, 29}));
    EXPECT_EQ(placement.target(Target::TopLeft), (Point{1920, 4}));
    EXPECT_EQ(placement.target(Target::TopRight), (Point{1920, 4}));
    EXPECT_EQ(placement.target(Target::BottomRight), (Point{1920, 30}));
    EXPECT_EQ(placement.target(Target::BottomLeft), (Point{1920, 27}));
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
    EXPECT_EQ(h.program.placement().monitors, h.backend.monitors());
    h.type("@");
    h.settle();
    EXPECT_EQ(h.backend.windowPosition(), (Point{638, 298}));
}

}  // namespace
}  // namespace solvara
