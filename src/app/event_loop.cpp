// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/event_loop.h"

#include <cstdlib>

#include "app/placement.h"
#include "platform/window/input_devices.h"
#include "platform/window/window_backend.h"

namespace solvara {

namespace {

// A drag step larger than this between the two reads counts as no movement on that axis.
constexpr int kLargestDragStepPx = 200;
// The drag test reads the pointer twice, this far apart.
constexpr int kDragReadsApartMs = 5;

bool leftHeld(const PointerReading& p) {
    return p.ok && (p.buttons & PointerReading::kLeft) != 0;
}

}  // namespace

const LoopTable kMainLoop{
    .pauseMs = 10,
    .decideKey = [](Key key, const LoopContext& c) { return decideMainKey(key, c.mode); },
    .decideClick = [](Point click, const LoopContext& c) { return decideMainClick(click, c.mode); },
    .keyShowsPointer = false,
    .cycle = Step::MainLoop,
    .drag = Step::MainDrag,
    .click = Step::MainClick,
};

const LoopTable kResultsLoop{
    .pauseMs = 20,
    .decideKey = [](Key key, const LoopContext& c) { return decideResultsKey(key, c.results); },
    .decideClick = [](Point click,
                      const LoopContext& c) { return decideResultsClick(click, c.results); },
    .keyShowsPointer = true,
    .cycle = Step::ResultsCycle,
    .drag = Step::ResultsDrag,
    .click = Step::ResultsClick,
};

const LoopTable& loopTableOf(Step step) {
    const bool main = step == kMainLoop.cycle || step == kMainLoop.drag || step == kMainLoop.click;
    return main ? kMainLoop : kResultsLoop;
}

LoopPointer::LoopPointer(WindowBackend& backend, Display& display, InputDevices& input,
                         Placement& placement)
    : backend_(backend), display_(display), input_(input), placement_(placement) {}

bool LoopPointer::readClick() {
    const PointerReading p = input_.readPointer();
    if (p.ok) {
        position_ = Point{p.x, p.y};
        buttons_ = p.buttons;
    } else {
        buttons_ = 0;
    }
    return (buttons_ & PointerReading::kEither) != 0;
}

void LoopPointer::forgetClick() {
    position_ = Point{};
    buttons_ = 0;
}

bool LoopPointer::dragOnce() {
    // Where the desktop drags the window itself, a press on the title row never reaches the
    // program, and the program could not move the window anyway.
    if (!placement_.placeable) return false;
    // The window follows the pointer on the desktop: it goes where the point of the title row
    // it was taken by lies under the pointer, so motion the desktop saw while the window moved
    // is caught up and none is lost, however the window manager delays the moves. The pointer is
    // read twice, 5 ms apart, and a press seen by either read starts the drag where it was made;
    // a jump of more than 200 pixels between the two reads is no movement on that axis: the
    // window stays and follows the pointer from there.
    const auto heldOnDragArea = [](const PointerReading& p) {
        return leftHeld(p) && onDragArea(Point{p.x, p.y});
    };
    const PointerReading first = input_.heldPointer();
    if (!grip_ && heldOnDragArea(first)) grip_ = backend_.pointerInWindow();
    // The desktop is asked only while a drag goes on: each question is a round trip to the
    // X server, which the idle loop need not pay.
    std::optional<Point> before;
    if (grip_) before = backend_.pointerOnDesktop();
    input_.pause(kDragReadsApartMs);
    const PointerReading second = input_.heldPointer();
    if (!grip_) {
        if (!heldOnDragArea(second)) return false;
        grip_ = backend_.pointerInWindow();
    }
    const Point now = backend_.pointerOnDesktop();
    const Point from = before.value_or(now);
    if (std::abs(now.x - from.x) > kLargestDragStepPx) grip_->x += now.x - from.x;
    if (std::abs(now.y - from.y) > kLargestDragStepPx) grip_->y += now.y - from.y;
    const Point to{now.x - grip_->x, now.y - grip_->y};
    if (to != placement_.windowPos) moveWindowTo(display_, placement_, to);
    // The motion up to the release is followed; then the drag is over.
    if (leftHeld(second)) return true;
    grip_.reset();
    return false;
}

}  // namespace solvara
