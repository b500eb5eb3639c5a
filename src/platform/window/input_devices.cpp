// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/input_devices.h"

#include <algorithm>
#include <utility>

#include "platform/display/display.h"
#include "platform/window/window_backend.h"

namespace solvara {

InputDevices::InputDevices(WindowBackend& backend, Display& display)
    : backend_(backend), display_(display) {}

Key InputDevices::readKey() {
    keyArrived_ = false;
    if (head_ == tail_) return Key();
    const Key key = ring_[head_];
    head_ = (head_ + 1) % kRingSlots;
    return key;
}

int InputDevices::keysWaiting() const {
    return (tail_ - head_ + kRingSlots) % kRingSlots;
}

void InputDevices::pushKey(Key key) {
    if (key.isNone()) return;
    const int next = (tail_ + 1) % kRingSlots;
    if (next == head_) head_ = (head_ + 1) % kRingSlots;  // full: the oldest key is dropped
    ring_[tail_] = key;
    tail_ = next;
    keyArrived_ = true;
}

PointerReading InputDevices::readPointer() {
    const PointerReading reading = peekPointer();
    unreadPresses_ = 0;
    return reading;
}

PointerReading InputDevices::peekPointer() const {
    if (unreadPresses_ != 0)
        return PointerReading{true, pressPosition_.x, pressPosition_.y, 0,
                              buttons_ | unreadPresses_};
    return heldPointer();
}

PointerReading InputDevices::heldPointer() const {
    if (!inside_) return PointerReading{};
    return PointerReading{true, position_.x, position_.y, 0, buttons_};
}

void InputDevices::movePointer(Point to) {
    position_ =
        Point{std::clamp(to.x, 0, Display::kWidth - 1), std::clamp(to.y, 0, Display::kHeight - 1)};
    inside_ = true;
    backend_.warpPointer(position_);
}

void InputDevices::showPointer() {
    if (pointerVisible_) return;
    pointerVisible_ = true;
    backend_.showPointer(true);
}

void InputDevices::pointerMoved(int x, int y) {
    position_ = Point{x, y};
    inside_ = true;
}

void InputDevices::pointerButtons(int buttons) {
    const int down = buttons & PointerReading::kEither;
    if (const int pressed = down & ~buttons_) {
        unreadPresses_ |= pressed;
        pressPosition_ = position_;
    }
    buttons_ = down;
}

void InputDevices::pointerLeft() {
    inside_ = false;
}

void InputDevices::requestClose() {
    if (!closeRequested_) pushKey(keys::kCloseRequest);
    closeRequested_ = true;
}

void InputDevices::displayLost(std::string why) {
    lostDisplay_ = std::move(why);
    requestClose();
}

void InputDevices::waitOnBackend(int ms) {
    display_.presentIfChanged();
    backend_.wait(ms, *this);
}

void InputDevices::pause(int ms) {
    if (ms < 1) return;
    if (ms < 100) {
        waitOnBackend(ms);
        return;
    }
    int remaining = ms;
    while (remaining > 50) {
        // A desktop close request ends every long wait at once, so the program leaves promptly
        // even in the middle of a flashing message.
        if (closeRequested_) return;
        if (keyArrived_) {
            keyArrived_ = false;
            return;
        }
        waitOnBackend(50);
        remaining -= 50;
    }
    waitOnBackend(remaining);
}

}  // namespace solvara
