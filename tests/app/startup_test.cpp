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

// A monitor none of which panels take.
Monitor monitor(Point origin, Size size, bool primary = false) {
    return Monitor{Area{origin, size}, Area{origin, size}, primary};
}

TEST(Startup, TargetsAreTheCornersAndTheMiddleOfTheMonitorTheWindowIsOn) {
    const Monitor left = monitor({0, 0}, {1920, 1080});
    const Monitor right = monitor({1920, 0}, {1920, 1080}, true);
    const Monitor leftOfOrigin = monitor({-1280, 56}, {1280, 1024});
    Monitor topPanel = monitor({0, 0}, {1920, 1080}, true);
    topPanel.usable = Area{{0, 32}, {1920, 1048}};
    const Size small{643, 483};
    struct Targets {
        Point home, topLeft, topRight, bottomRight, bottomLeft;
    };
    const Targets onLeft{{638, 298}, {4, 4}, {1277, 4}, {1277, 569}, {4, 566}};
    const Targets onRight{{2558, 298}, {1924, 4}, {3197, 4}, {3197, 569}, {1924, 566}};
    const Targets farLeft{{-962, 326}, {-1276, 60}, {-643, 60}, {-643, 569}, {-1276, 566}};
    // Home is the middle of what the panel leaves; the corners are the monitor's.
    const Targets underPanel{{638, 314}, {4, 4}, {1277, 4}, {1277, 569}, {4, 566}};
    // 6 pixels too wide: the left edge, title bar and all, stays on the monitor.
    const Monitor narrow = monitor({1920, 0}, {1280, 1024});
    const Targets tooWide{{1920, 29}, {1920, 4}, {1920, 4}, {1920, 30}, {1920, 27}};
    const struct {
        const char* layout;
        std::vector<Monitor> monitors;
        Size window;
        Point windowAt;
        Targets targets;
    } cases[] = {
        {"on the primary, right of the other", {right, left}, small, {2558, 298}, onRight},
        {"on the left, the primary on the right", {right, left}, small, {700, 300}, onLeft},
        // Across the seam the monitor holding the larger part counts.
        {"across the seam, more on the right", {left, right}, small, {1700, 300}, onRight},
        {"across the seam, more on the left", {left, right}, small, {1500, 300}, onLeft},
        {"off every monitor: the primary", {left, right}, small, {5000, 3000}, onRight},
        {"left of the origin", {topPanel, leftOfOrigin}, small, {-900, 400}, farLeft},
        {"under a top panel", {topPanel}, small, {638, 314}, underPanel},
        {"wider than the monitor", {narrow}, {1286, 966}, {1920, 29}, tooWide},
    };
    for (const auto& c : cases) {
        Placement placement;
        placement.start(c.monitors, c.window, c.windowAt);
        const Targets& t = c.targets;
        EXPECT_EQ(placement.target(Target::Home), t.home) << c.layout;
        EXPECT_EQ(placement.target(Target::TopLeft), t.topLeft) << c.layout;
        EXPECT_EQ(placement.target(Target::TopRight), t.topRight) << c.layout;
        EXPECT_EQ(placement.target(Target::BottomRight), t.bottomRight) << c.layout;
        EXPECT_EQ(placement.target(Target::BottomLeft), t.bottomLeft) << c.layout;
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
    EXPECT_EQ(h.program.placement().monitors, h.backend.monitors());
    h.type("@");
    h.settle();
    EXPECT_EQ(h.backend.windowPosition(), (Point{638, 298}));
}

}  // namespace
}  // namespace solvara
