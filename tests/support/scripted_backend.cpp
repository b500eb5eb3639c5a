// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/scripted_backend.h"

#include <algorithm>

#include "platform/window/input_devices.h"

namespace solvara {

ScriptedBackend::ScriptedBackend(Size desktop, int scale) : desktop_(desktop), scale_(scale) {}

bool ScriptedBackend::openWindow(Size size, std::string&) {
    ++openCalls_;
    if (!windowOpen_) {
        windowSize_ = Size{size.width * scale_, size.height * scale_};
        position_ = Point{(desktop_.width - windowSize_.width) / 2,
                          (desktop_.height - windowSize_.height) / 2};
        windowOpen_ = true;
        ++windowsCreated_;
    }
    return true;
}

std::vector<Monitor> ScriptedBackend::monitors() {
    const Area all{Point{0, 0}, desktop_};
    return {Monitor{all, all, true}};
}

void ScriptedBackend::moveWindow(Point topLeft) {
    position_ = topLeft;
    if (onMove) onMove(now_, topLeft);
}

void ScriptedBackend::present(const std::uint8_t* pixels, Size size,
                              const std::array<Rgb, 256>& palette) {
    ++presentCount_;
    if (onPresent) onPresent(now_, pixels, size, palette);
}

void ScriptedBackend::warpPointer(Point position) {
    warps_.push_back(position);
    placePointer(Point{position.x * scale_, position.y * scale_});
}

void ScriptedBackend::placePointer(Point inWindow) {
    pointerInWindow_ = inWindow;
    desktopPointer_ = Point{position_.x + inWindow.x, position_.y + inWindow.y};
}

void ScriptedBackend::schedule(Event event) {
    // Stable: events due at the same time keep the order they were scripted in.
    auto at = std::upper_bound(script_.begin(), script_.end(), event.at,
                               [](std::uint64_t t, const Event& e) { return t < e.at; });
    script_.insert(at, event);
}

void ScriptedBackend::keyAt(std::uint64_t atMs, Key key) {
    schedule({atMs, Kind::Key, key.code(), 0});
}
void ScriptedBackend::pointerAt(std::uint64_t atMs, int x, int y) {
    schedule({atMs, Kind::Move, x, y});
}
void ScriptedBackend::pointerOnDesktopAt(std::uint64_t atMs, int x, int y) {
    schedule({atMs, Kind::DesktopMove, x, y});
}
void ScriptedBackend::buttonsAt(std::uint64_t atMs, int buttons) {
    schedule({atMs, Kind::Buttons, buttons, 0});
}
void ScriptedBackend::leaveAt(std::uint64_t atMs) {
    schedule({atMs, Kind::Leave, 0, 0});
}
void ScriptedBackend::closeAt(std::uint64_t atMs) {
    schedule({atMs, Kind::Close, 0, 0});
}

void ScriptedBackend::pointerIsAt(Point inWindow, InputDevices& input) {
    placePointer(inWindow);
    input.pointerMoved(inWindow.x / scale_, inWindow.y / scale_);
}

bool ScriptedBackend::deliverDue(InputDevices& input) {
    while (!script_.empty() && script_.front().at <= now_) {
        const Event e = script_.front();
        script_.pop_front();
        switch (e.kind) {
            case Kind::Key:
                input.pushKey(Key::fromCode(e.a));
                break;
            case Kind::Move:
                pointerIsAt(Point{e.a * scale_, e.b * scale_}, input);
                break;
            case Kind::DesktopMove:
                pointerIsAt(Point{e.a - position_.x, e.b - position_.y}, input);
                break;
            case Kind::Buttons: {
                const bool pressed = (e.a & ~buttons_) != 0;
                buttons_ = e.a;
                input.pointerButtons(e.a);
                if (pressed) return false;
                break;
            }
            case Kind::Leave:
                input.pointerLeft();
                break;
            case Kind::Close:
                input.requestClose();
                break;
        }
    }
    return true;
}

void ScriptedBackend::wait(int ms, InputDevices& input) {
    // Events that fall inside the wait arrive at their own time, so that a pause can notice a
    // key that came during it.
    const std::uint64_t end = now_ + static_cast<std::uint64_t>(std::max(ms, 0));
    bool goOn = deliverDue(input);
    while (goOn && !script_.empty() && script_.front().at <= end) {
        now_ = std::max(now_, script_.front().at);
        goOn = deliverDue(input);
    }
    now_ = end;
    if (now_ >= timeLimit_) input.requestClose();
    if (onWait) onWait(now_);
}

}  // namespace solvara
