// SPDX-License-Identifier: GPL-2.0-or-later
// The real program in a private X server, driven by real X input and checked from outside: where
// the window goes, what it shows (pixel for pixel against the headless surface after the same
// keys), what printing leaves behind, and every way out.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

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
using xtest::XServer;

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The window on the 1920 x 1080 screen at a scale: its size, where it opens (centred) and where
// the placement widget sends it.
Size windowSizeAt(int scale) {
    return Size{Display::kWidth * scale, Display::kHeight * scale};
}
Point homeAt(int scale) {
    const Size w = windowSizeAt(scale);
    return Point{(1920 - w.width) / 2, (1080 - w.height) / 2};
}

// Presses on the title row at page pixel (300, 8), moves the pointer `steps` times by `step`
// desktop pixels `spacingMs` apart and releases, as a hand on a mouse would: real X input with
// nothing in between.
void dragTitleRow(const App& app, Point step, int steps, int spacingMs) {
    xtest::pointerToDesktop(app.onDesktop(300, 8));
    xtest::pauseMs(100);
    xtest::pointerButton(true);
    for (int i = 1; i <= steps; ++i) {
        xtest::pauseMs(spacingMs);
        xtest::pointerBy(step);
    }
    xtest::pauseMs(spacingMs);
    xtest::pointerButton(false);
}

// The window shows `expected`, soon; when it does not, both pictures go beside the test binary
// for a look.
void expectWindowShows(const App& app, const Image& expected, const std::string& what) {
    const Image actual = app.grabUntil(expected);
    if (actual == expected) return;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path failures = SOLVARA_BINARY_DIR "/x11-failures";
    std::filesystem::create_directories(failures);
    std::string name = std::string(info->name()) + "-" + what;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';
    xtest::writePng(actual, failures / (name + "-window.png"));
    xtest::writePng(expected, failures / (name + "-headless.png"));
    ADD_FAILURE() << what << ": " << xtest::describeDifference(actual, expected) << "\npictures in "
                  << failures.string() << "/" << name << "-*.png";
}

// The sessions run at the page's own size and enlarged twice.
class XSession : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.start(error)) << error;
        dir = xtest::freshProgramCopy(SOLVARA_BINARY_DIR "/solvara");
        ASSERT_FALSE(dir.empty());
        binary = dir / "solvara";
        // The picture-print command only notes that it ran.
        std::filesystem::create_directory(dir / "bin");
        {
            std::ofstream pr(dir / "bin" / "pr");
            pr << "#!/bin/sh\necho \"$@\" >>'" << (dir / "pr.log").string() << "'\n";
        }
        std::filesystem::permissions(dir / "bin" / "pr", std::filesystem::perms::owner_all);
        path.emplace("PATH", (dir / "bin").string() + ":" + std::getenv("PATH"));
        if (withSpooler()) {
            ASSERT_TRUE(spooler.start()) << spooler.error();
            ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
        }
        ASSERT_TRUE(app.start(binary, dir, error, scale())) << error;
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

    virtual bool withSpooler() const { return false; }
    int scale() const { return GetParam(); }

    // Keys for both: the real window and its headless twin.
    void type(const std::string& keys) {
        app.type(keys);
        twin.type(keys);
        twin.settle();
    }

    // The window shows what the headless surface shows, in the palette's exact colours, each
    // page pixel a block of the scale's size.
    void expectSameScreen(const std::string& what) { expectScreen(shown(visiblePage(twin)), what); }

    Image shown(const Image& page) const { return xtest::enlarged(page, scale()); }

    // The same, and then a little time for the pauses that follow drawing, so that the next
    // click meets a polling loop.
    void expectSameScreenSettled(const std::string& what) {
        expectSameScreen(what);
        xtest::pauseMs(150);
    }

    void expectScreen(const Image& expected, const std::string& what) {
        expectWindowShows(app, expected, what);
    }

    void expectPositionBecomes(Point wanted, const std::string& what) {
        App::waitFor([&] { return app.position() == wanted; });
        const Point p = app.position();
        EXPECT_EQ(p, wanted) << what << ": window at (" << p.x << ", " << p.y << ")";
    }

    void expectExitStatusZero(const std::string& what) {
        const auto status = app.waitExit();
        ASSERT_TRUE(status.has_value()) << what << ": the program did not end";
        EXPECT_EQ(*status, 0) << what << "; stderr: " << app.errorOutput();
    }

    XServer server;
    std::filesystem::path dir;
    std::filesystem::path binary;
    std::optional<testing::ScopedEnv> path;
    testing::PrivateSpooler spooler;
    App app;
    Harness twin;
};

TEST_P(XSession, WindowIsFramelessCentredTitledAndShowsTheExactColours) {
    EXPECT_EQ(app.position(), homeAt(scale()));
    EXPECT_EQ(app.size(), windowSizeAt(scale()));
    EXPECT_EQ(app.title(), "Solvara");
    const std::vector<long> hints = app.motifHints();
    ASSERT_EQ(hints.size(), 5u);
    EXPECT_EQ(hints[0] & 2, 2) << "decorations hint not set";
    EXPECT_EQ(hints[2], 0) << "decorations wanted none";
    expectSameScreen("start screen");
}

TEST_P(XSession, EditingKeysArriveAsTheProgramKnowsThem) {
    // Left arrow (255 and "K") and Backspace both take back a digit; keypad Enter commits.
    app.type("x12");
    app.key("Left");
    app.type("3");
    app.key("KP_Enter");
    app.type("y45");
    app.key("BackSpace");
    app.type("6\r");
    twin.type("x12");
    twin.key(keys::kLeft);
    twin.type("3\ry45\b6\r");
    twin.settle();
    ASSERT_EQ(twin.program.values().triangle.x, 13) << twin.screen();
    ASSERT_EQ(twin.program.values().triangle.y, 46) << twin.screen();
    expectSameScreen("right triangle 13, 46 typed with corrections");
}

TEST_P(XSession, AnUncoveredPartIsDrawnAgain) {
    type("x3\r");
    type("y4\r");
    expectSameScreenSettled("right triangle 3, 4");
    // Stopped, the program cannot answer the expose: the covered part stays as the cover left
    // it, which shows that the server keeps no copy and the program must draw it again.
    kill(app.pid(), SIGSTOP);
    app.coverAndUncover();
    const bool damaged = !(app.grab() == shown(visiblePage(twin)));
    kill(app.pid(), SIGCONT);
    EXPECT_TRUE(damaged) << "the server kept the covered part itself";
    expectSameScreen("after another window covered part of it");
}

TEST_P(XSession, DraggingTheTopRowMovesTheWindowByThePointersMovement) {
    // 50 steps of (2, -1) desktop pixels, 10 ms apart.
    const Point home = homeAt(scale());
    dragTitleRow(app, Point{2, -1}, 50, 10);
    expectPositionBecomes(Point{home.x + 100, home.y - 50}, "after dragging by (100, -50)");
    // The pointer holds the window where it took it.
    EXPECT_EQ(xtest::pointerOnDesktop(), app.onDesktop(300, 8));

    // Let go and moved on in the same instant, the window stays where the button came up.
    const Point dropped{home.x + 110, home.y - 50};
    xtest::pointerButton(true);
    xtest::pauseMs(20);
    xtest::pointerBy(Point{10, 0});
    expectPositionBecomes(dropped, "after dragging on by (10, 0)");
    xtest::xdotool("mouseup 1 mousemove_relative -- 0 64");
    xtest::pauseMs(100);
    EXPECT_EQ(app.position(), dropped);

    // Below the top row a press does not drag.
    app.moveTo(300, 40);
    app.press();
    xtest::xdotool("mousemove_relative -- 30 30");
    xtest::pauseMs(100);
    app.release();
    EXPECT_EQ(app.position(), dropped);
}

TEST_P(XSession, ShortClicksOnTheModeButtonsAreNeverLost) {
    // Press and release in one request to the server, and 5 ms apart: a tap on a touchpad.
    const Image right = shown(visiblePage(twin));
    twin.type("o");
    const Image oblique = shown(visiblePage(twin));
    int acted = 0;
    for (const std::string gap : {"", "sleep 0.005 "}) {
        for (int i = 0; i < 8; ++i) {
            const bool toOblique = i % 2 == 0;
            app.moveTo(toOblique ? 290 : 210, 198);
            xtest::xdotool("mousedown 1 " + gap + "mouseup 1");
            const Image& wanted = toOblique ? oblique : right;
            if (app.grabUntil(wanted, std::chrono::milliseconds(1500)) == wanted) {
                ++acted;
            } else {
                app.click(toOblique ? 290 : 210, 198);  // a long click, for the next round
                app.grabUntil(wanted);
            }
            xtest::pauseMs(150);  // until the main loop polls again
        }
    }
    EXPECT_EQ(acted, 16);
}

TEST_P(XSession, WidgetSquaresSnapToTheCornersAndTheCentreComesHome) {
    const Size w = windowSizeAt(scale());
    struct Snap {
        const char* square;
        Point click;
        Point target;
    };
    const Snap snaps[] = {
        {"top left", {128, 222}, {4, 4}},
        {"top right", {144, 222}, {1920 - w.width, 4}},
        {"bottom right", {144, 238}, {1920 - w.width, 1080 - w.height - 28}},
        {"bottom left", {128, 238}, {4, 1080 - w.height - 31}},
        {"centre", {136, 230}, homeAt(scale())},
    };
    for (const Snap& s : snaps) {
        app.click(s.click.x, s.click.y);
        expectPositionBecomes(s.target, s.square);
    }
}

TEST_P(XSession, AtSignBringsTheWindowHome) {
    app.click(128, 222);
    expectPositionBecomes(Point{4, 4}, "top left square");
    app.moveTo(320, 300);
    app.type("@");
    expectPositionBecomes(homeAt(scale()), "after @");
}

TEST_P(XSession, ClearPutsTheRecreatedWindowWhereTheUserLeftIt) {
    const Point bottomLeft{4, 1080 - windowSizeAt(scale()).height - 31};
    app.click(128, 238);
    expectPositionBecomes(bottomLeft, "bottom left square");
    type("x3\r");
    // A click counts only while a loop polls, not during the pauses of drawing a screen.
    expectSameScreenSettled("x typed");
    app.click(140, 198);  // CLEAR
    twin.click(140, 198);
    twin.settle();
    xtest::pauseMs(400);
    EXPECT_EQ(app.position(), bottomLeft);
    expectSameScreen("after CLEAR");
}

TEST_P(XSession, RightTriangleResultsHelpAndBack) {
    type("x3\r");
    type("y4\r");
    ASSERT_EQ(twin.step(), Step::ResultsCycle) << twin.screen();
    expectSameScreen("right triangle 3, 4");
    const Image results = app.grab();

    // The help screen waits in a loop of its own, so the twin's help page is caught while the
    // twin waits in it.
    twin.type("h");
    twin.idle(1000);
    const std::uint64_t helpShown = twin.now() + 1000;
    twin.type("b");
    Image help;
    twin.backend.onWait = [&](std::uint64_t now) {
        if (help.pixels.empty() && now >= helpShown) help = visiblePage(twin);
    };
    twin.settle();
    twin.backend.onWait = nullptr;
    ASSERT_FALSE(help.pixels.empty());

    app.type("h");
    expectScreen(shown(help), "help");
    app.type("b");
    expectSameScreen("back from help");
    EXPECT_TRUE(app.grab() == results) << "the results page changed under the help screen";
}

TEST_P(XSession, ObliqueSecondAnswerWithS) {
    type("o");
    type("x10\r");
    type("y7\r");
    type("a30\r");
    ASSERT_EQ(twin.text(19, 60, 18), "Show other answer ") << twin.screen();
    expectSameScreen("oblique first answer");
    type("S");
    ASSERT_TRUE(twin.program.results().secondChosen());
    expectSameScreen("oblique second answer");
}

TEST_P(XSession, CtrlCPutsTheResultsOnTheDesktopClipboard) {
    type("x3\r");
    type("y4\r");
    expectSameScreenSettled("right triangle 3, 4");
    app.key("ctrl+c");
    twin.key(keys::kCtrlC);
    twin.settle();
    ASSERT_NE(twin.backend.clipboard(), "");
    std::string copied;
    App::waitFor([&] { return (copied = xtest::clipboardText()) == twin.backend.clipboard(); });
    EXPECT_EQ(copied, twin.backend.clipboard());
    expectSameScreen("after Ctrl+C");
}

class XSessionPrinting : public XSession {
  protected:
    bool withSpooler() const override { return true; }
};
INSTANTIATE_TEST_SUITE_P(, XSessionPrinting, ::testing::Values(1, 2), scaleName);

TEST_P(XSessionPrinting, PrintWritesThePictureBesideTheProgramAndOneJob) {
    type("x3\r");
    type("y4\r");
    app.type("p");
    const std::filesystem::path picture = dir / "Solvara.bmp";
    // The shell creates the log before pr writes its line into it: wait for the line.
    ASSERT_TRUE(
        App::waitFor([&] { return !readFile(dir / "pr.log").empty(); }, std::chrono::seconds(10)))
        << "the picture-print command did not run";
    EXPECT_EQ(std::filesystem::file_size(picture), 312130u);
    EXPECT_EQ(readFile(dir / "pr.log"), picture.string() + "\n");

    const auto jobs = spooler.jobs();
    ASSERT_EQ(jobs.size(), 1u) << spooler.log();
    EXPECT_EQ(jobs[0].title, "Solvara");

    // Back in the results loop the screen is the results screen again.
    twin.type("p");
    twin.settle(3000);
    expectSameScreen("after printing");

    // A program that has printed ends as cleanly as any other: in the sanitizer build, with
    // nothing for the leak checker to report.
    app.key("Escape");
    expectExitStatusZero("Escape after printing");
}

TEST_P(XSession, EscapeEndsWithStatusZero) {
    app.key("Escape");
    expectExitStatusZero("Escape");
}

TEST_P(XSession, ExitButtonEndsWithStatusZero) {
    app.click(70, 198);
    expectExitStatusZero("EXIT button");
}

TEST_P(XSession, CloseBlocksEndWithStatusZero) {
    app.click(630, 8);
    expectExitStatusZero("close block X");
}

TEST_P(XSession, ExitBlockInTheResultsEndsWithStatusZero) {
    type("x3\r");
    type("y4\r");
    expectSameScreenSettled("right triangle 3, 4");
    app.click(590, 8);
    expectExitStatusZero("close block Exit on the results screen");
}

TEST_P(XSession, DesktopCloseRequestEndsWithStatusZero) {
    app.requestClose();
    expectExitStatusZero("WM_DELETE_WINDOW");
}

TEST_P(XSession, SigtermEndsWithStatusZero) {
    kill(app.pid(), SIGTERM);
    expectExitStatusZero("SIGTERM");
}

INSTANTIATE_TEST_SUITE_P(, XSession, ::testing::Values(1, 2), scaleName);

// Keyboards of other countries, Num Lock on, each in a server of its own. Keys are pressed by
// position, so the layout decides what they type: the comma and the keypad's decimal key, whatever
// the layout makes of it, type the point; any other character is left out. The window must then
// show what the headless twin shows after the keys as typed with a US keyboard.
TEST(XKeyboardLayout, CommaAndKeypadDecimalKeyTypeThePoint) {
    const struct {
        const char* layout;
        const char* options;
        const char* positions;
        const char* typed;
    } cases[] = {
        // QWERTZ; the keypad key gives ",", AE11 is "ß": o x3,5 Enter y4,2 Enter z4ß2
        {"de", "", "AD09 AB02 KP3 KPDL KP5 RTRN AB01 KP4 AB08 KP2 RTRN AD06 KP4 AE11 KP2",
         "ox3.5\ry4.2\rz42"},
        // AZERTY; the keypad key gives ".", AB07 is "," and AB08 ";": o x3.5 Enter y4,2 Enter z4;2
        {"fr", "", "AD09 AB02 KP3 KPDL KP5 RTRN AD06 KP4 AB07 KP2 RTRN AD02 KP4 AB08 KP2",
         "ox3.5\ry4.2\rz42"},
        // The keypad key gives the Arabic decimal separator, U+066B.
        {"us", "kpdl:momayyezoss", "AD09 AB02 KP3 KPDL KP5 RTRN AB01 KP4 KPDL KP2", "ox3.5\rz4.2"},
    };
    for (const auto& c : cases) {
        const std::string keyboard = std::string(c.layout) + " " + c.options;
        XServer server;
        std::string error;
        ASSERT_TRUE(server.start(error)) << error;
        ASSERT_TRUE(xtest::setKeyboardLayout(c.layout, c.options)) << "setxkbmap " << keyboard;
        xtest::setNumLock(true);
        const std::filesystem::path dir = xtest::freshProgramCopy(SOLVARA_BINARY_DIR "/solvara");
        ASSERT_FALSE(dir.empty());
        {
            App app;
            ASSERT_TRUE(app.start(dir / "solvara", dir, error)) << error;
            std::istringstream positions(c.positions);
            for (std::string position; positions >> position;)
                ASSERT_TRUE(xtest::pressKeyAt(position)) << keyboard << ": no key " << position;

            Harness twin;
            twin.start();
            twin.type(c.typed);
            twin.settle();
            expectWindowShows(app, visiblePage(twin), keyboard);
        }
        std::filesystem::remove_all(dir);
    }
}

}  // namespace
}  // namespace solvara
