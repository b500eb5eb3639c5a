// SPDX-License-Identifier: GPL-2.0-or-later
// The real program on a desktop with a window manager (openbox), driven by real X input: a drag
// follows the pointer however quickly it moves and however the manager delays the moves, the
// click that brings the window to the front acts, and the window stays frameless whether the
// manager starts before or after it.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/window/x11/x_session.h"
#include "support/private_spooler.h"

namespace solvara {
namespace {

using xtest::App;
using xtest::WindowManager;
using xtest::XServer;

// A private X server and a copy of the program to run in it.
class XDesktop {
  public:
    void setUp() {
        std::string error;
        ASSERT_TRUE(server.start(error)) << error;
        dir = xtest::freshProgramCopy(SOLVARA_BINARY_DIR "/solvara");
        ASSERT_FALSE(dir.empty());
        binary = dir / "solvara";
        lsan.emplace("LSAN_OPTIONS", "suppressions=" SOLVARA_SOURCE_DIR
                                     "/tests/platform/window/x11/lsan.supp:print_suppressions=0");
    }

    void tearDown() {
        if (app.running()) {
            app.key("Escape");
            app.waitExit();
        }
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    void startManager() {
        std::string error;
        ASSERT_TRUE(manager.start("openbox", error)) << error;
    }

    void startApp(int scale = 1) {
        std::string error;
        ASSERT_TRUE(app.start(binary, dir, error, scale)) << error;
    }

    XServer server;
    WindowManager manager;
    std::filesystem::path dir;
    std::filesystem::path binary;
    std::optional<testing::ScopedEnv> lsan;
    App app;
};

// Window manager or none, milliseconds between the pointer's steps, scale.
using DragCase = std::tuple<bool, int, int>;

class XDrag : public ::testing::TestWithParam<DragCase>, public XDesktop {
  protected:
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
};

TEST_P(XDrag, TheWindowFollowsThePointerExactly) {
    const auto [withManager, spacingMs, scale] = GetParam();
    if (withManager) startManager();
    startApp(scale);
    const Point before = app.position();
    // A mouse's drag: 50 steps of 2 pixels right and 1 down, each from where the pointer is.
    xtest::pointerToDesktop(app.onDesktop(300, 8));
    xtest::pauseMs(100);
    xtest::pointerButton(true);
    for (int i = 1; i <= 50; ++i) {
        xtest::pauseMs(spacingMs);
        xtest::pointerBy(Point{2, 1});
    }
    xtest::pauseMs(spacingMs);
    xtest::pointerButton(false);
    const Point wanted{before.x + 100, before.y + 50};
    App::waitFor([&] { return app.position() == wanted; });
    EXPECT_EQ(app.position(), wanted) << "from (" << before.x << ", " << before.y << ")";
    // The pointer still holds the window where it took it.
    EXPECT_EQ(xtest::pointerOnDesktop(), app.onDesktop(300, 8));
}

std::string dragCaseName(const ::testing::TestParamInfo<DragCase>& info) {
    const auto [withManager, spacingMs, scale] = info.param;
    return std::string(withManager ? "Openbox" : "BareServer") + "Every" +
           std::to_string(spacingMs) + "msScale" + std::to_string(scale);
}

INSTANTIATE_TEST_SUITE_P(, XDrag,
                         ::testing::Combine(::testing::Bool(), ::testing::Values(10, 1),
                                            ::testing::Values(1, 2)),
                         dragCaseName);

// Whether the window manager starts before the program.
class XFrame : public ::testing::TestWithParam<bool>, public XDesktop {
  protected:
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
};

TEST_P(XFrame, TheWindowStaysFramelessWhicheverStartsFirst) {
    const bool managerFirst = GetParam();
    if (managerFirst) startManager();
    startApp();
    if (!managerFirst) startManager();
    // The manager has taken the window in once it has said what frame it gave it.
    App::waitFor([&] { return !app.frameExtents().empty(); });
    EXPECT_EQ(app.frameExtents(), (std::vector<long>{0, 0, 0, 0}));
    EXPECT_EQ(app.position(), (Point{638, 298}));
    EXPECT_EQ(app.size(), (Size{643, 483}));
}

INSTANTIATE_TEST_SUITE_P(, XFrame, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ManagerFirst" : "ProgramFirst");
                         });

class XFocus : public ::testing::Test, public XDesktop {
  protected:
    void SetUp() override { setUp(); }
    void TearDown() override { tearDown(); }
};

TEST_F(XFocus, TheClickThatBringsTheWindowToTheFrontActs) {
    startManager();
    startApp();
    const xtest::OtherWindow other;
    ASSERT_TRUE(App::waitFor([&] { return WindowManager::activeWindow() == other.window(); }))
        << "the other window did not get the keyboard";
    // One click on the close block: it gives the program the keyboard and ends it.
    app.click(630, 8);
    const auto status = app.waitExit();
    ASSERT_TRUE(status.has_value()) << "the focusing click was swallowed";
    EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace solvara
