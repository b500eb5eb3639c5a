// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>

#include "platform/window/display_scale.h"
#include "platform/window/window_backend.h"

namespace solvara {

// The real window: a borderless SDL2 window shown through SDL's window surface (no GL). The
// window shows the page enlarged by a whole number, each page pixel a square block; pointer
// positions reach the program in page pixels. The enlargement is settled as the window opens:
// the one asked for, else the desktop's, lowered until the window fits the primary monitor.
class SdlBackend : public WindowBackend {
  public:
    explicit SdlBackend(ScaleRequest scale = {});
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    bool openWindow(Size size, std::string& error) override;
    void setTitle(std::string_view title) override;
    std::vector<Monitor> monitors() override;
    Size windowSize() override;
    Point windowPosition() override;
    void moveWindow(Point topLeft) override;
    // On Wayland the desktop places the window and drags it by the area given, and the window
    // surface is a GL texture SDL keeps behind the window: Wayland has no surface of plain
    // memory.
    bool canPlaceWindow() override;
    void setDragArea(Rect area) override;
    void present(const std::uint8_t* pixels, Size size,
                 const std::array<Rgb, 256>& palette) override;
    void wait(int ms, InputDevices& input) override;
    void warpPointer(Point position) override;
    Point pointerOnDesktop() override;
    Point pointerInWindow() override;
    void showPointer(bool visible) override;
    std::uint64_t nowMs() override;
    void setClipboardText(std::string_view text) override;

  private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace solvara
