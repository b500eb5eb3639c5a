// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "platform/window/window_backend.h"

namespace solvara {

// A window that shows nothing: one monitor of a fixed size, the window centred on it and moved
// where it is told, a clock that moves only by the program's waits, and no input at all. For
// running the program's drawing where there is no desktop (benchmarks, fuzz targets); the tests'
// scripted backend builds on the same idea with input and spies.
class NullBackend : public WindowBackend {
  public:
    explicit NullBackend(Size desktop = Size{1920, 1080}) : desktop_(desktop) {}

    bool openWindow(Size size, std::string& error) override;
    void setTitle(std::string_view) override {}
    std::vector<Monitor> monitors() override;
    Size windowSize() override { return window_; }
    Point windowPosition() override { return position_; }
    void moveWindow(Point topLeft) override { position_ = topLeft; }
    bool canPlaceWindow() override { return true; }
    void setDragArea(Rect) override {}
    void present(const std::uint8_t*, Size, const std::array<Rgb, 256>&) override {}
    void wait(int ms, InputDevices&) override { now_ += ms > 0 ? static_cast<unsigned>(ms) : 0; }
    void warpPointer(Point) override {}
    Point pointerOnDesktop() override { return position_; }
    Point pointerInWindow() override { return Point{}; }
    void showPointer(bool) override {}
    std::uint64_t nowMs() override { return now_; }
    void setClipboardText(std::string_view) override {}

  private:
    Size desktop_;
    Size window_{};
    Point position_{};
    std::uint64_t now_ = 0;
};

}  // namespace solvara
