// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/window/key.h"
#include "platform/window/window_backend.h"

namespace solvara {

// The tests' window: a window without a screen, a desktop of a given size that is one monitor, all
// of it free for windows, the window's position kept as numbers, a virtual clock that only moves
// when the program waits, and scripted input that arrives at given virtual times. The window shows
// the page enlarged `scale` times; scripted pointer positions are page pixels, as the program sees
// them.
//
// The pointer lives on the desktop, as on a real one: a scripted position is taken in the window
// where it is when the event arrives, and a window that moves leaves the pointer where it is on
// the desktop (and, as X does, sends no pointer event for it).
class ScriptedBackend : public WindowBackend {
  public:
    explicit ScriptedBackend(Size desktop = Size{1920, 1080}, int scale = 1);

    bool openWindow(Size size, std::string& error) override;
    void setTitle(std::string_view title) override { title_ = title; }
    std::vector<Monitor> monitors() override;
    Size windowSize() override { return windowSize_; }
    Point windowPosition() override { return position_; }
    void moveWindow(Point topLeft) override;
    bool canPlaceWindow() override { return canPlaceWindow_; }
    void setDragArea(Rect area) override { dragArea_ = area; }
    void present(const std::uint8_t* pixels, Size size,
                 const std::array<Rgb, 256>& palette) override;
    void wait(int ms, InputDevices& input) override;
    void warpPointer(Point position) override;
    Point pointerOnDesktop() override { return desktopPointer_; }
    Point pointerInWindow() override { return pointerInWindow_; }
    void showPointer(bool visible) override { pointerVisible_ = visible; }
    std::uint64_t nowMs() override { return now_; }
    void setClipboardText(std::string_view text) override { clipboard_ = text; }

    // Script: each event is due at an absolute virtual time and is delivered by the first wait
    // that reaches it.
    void keyAt(std::uint64_t atMs, Key key);
    void pointerAt(std::uint64_t atMs, int x, int y);  // inside the window
    // The pointer to a place on the desktop, in desktop pixels, as a hand moves it: the window
    // is told where that is in it when the event arrives.
    void pointerOnDesktopAt(std::uint64_t atMs, int x, int y);
    void buttonsAt(std::uint64_t atMs, int buttons);
    void leaveAt(std::uint64_t atMs);  // the pointer leaves the window
    void closeAt(std::uint64_t atMs);  // the desktop asks the window to close
    bool scriptDone() const { return script_.empty(); }
    std::uint64_t lastScriptedMs() const { return script_.empty() ? now_ : script_.back().at; }

    // Called after every wait, with the time reached; tests use it to watch the screen.
    std::function<void(std::uint64_t nowMs)> onWait;
    // Called with every page presented, at the virtual time it is shown.
    std::function<void(std::uint64_t nowMs, const std::uint8_t* pixels, Size size,
                       const std::array<Rgb, 256>& palette)>
        onPresent;
    // Called with every move of the window.
    std::function<void(std::uint64_t nowMs, Point topLeft)> onMove;

    // A desktop that places windows itself, as Wayland does: the program is told it cannot.
    // Moves are still recorded, so that a test sees any the program tries.
    void setCanPlaceWindow(bool can) { canPlaceWindow_ = can; }
    // The area the program asked the desktop to drag the window by, if it asked.
    const std::optional<Rect>& dragArea() const { return dragArea_; }

    // Past this virtual time the desktop asks the program to close, so that a script that never
    // reaches its end fails instead of running forever.
    void setTimeLimit(std::uint64_t ms) { timeLimit_ = ms; }
    bool timeLimitReached() const { return now_ >= timeLimit_; }

    const std::string& title() const { return title_; }
    const std::string& clipboard() const { return clipboard_; }
    bool windowOpen() const { return windowOpen_; }
    int windowsCreated() const { return windowsCreated_; }
    // How often the program (re-)opened its surface: once at start and once per restart.
    int openCalls() const { return openCalls_; }
    bool pointerVisible() const { return pointerVisible_; }
    std::uint64_t presentCount() const { return presentCount_; }
    std::uint64_t waitedMs() const { return now_; }
    // Every warp the program made, in surface pixels.
    const std::deque<Point>& warps() const { return warps_; }

  private:
    enum class Kind { Key, Move, DesktopMove, Buttons, Leave, Close };
    struct Event {
        std::uint64_t at = 0;
        Kind kind = Kind::Key;
        int a = 0;
        int b = 0;
    };
    void schedule(Event event);
    // Delivers the events due by now; false when a button went down, after which the rest wait
    // for the next wait, as the SDL backend has them wait.
    bool deliverDue(InputDevices& input);
    // The pointer at a place in the window (desktop pixels from its corner), and where that is
    // on the desktop; pointerIsAt also tells the input devices, in page pixels.
    void placePointer(Point inWindow);
    void pointerIsAt(Point inWindow, InputDevices& input);

    Size desktop_;
    int scale_;
    Size windowSize_{};
    Point position_{};
    Point desktopPointer_{};
    Point pointerInWindow_{};
    int buttons_ = 0;
    bool windowOpen_ = false;
    bool canPlaceWindow_ = true;
    std::optional<Rect> dragArea_;
    int windowsCreated_ = 0;
    int openCalls_ = 0;
    std::string title_;
    std::string clipboard_;
    std::uint64_t now_ = 0;
    std::uint64_t timeLimit_ = UINT64_MAX;
    std::deque<Event> script_;  // kept in time order
    bool pointerVisible_ = true;
    std::uint64_t presentCount_ = 0;
    std::deque<Point> warps_;
};

}  // namespace solvara
