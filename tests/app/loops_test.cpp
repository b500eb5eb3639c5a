// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "app/loop_decisions.h"
#include "app/main_layout.h"
#include "support/harness.h"

namespace solvara {
namespace {

using testing::Harness;

TEST(CellOf, RoundsHalvesToEven) {
    const struct {
        int x, y, column, row;
    } cases[] = {
        {0, 0, 0, 0},                        // (4/8 = 0.5 -> 0, 8/16 = 0.5 -> 0)
        {1, 1, 1, 1},                        // inside the first cell
        {8, 16, 2, 2},                       // 12/8 = 1.5 -> 2, 24/16 = 1.5 -> 2
        {16, 32, 2, 2},                      // 2.5 -> 2
        {300, 8, 38, 1},                     // the drag row
        {639, 479, 80, 30}, {-1, -1, 0, 0},  // a failed pointer read
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cellOf(Point{c.x, c.y}), (Cell{c.row, c.column})) << c.x << "," << c.y;
    }
}

TEST(MainLoop, ClickAtTheOriginDoesNothing) {
    Harness h;
    h.start();
    const Point before = h.backend.windowPosition();
    h.click(0, 0);
    h.settle();
    EXPECT_FALSE(h.exited());
    EXPECT_EQ(h.backend.windowPosition(), before);
    EXPECT_EQ(h.step(), Step::MainLoop);
}

// Where the pointer is in the window, in page pixels.
Point pointerInWindow(Harness& h, int scale = 1) {
    const Point desktop = h.backend.pointerOnDesktop();
    const Point window = h.backend.windowPosition();
    return Point{(desktop.x - window.x) / scale, (desktop.y - window.y) / scale};
}

TEST(MainLoop, DraggingTheTopRowMovesTheWindowUnderThePointer) {
    Harness h;
    h.start();
    ASSERT_EQ(h.program.placement().windowPos, (Point{638, 298}));
    h.moveTo(300, 8);
    h.press();
    h.moveTo(310, 8, 40);
    h.release(100);
    h.settle();
    EXPECT_EQ(h.program.placement().windowPos, (Point{648, 298}));
    EXPECT_EQ(h.backend.windowPosition(), (Point{648, 298}));
    // The window went to the pointer; the pointer was left alone.
    EXPECT_EQ(pointerInWindow(h), (Point{300, 8}));
    EXPECT_TRUE(h.backend.warps().empty());
}

TEST(MainLoop, ADragFollowsAllThePointersMotionFastOrSlow) {
    // The pointer steps across the desktop from a press on the title row.
    const struct {
        const char* what;
        int scale, stepX, stepY, steps, spacingMs;
    } drags[] = {
        {"2 px every 10 ms", 1, 2, 0, 50, 10},
        {"2 px every ms, the first in the wait of the press", 1, 2, 0, 50, 1},
        {"up and left, 3 px every 7 ms", 1, -3, -2, 30, 7},
        {"slow, 1 px every 150 ms", 1, 1, 1, 8, 150},
        {"window enlarged twice, 1 px every 3 ms", 2, 1, 1, 100, 3},
    };
    for (const auto& d : drags) {
        Harness h(Size{1920, 1080}, d.scale);
        h.start();
        const Point start = h.backend.windowPosition();
        const Point grip{start.x + 300 * d.scale, start.y + 8 * d.scale};
        h.moveOnDesktopTo(grip.x, grip.y);
        h.press(1, 30);
        for (int i = 1; i <= d.steps; ++i)
            h.moveOnDesktopTo(grip.x + i * d.stepX, grip.y + i * d.stepY, i == 1 ? 1 : d.spacingMs);
        h.release(100);
        h.settle();
        const Point moved{d.stepX * d.steps, d.stepY * d.steps};
        EXPECT_EQ(h.backend.windowPosition(), (Point{start.x + moved.x, start.y + moved.y}))
            << d.what;
        EXPECT_EQ(pointerInWindow(h, d.scale), (Point{300, 8})) << d.what;
    }
}

TEST(MainLoop, AJumpOfMoreThan200PixelsIsNoMovement) {
    Harness h;
    h.start();
    h.moveTo(300, 8);
    h.press();
    h.moveTo(550, 18, 40);  // 250 right (ignored), 10 down (taken)
    h.moveTo(555, 8, 40);   // from there on the window follows again: 5 right
    h.release(100);
    h.settle();
    EXPECT_EQ(h.program.placement().windowPos, (Point{643, 308}));
}

TEST(MainLoop, LetterCSelectsOnlyInObliqueMode) {
    Harness h;
    h.start();
    h.type("c");
    h.settle();
    EXPECT_EQ(h.step(), Step::MainLoop);
    EXPECT_EQ(h.program.editors().selected(), std::nullopt);
    h.type("o");
    h.settle();
    h.type("c");
    h.settle();
    EXPECT_EQ(h.step(), Step::EditDecimalKeys);
    EXPECT_EQ(h.program.editors().selected(), Entry::C);
}

TEST(MainLoop, ExitPathsEndWithStatusZero) {
    const struct {
        const char* name;
        int x, y, buttons;
    } clicks[] = {
        {"EXIT, left button", 70, 198, 1},
        {"EXIT, right button", 70, 198, 2},
        {"close block Exit", 590, 8, 1},
        {"close block X", 630, 8, 1},
    };
    for (const auto& c : clicks) {
        Harness h;
        h.start();
        h.click(c.x, c.y, c.buttons);
        h.settle();
        EXPECT_TRUE(h.exited()) << c.name;
        EXPECT_EQ(h.program.exitStatus(), 0) << c.name;
    }
}

TEST(MainLoop, EscapeClearsThePageBeforeEnding) {
    Harness h;
    h.start();
    h.key(keys::kEscape);
    h.settle();
    ASSERT_TRUE(h.exited());
    EXPECT_EQ(h.pixel(0, 0), 15);  // the cyan frame is gone
    EXPECT_EQ(h.row(13), std::string(80, ' '));
}

TEST(MainLoop, CloseRequestEndsWithStatusZeroAndALostDisplayWithOneWherever) {
    // Keys that leave the program waiting somewhere; 100 ms later the desktop asks it to close,
    // or its display goes away.
    const struct {
        const char* where;
        const char* keys;
    } places[] = {
        {"main loop", ""},
        {"results loop", "x3\ry4\r"},
        {"help screen", "h"},
        {"editor", "x3"},
        {"CAN NOT DO IT flash", "ox10\ry3\ra30\r"},
    };
    for (const auto& place : places) {
        for (const bool lost : {false, true}) {
            SCOPED_TRACE(std::string(place.where) + (lost ? ", display lost" : ", close request"));
            Harness h;
            h.start();
            h.type(place.keys);
            const std::uint64_t at = h.backend.lastScriptedMs() + 100;
            if (lost)
                h.backend.onWait = [&h, at](std::uint64_t now) {
                    if (now >= at && h.program.input().lostDisplay().empty())
                        h.program.input().displayLost("gone");
                };
            else
                h.backend.closeAt(at);
            EXPECT_TRUE(h.runUntil([&h] { return h.exited(); }, at + 1000));
            EXPECT_EQ(h.program.exitStatus(), lost ? 1 : 0);
        }
    }
}

TEST(MainLoop, MarkerClickOnTheDRowTogglesNothingButRedrawsAllMarkers) {
    Harness h;
    h.start();
    h.click(37 * 8 - 4, 24 * 16 - 8);  // column 37, row 24
    h.settle();
    for (int row = 20; row <= 28; ++row)
        EXPECT_EQ(h.textColour(row, 37), 7) << row;
    for (const Entry e : kAllEntries)
        EXPECT_FALSE(h.program.values().markers.on(e));
}

TEST(MainLoop, WidgetSnapsToTheCornersAndHome) {
    Harness h;
    h.start();
    const struct {
        int x, y;
        Point target;
    } squares[] = {
        {128, 222, {4, 4}},       // top left
        {144, 222, {1277, 4}},    // top right
        {144, 238, {1277, 569}},  // bottom right
        {128, 238, {4, 566}},     // bottom left
        {136, 230, {638, 298}},   // centre: home
    };
    for (const auto& s : squares) {
        h.click(s.x, s.y);
        h.settle();
        EXPECT_EQ(h.backend.windowPosition(), s.target) << s.x << "," << s.y;
    }
    h.click(144, 222);
    h.type("@");
    h.settle();
    EXPECT_EQ(h.backend.windowPosition(), (Point{638, 298}));
}

TEST(MainLoop, WhereTheDesktopPlacesTheWindowNothingTheProgramDoesMovesIt) {
    // Every way the program moves the window on X11, on a desktop that drags the window by the
    // title row itself (Wayland): the program asks for no move and goes on where it was.
    const struct {
        const char* what;
        const char* keys;
        Step waitsIn;
        bool dragTitleRow;
        bool clickWidget;
    } cases[] = {
        {"title row dragged", "", Step::MainLoop, true, false},
        {"widget squares clicked", "", Step::MainLoop, false, true},
        {"@ on the main screen", "@", Step::MainLoop, false, false},
        {"@ in the help screen", "h@b", Step::MainLoop, false, false},
        {"@ while editing", "x3@", Step::EditDecimalKeys, false, false},
        {"@, drag and widget on the results screen", "x3\ry4\r@", Step::ResultsCycle, true, true},
    };
    for (const auto& c : cases) {
        Harness h;
        h.backend.setCanPlaceWindow(false);
        int moves = 0;
        h.backend.onMove = [&moves](std::uint64_t, Point) { ++moves; };
        h.start();
        h.type(c.keys);
        if (c.dragTitleRow) {
            h.moveTo(300, 8);
            h.press();
            h.moveOnDesktopTo(900, 600, 40);
            h.release(100);
        }
        if (c.clickWidget)
            for (const auto& square : main_layout::kPlacementWidget)
                h.click(square.box.left + 4, square.box.top + 4);
        h.settle();
        EXPECT_EQ(moves, 0) << c.what;
        EXPECT_EQ(h.backend.dragArea(), main_layout::kDragArea) << c.what;
        EXPECT_EQ(h.step(), c.waitsIn) << c.what << "\n" << h.screen();
    }
}

TEST(MainLoop, ClickHeldWhileThePointerLeavesActsOnce) {
    Harness h;
    h.start();
    ASSERT_EQ(h.backend.openCalls(), 1);
    h.moveTo(140, 198);  // CLEAR
    h.press();
    h.leave(5);
    h.idle(2000);
    h.settle();
    EXPECT_EQ(h.backend.openCalls(), 2);
}

TEST(MainLoop, EveryShortClickIsActedOnceInBothLoops) {
    // Clicks on the widget's top-left and bottom-right squares in turn, their press and release
    // 0 to 9 ms apart, made at every phase of the loops' cycles.
    for (const char* keys : {"", "x3\ry4\r"}) {
        SCOPED_TRACE(*keys ? "results loop" : "main loop");
        Harness h;
        h.start();
        h.type(keys);
        h.settle();
        const Step loop = h.step();
        int moves = 0;
        h.backend.onMove = [&moves](std::uint64_t, Point) { ++moves; };
        int acted = 0;
        for (const int gapMs : {0, 1, 5, 9}) {
            for (int i = 0; i < 8; ++i) {
                const bool topLeft = i % 2 == 0;
                h.moveTo(topLeft ? 128 : 144, topLeft ? 222 : 238, 100 + 3 * i);
                h.press(1, 30);
                h.release(gapMs);
                h.settle();
                acted += h.backend.windowPosition() == (topLeft ? Point{4, 4} : Point{1277, 569});
            }
        }
        EXPECT_EQ(acted, 32);
        EXPECT_EQ(moves, 32);
        EXPECT_EQ(h.step(), loop);
    }
}

TEST(MainLoop, ModeSurvivesClear) {
    Harness h;
    h.start();
    h.type("o");
    h.settle();
    h.click(140, 198);
    h.settle();
    EXPECT_EQ(h.program.values().solveMode, SolveMode::Oblique);
    EXPECT_EQ(h.textColour(13, 34), 6);
}

TEST(MainLoop, ATypedRightAngleAtCIsAnObliqueInput) {
    Harness h;
    h.start();
    h.type("oc90\rx3\ry4\r");
    h.settle();
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();
    EXPECT_DOUBLE_EQ(h.program.values().triangle.z, 5);

    // Through Right mode and back, C's 90 is Right mode's own and is emptied.
    h.type("ro");
    h.settle();
    EXPECT_EQ(h.text(27, 62, 3), "0.0");
    EXPECT_EQ(h.text(28, 62, 11), "00d 00m 00s");
}

// The help screen is a nested wait inside a loop step, so it is watched from the clock.
struct HelpWatch {
    std::string title, row8, back;
    void attach(Harness& h) {
        h.backend.onWait = [this, &h](std::uint64_t) {
            if (h.program.display().visiblePage() != 1) return;
            title = h.text(2, 5, 23);
            row8 = h.text(8, 5, 19);
            back = h.text(29, 74, 4);
        };
    }
};

TEST(Help, LettersAndEscapeLeaveAndPageZeroComesBackUnchanged) {
    for (const Key key : {Key::character('b'), Key::character('B'), keys::kEscape}) {
        Harness h;
        h.start();
        const auto& d = h.program.display();
        const std::vector<std::uint8_t> before(d.pageData(0), d.pageData(0) + 643 * 483);
        HelpWatch watch;
        watch.attach(h);
        h.type("h");
        h.idle(500);
        h.key(key);
        h.settle();
        EXPECT_EQ(watch.title, "Solvara Ver. 4.1 - Help");
        EXPECT_EQ(watch.row8, "another 90 degrees.");
        EXPECT_EQ(watch.back, "BACK");
        EXPECT_FALSE(h.exited()) << key.code();
        EXPECT_EQ(d.visiblePage(), 0);
        const std::vector<std::uint8_t> after(d.pageData(0), d.pageData(0) + 643 * 483);
        EXPECT_TRUE(before == after) << key.code();
    }
}

TEST(Help, BackButtonClickLeavesAndDoesNothingElse) {
    Harness h;
    h.start();
    HelpWatch watch;
    watch.attach(h);
    h.click(70, 230);  // HELP
    h.idle(300);
    h.click(600, 455);  // BACK
    h.settle();
    EXPECT_EQ(watch.back, "BACK");
    EXPECT_EQ(h.program.display().visiblePage(), 0);
    EXPECT_EQ(h.step(), Step::MainLoop);
    EXPECT_EQ(h.backend.windowPosition(), (Point{638, 298}));
}

TEST(Help, LeavingByKeyActsOnNoClick) {
    // The pointer rests, no button down, where the calling loop has a click region.
    struct Case {
        const char* keys;
        Point resting;
    } cases[] = {
        {"x3\r", {292, 312}},             // X's marker
        {"ox10\ry7\ra30\r", {625, 295}},  // "Show other answer " of two answers
        {"x3\ry4\r", {144, 222}},         // the widget's top-right square
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        Harness h;
        h.start();
        h.type(c.keys);
        h.settle();
        const Step loop = h.step();
        HelpWatch watch;
        watch.attach(h);
        h.click(70, 230);  // HELP
        h.moveTo(c.resting.x, c.resting.y, 300);
        h.type("b");
        h.settle();
        EXPECT_EQ(watch.back, "BACK");
        EXPECT_EQ(h.step(), loop);
        EXPECT_TRUE(h.program.values().markers.on(Entry::X));
        EXPECT_FALSE(h.program.results().secondChosen());
        EXPECT_EQ(h.backend.windowPosition(), (Point{638, 298}));
    }
}

// The figures page of the answer on screen, the second of two here; B or Escape bring back the
// results screen as it was, on the same answer with the same offer.
TEST(FiguresPage, ShowsTheAnswerOnScreenAndLeavesTheResultsAsTheyWere) {
    for (const Key key : {Key::character('b'), keys::kEscape}) {
        Harness h;
        h.start();
        h.type("ox10\ry7\ra30\rs");
        h.settle();
        ASSERT_TRUE(h.program.results().secondOnScreen(SolveMode::Oblique));
        const auto& d = h.program.display();
        const std::vector<std::uint8_t> before(d.pageData(0), d.pageData(0) + 643 * 483);
        std::string page;
        h.backend.onWait = [&](std::uint64_t) {  // the page is whole at its first wait
            if (d.visiblePage() == 1 && page.empty()) page = h.screen();
        };
        h.type("M");
        h.idle(500);
        h.key(key);
        h.settle();
        for (const char* line :
             {"Figures of the triangle, second answer of two",
              "Case: two sides and an angle opposite one: law of sines",
              "Perimeter            = 20.76127455", "Height onto Z        = 5.0",
              "Bisector of C        = 8.1592491", "Inradius             = .90583903", "BACK"})
            EXPECT_NE(page.find(line), std::string::npos) << line << " in\n" << page;
        EXPECT_EQ(d.visiblePage(), 0);
        EXPECT_EQ(h.step(), Step::ResultsCycle);
        EXPECT_TRUE(h.program.results().secondOnScreen(SolveMode::Oblique));
        const std::vector<std::uint8_t> after(d.pageData(0), d.pageData(0) + 643 * 483);
        EXPECT_TRUE(before == after) << key.code();
    }
}

}  // namespace
}  // namespace solvara
