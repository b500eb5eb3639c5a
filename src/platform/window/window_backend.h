// SPDX-License-Identifier: GPL-2.0-or-later
// The window room: the window backends (SDL2 and a null one), keys and the input devices.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "platform/window/monitors.h"

namespace solvara {

class InputDevices;

// What the program needs of a desktop window. The display surface does the drawing; a backend
// only shows the visible page, reports and moves the window, and lets time pass while it feeds
// keyboard and pointer events into the input devices. Two implementations: SDL2 for the real
// window (sdl_backend.h) and one that shows nothing on a virtual clock (null_backend.h); the
// tests script and watch the program through one of their own (tests/support/scripted_backend.h).
class WindowBackend {
  public:
    virtual ~WindowBackend() = default;

    // Creates the window the first time, centred on the primary monitor; later calls keep the
    // existing desktop window (re-creating it would flash and lose focus). Returns false and
    // fills `error` when no window can be had.
    virtual bool openWindow(Size size, std::string& error) = 0;
    virtual void setTitle(std::string_view title) = 0;
    // The desktop's monitors as it lists them now, in desktop pixels; empty before the window
    // opens.
    virtual std::vector<Monitor> monitors() = 0;
    // The window's size on the desktop: the page's size times the backend's enlargement.
    virtual Size windowSize() = 0;
    virtual Point windowPosition() = 0;
    virtual void moveWindow(Point topLeft) = 0;
    // Whether the program may put its window where it wants and read back where it is. A Wayland
    // desktop places windows itself: there moveWindow does nothing, windowPosition means nothing,
    // and the window is dragged by the desktop (setDragArea).
    virtual bool canPlaceWindow() = 0;
    // From now on a press of the left button inside `area` (page pixels, as a hit region) hands
    // the window to the desktop, which drags it until the button comes up; the program sees
    // neither the press nor the motion. For desktops where the program cannot place the window.
    virtual void setDragArea(Rect area) = 0;

    // Shows a page of palette indexes, `size.width` bytes per row.
    virtual void present(const std::uint8_t* pixels, Size size,
                         const std::array<Rgb, 256>& palette) = 0;

    // Lets `ms` milliseconds pass, delivering the window's events to `input` as they arrive.
    virtual void wait(int ms, InputDevices& input) = 0;

    // Pointer position in surface pixels; the backend clamps nothing.
    virtual void warpPointer(Point position) = 0;
    // Where the pointer is on the desktop at this moment, in desktop pixels, whatever events
    // are still on their way; once the left button is up, where it was let go. A drag follows
    // this, and so ends where the button was released even when the pointer moves on at once.
    virtual Point pointerOnDesktop() = 0;
    // Where the pointer was, in desktop pixels from the window's top-left corner, when the left
    // button last went down (else at the last pointer event): the point a drag holds the
    // window by.
    virtual Point pointerInWindow() = 0;
    virtual void showPointer(bool visible) = 0;

    // Milliseconds on this backend's clock (real or virtual).
    virtual std::uint64_t nowMs() = 0;

    // Puts plain text on the desktop's clipboard.
    virtual void setClipboardText(std::string_view text) = 0;
};

}  // namespace solvara
