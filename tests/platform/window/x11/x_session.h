// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <gtest/gtest.h>
#include <sys/types.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/geometry.h"

namespace solvara::testing {
class Harness;
}  // namespace solvara::testing

namespace solvara::xtest {

// The real program in a private X server, driven by real X input and looked at from outside.
// Used by the X server tests and by the demo. Input goes through xdotool (XTest); the window's
// place, title and pixels are read through Xlib.

// A screen grab: RGB, row after row.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    friend bool operator==(const Image&, const Image&) = default;
};

// A part of the screen as it is now.
Image screenArea(Point topLeft, Size size);

// Writes an image as PNG (through ImageMagick's convert); false when that fails.
bool writePng(const Image& image, const std::filesystem::path& path);

// The visible page of the display, through its palette, as the window should show it.
struct PageSource {
    const std::uint8_t* indexes = nullptr;
    const std::array<Rgb, 256>* palette = nullptr;
};
Image pageImage(PageSource page, Size size);
// The visible page of a headless twin's display.
Image visiblePage(testing::Harness& twin);
// The name of a test run at a window scale: Scale1, Scale2.
std::string scaleName(const ::testing::TestParamInfo<int>& info);

// The image enlarged `n` times, each pixel an n x n block: a page as a window of that scale
// shows it.
Image enlarged(const Image& image, int n);

// Where the images differ: the number of pixels and the first one, for failure messages.
std::string describeDifference(const Image& actual, const Image& expected);

// A private X server on a display it picks itself, no window manager. While it lives DISPLAY
// names it (and WAYLAND_DISPLAY is unset). It is bare: not even the atoms a desktop would create
// exist until a client asks for them.
class XServer {
  public:
    XServer() = default;
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Xvfb with one screen of `screen` x 24 bits: one monitor, which RandR cannot split.
    bool start(std::string& error, Size screen = Size{1920, 1080});
    // Xorg on the dummy video driver, as a desktop of several monitors is made: sixteen outputs
    // DUMMY0 to DUMMY15, of which DUMMY0 shows 2048 x 1536 at first and is the primary one; the
    // others are off. xrandr places them and splits them into monitors. Needs root.
    bool startXorg(std::string& error);
    const std::string& display() const { return display_; }

  private:
    // Runs the server with `arguments` (after its name), which must ask it to write its display
    // number to the descriptor given as {fd}, and waits for that.
    bool launch(std::vector<std::string> arguments, std::string& error);

    pid_t pid_ = -1;
    std::string display_;
    std::filesystem::path files_;  // Xorg's configuration and log
    std::optional<std::string> oldDisplay_;
    std::optional<std::string> oldWayland_;
};

// A window manager on the server (openbox, icewm, ...), stopped by its process id.
class WindowManager {
  public:
    WindowManager() = default;
    ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Starts the program `name` and waits until it has taken the screen.
    bool start(const std::string& name, std::string& error);
    // The window the desktop has given the keyboard (_NET_ACTIVE_WINDOW), 0 when none.
    static unsigned long activeWindow();

  private:
    pid_t pid_ = -1;
};

// Weston on the X server: a Wayland desktop whose output is an X window of `output`'s size at
// the server's top-left corner, so that XTest input reaches it as a keyboard and a pointer, and
// screen grabs of the server show what it shows. It runs in a private runtime directory with a
// socket of its own, a plain grey background and neither panel nor on-screen keyboard. It and
// the clients it starts are stopped by its process group.
class Weston {
  public:
    Weston() = default;
    ~Weston();
    Weston(const Weston&) = delete;
    Weston& operator=(const Weston&) = delete;

    // Starts it on the X server that DISPLAY names and waits for its socket and its window,
    // which gets the X keyboard.
    bool start(Size output, std::string& error);
    // Ends it and its clients at once, as a desktop that crashed.
    void stop();
    Size output() const { return output_; }
    const std::string& socket() const { return socket_; }
    const std::filesystem::path& runtimeDir() const { return runtimeDir_; }

  private:
    pid_t pid_ = -1;
    Size output_{};
    std::string socket_;
    std::filesystem::path runtimeDir_;
};

// Another program's window, 300 x 200 at the top left of the screen: mapped, a window manager
// gives it the keyboard.
class OtherWindow {
  public:
    OtherWindow();
    ~OtherWindow();
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    unsigned long window() const { return window_; }

  private:
    unsigned long window_ = 0;
};

// Input as the X server gets it from a device, through XTest, at once: each returns when the
// server has taken it. A mouse moves the pointer by steps from wherever it is (pointerBy), a
// tablet to a place (pointerToDesktop).
void pointerToDesktop(Point desktop);
void pointerBy(Point step);
void pointerButton(bool down, int button = 1);
Point pointerOnDesktop();

// The keyboard of another country: setxkbmap with a layout ("de") and options ("kpdl:comma"), on
// the private server; false when it fails. Set before the program starts, so that it starts
// with it.
bool setKeyboardLayout(const std::string& layout, const std::string& options = "");
// Locks Num Lock on or off, as its key would.
void setNumLock(bool on);
// Presses and releases the key at an XKB position ("AB08" is the key right of M on a US keyboard,
// "KPDL" the keypad's decimal key, "RTRN" Enter), so that the layout decides what it types; about
// 50 ms per key, as App::type. False when the keyboard has no key there.
bool pressKeyAt(const std::string& position);

// The program running in the server.
class App {
  public:
    App() = default;
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Starts `binary` with `arguments` in `directory`, the window enlarged `scale` times
    // (SOLVARA_SCALE; none asked for when nothing, and GDK_SCALE is never set), and waits for its
    // window to be mapped and show a page. scale() is then the scale the window opened with.
    bool start(const std::filesystem::path& binary, const std::filesystem::path& directory,
               std::string& error, std::optional<int> scale = 1,
               const std::vector<std::string>& arguments = {});
    int scale() const { return scale_; }
    pid_t pid() const { return pid_; }
    unsigned long window() const { return window_; }
    bool running();
    // Starts the program as start() does, but on Weston's desktop, with no X display in its
    // environment. The window has no X window of its own: it is found on the screen by the
    // page's cyan outer frame.
    bool startOnWayland(const std::filesystem::path& binary, const std::filesystem::path& directory,
                        const Weston& weston, std::string& error, int scale = 1);
    // Waits up to `limit` for the program to end; its exit status, or nullopt.
    std::optional<int> waitExit(std::chrono::milliseconds limit = std::chrono::seconds(3));
    // What the program wrote to standard error.
    std::string errorOutput() const;

    // Window facts, read from the server; on Wayland, from where the frame shows on the screen.
    Point position() const;
    Size size() const;
    std::string title() const;
    // The _MOTIF_WM_HINTS property as five numbers, empty when absent.
    std::vector<long> motifHints() const;
    // The frame a window manager put around the window (_NET_FRAME_EXTENTS: left, right, top,
    // bottom), empty when no window manager has set it.
    std::vector<long> frameExtents() const;
    // The window's area of the screen.
    Image grab() const;
    // Grabs until the window shows `expected` or `limit` has passed; the last grab.
    Image grabUntil(const Image& expected,
                    std::chrono::milliseconds limit = std::chrono::milliseconds(4000)) const;
    // Waits until `condition` holds, looking every 20 ms; whether it held.
    static bool waitFor(const std::function<bool()>& condition,
                        std::chrono::milliseconds limit = std::chrono::milliseconds(3000));

    // Input, about 50 ms per step so that no two events merge into one batch of the program's:
    // keys through xdotool, the pointer through XTest. Positions are page pixels; at a scale
    // above 1 the pointer goes to the middle of the page pixel's block.
    void type(const std::string& text) const;
    void key(const std::string& keyName) const;  // xdotool key names: Return, Escape, ctrl+c
    void moveTo(int x, int y) const;
    void press(int button = 1) const;
    void release(int button = 1) const;
    void click(int x, int y, int button = 1) const;
    // The desktop pixel under page pixel (x, y), where the window is now.
    Point onDesktop(int x, int y) const;
    // Sends the desktop's close request, a WM_DELETE_WINDOW client message.
    void requestClose() const;
    // Lays another client's black window over part of the window for a moment and takes it away,
    // so that the uncovered part must be drawn again.
    void coverAndUncover() const;

  private:
    struct Placed {
        Point position;
        Size size;
    };
    // The box of the page's outer frame on Weston's output, nothing while none shows.
    std::optional<Placed> frameOnScreen() const;

    pid_t pid_ = -1;
    unsigned long window_ = 0;
    int scale_ = 1;
    std::filesystem::path errorFile_;
    // Weston's output, on Wayland, and where the frame was found last.
    std::optional<Size> waylandOutput_;
    mutable std::optional<Placed> lastFrame_;
};

// A new directory under the temporary one holding a copy of `binary` named "solvara": the program
// saves its picture beside itself, so it runs from a copy in a fresh place. Empty on failure.
std::filesystem::path freshProgramCopy(const std::filesystem::path& binary);

// Runs a shell command line of X clients on the server (xrandr arranging monitors, xprop setting
// a window manager's properties, xrdb the resources); whether it succeeded.
bool runOnServer(const std::string& commandLine);

// Runs xdotool with `arguments` and returns its output.
std::string xdotool(const std::string& arguments);
void pauseMs(int ms);

// The clipboard's text as another client reads it (xclip), "" when it holds none.
std::string clipboardText();

}  // namespace solvara::xtest
