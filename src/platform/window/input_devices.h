// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/geometry.h"
#include "platform/window/key.h"

namespace solvara {

class Display;
class WindowBackend;

struct PointerReading {
    bool ok = false;
    int x = -1;
    int y = -1;
    int wheel = -1;
    int buttons = -1;  // bit 0 left, bit 1 right

    static constexpr int kLeft = 1;
    static constexpr int kRight = 2;
    static constexpr int kEither = kLeft | kRight;
};

// Keyboard and pointer as the program polls them, and the one way it waits. The backend feeds
// events in while it waits (pushKey, pointer*); the program thread reads them out. Both happen on
// the program thread, inside WindowBackend::wait, so no lock is needed.
class InputDevices {
  public:
    static constexpr int kRingSlots = 16;  // holds at most 15 keys

    InputDevices(WindowBackend& backend, Display& display);

    // The oldest key; no key at once when none is waiting.
    Key readKey();
    // The pointer now, but a button press that no read has seen yet comes first, at the place
    // it was made, even when its release has come since: every press is read once, however
    // short it was.
    PointerReading readPointer();
    // What readPointer() would give, leaving an unread press unread.
    PointerReading peekPointer() const;
    // The pointer and its buttons as they are now, a press already released not counted: what
    // holds the window while it is dragged.
    PointerReading heldPointer() const;
    // Puts the pointer at a place on the surface, clamped to it.
    void movePointer(Point to);
    // Shows the pointer, should anything have hidden it.
    void showPointer();
    // Below 1 ms returns at once; 1..99 ms waits that long; 100 ms or more waits in 50 ms slices
    // and returns early, before a slice, when a key has arrived.
    void pause(int ms);

    // Fed by the backends.
    void pushKey(Key key);
    void pointerMoved(int x, int y);
    void pointerButtons(int buttons);
    void pointerLeft();
    // The desktop asked the window to close (close button of a task bar, SIGTERM): queues the
    // close-request key and marks the program for an orderly exit with status 0.
    void requestClose();
    bool closeRequested() const { return closeRequested_; }
    // The connection to the display failed: the program is closed as on a close request, but
    // ends with status 1 and reports `why`.
    void displayLost(std::string why);
    const std::string& lostDisplay() const { return lostDisplay_; }

    bool pointerVisible() const { return pointerVisible_; }
    int keysWaiting() const;

  private:
    void waitOnBackend(int ms);

    WindowBackend& backend_;
    Display& display_;
    std::array<Key, kRingSlots> ring_{};
    int head_ = 0;  // next slot to read
    int tail_ = 0;  // next slot to write
    bool keyArrived_ = false;
    bool inside_ = false;
    Point position_{};
    int buttons_ = 0;
    int unreadPresses_ = 0;  // buttons pressed since the last read
    Point pressPosition_{};
    bool pointerVisible_ = true;
    bool closeRequested_ = false;
    std::string lostDisplay_;
};

}  // namespace solvara
