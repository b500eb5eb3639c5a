// SPDX-License-Identifier: GPL-2.0-or-later
// The real program on a Wayland desktop with no X display of its own: Weston, whose output is a
// window of a private X server that gives it a keyboard and a pointer. The window shows the page
// at its scale with no frame around it, keys and clicks act, the desktop drags the window by the
// title row, the placement widget and "@" leave it where it is, Escape and the close block end
// the program, and so does the desktop going away, with status 1.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/window/x11/x_session.h"
#include "support/harness.h"
#include "support/private_spooler.h"

namespace solvara {
namespace {

using testing::Harness;
using xtest::App;
using xtest::Image;
using xtest::scaleName;
using xtest::visiblePage;

constexpr Size kOutput{1920, 1080};
// Weston's background, as its configuration asks for it.
constexpr Rgb kBackgroundGrey{0x40, 0x40, 0x40};

class WaylandSession : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.start(error)) << error;
        ASSERT_TRUE(weston.start(kOutput, error)) << error;
        dir = xtest::freshProgramCopy(SOLVARA_BINARY_DIR "/solvara");
        ASSERT_FALSE(dir.empty());
        // On Wayland SDL draws through Mesa's GL, which it unloads before the program ends, so
        // what Mesa leaves behind lies in no library a suppression could name. The sanitizer
        // build looks for the program's own leaks in the X sessions and the headless tests.
        asan.emplace("ASAN_OPTIONS", "detect_leaks=0");
        ASSERT_TRUE(app.startOnWayland(dir / "solvara", dir, weston, error, scale())) << error;
        twin.start();
    }

    void TearDown() override {
        if (app.running()) {
            app.key("Escape");
            app.waitExit();
        }
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    int scale() const { return GetParam(); }

    // The pointer to the corner of the output farthest from the window, where the cursor Weston
    // draws hides nothing of it.
    void pointerAway() const {
        const Point p = app.position();
        const Size s = app.size();
        const bool left = p.x + s.width / 2 > kOutput.width / 2;
        const bool top = p.y + s.height / 2 > kOutput.height / 2;
        xtest::pointerToDesktop(Point{left ? 0 : kOutput.width - 1, top ? 0 : kOutput.height - 1});
    }

    // The window shows what the headless twin shows, each page pixel a block of the scale's
    // size; then a little time passes, so that the next click meets a polling loop.
    void expectSameScreen(const std::string& what) {
        pointerAway();
        const Image expected = xtest::enlarged(visiblePage(twin), scale());
        const Image actual = app.grabUntil(expected);
        EXPECT_TRUE(actual == expected)
            << what << ": " << xtest::describeDifference(actual, expected);
        xtest::pauseMs(150);
    }

    void expectAt(Point wanted, const std::string& what) const {
        const Point p = app.position();
        EXPECT_EQ(p, wanted) << what << ": window at (" << p.x << ", " << p.y << "), wanted ("
                             << wanted.x << ", " << wanted.y << ")";
    }

    // A click at page pixel `at` made with XTest alone, quicker than App::click's xdotool.
    void tap(Point at) const {
        xtest::pointerToDesktop(app.onDesktop(at.x, at.y));
        xtest::pauseMs(30);
        xtest::pointerButton(true);
        xtest::pauseMs(50);
        xtest::pointerButton(false);
        xtest::pauseMs(50);
    }

    void expectExitStatusZero(const std::string& what) {
        const auto status = app.waitExit();
        ASSERT_TRUE(status.has_value()) << what << ": the program did not end";
        EXPECT_EQ(*status, 0) << what;
        EXPECT_EQ(app.errorOutput(), "") << what;
    }

    xtest::XServer server;
    xtest::Weston weston;
    std::filesystem::path dir;
    std::optional<testing::ScopedEnv> asan;
    App app;
    Harness twin;
};

TEST_P(WaylandSession, TheWindowShowsThePageWithoutAFrameAndEscapeEndsIt) {
    const Size window{Display::kWidth * scale(), Display::kHeight * scale()};
    EXPECT_EQ(app.size(), window);
    expectSameScreen("start screen");
    // Eight pixels all round the window are Weston's background: no title bar, border or
    // shadow was drawn for it.
    const Point p = app.position();
    const Point from{std::max(p.x - 8, 0), std::max(p.y - 8, 0)};
    const Point to{std::min(p.x + window.width + 8, kOutput.width),
                   std::min(p.y + window.height + 8, kOutput.height)};
    const Image around = xtest::screenArea(from, Size{to.x - from.x, to.y - from.y});
    int framePixels = 0;
    for (int y = 0; y < around.height; ++y)
        for (int x = 0; x < around.width; ++x) {
            const Point at{from.x + x, from.y + y};
            const bool inWindow = at.x >= p.x && at.x < p.x + window.width && at.y >= p.y &&
                                  at.y < p.y + window.height;
            framePixels += !inWindow && !(around.at(x, y) == kBackgroundGrey);
        }
    EXPECT_EQ(framePixels, 0);

    app.key("Escape");
    expectExitStatusZero("Escape");
}

TEST_P(WaylandSession, KeysAndClicksActAndTheDesktopDragsTheWindowByTheTitleRow) {
    app.type("x3\ry4\r");
    twin.type("x3\ry4\r");
    twin.settle();
    expectSameScreen("right triangle 3, 4");
    app.click(290, 198);  // OBLIQUE
    twin.click(290, 198);
    twin.settle();
    expectSameScreen("oblique chosen by a click");

    // A press on the title row hands the window to the desktop, which moves it by the pointer's
    // movement, towards the middle of the output.
    const Point before = app.position();
    const Size s = app.size();
    const Point step{before.x + s.width / 2 < kOutput.width / 2 ? 5 : -5,
                     before.y + s.height / 2 < kOutput.height / 2 ? 2 : -2};
    xtest::pointerToDesktop(app.onDesktop(300, 8));
    xtest::pauseMs(100);
    xtest::pointerButton(true);
    for (int i = 0; i < 20; ++i) {
        xtest::pauseMs(10);
        xtest::pointerBy(step);
    }
    xtest::pauseMs(10);
    xtest::pointerButton(false);
    const Point dragged{before.x + 20 * step.x, before.y + 20 * step.y};
    App::waitFor([&] { return app.position() == dragged; });
    expectAt(dragged, "after the drag");
    expectSameScreen("after the drag, which the program never saw");

    // Below the title row a press drags nothing.
    app.moveTo(300, 40);
    app.press();
    xtest::pointerBy(Point{30, 30});
    xtest::pauseMs(100);
    app.release();
    // The placement widget and "@" leave the window where the desktop put it.
    for (const Point square :
         {Point{128, 222}, Point{144, 222}, Point{144, 238}, Point{128, 238}, Point{136, 230}})
        tap(square);
    app.type("@");
    xtest::pauseMs(100);
    expectAt(dragged, "after the widget and @");
    expectSameScreen("after the widget and @");

    // The close blocks lie outside the drag area: a click on X ends the program.
    app.click(630, 8);
    expectExitStatusZero("close block X");
}

INSTANTIATE_TEST_SUITE_P(, WaylandSession, ::testing::Values(1, 2), scaleName);

// SDL tells a compositor that went away only by a quit event, as it tells SIGTERM.
class WaylandDesktopLoss : public WaylandSession {};

TEST_P(WaylandDesktopLoss, TheProgramEndsWithStatusOneAndSaysWhy) {
    weston.stop();
    const auto status = app.waitExit(std::chrono::seconds(5));
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    EXPECT_EQ(*status, 1);
    const std::string error = app.errorOutput();
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1) << error;
    EXPECT_NE(error.find("the display went away"), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(, WaylandDesktopLoss, ::testing::Values(1), scaleName);

}  // namespace
}  // namespace solvara
