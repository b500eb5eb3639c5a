// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <span>

#include "platform/geometry.h"

namespace solvara {

// A part of the desktop in desktop pixels: its top-left pixel and its size. Monitors need not
// start at 0, 0: one left of or above the primary monitor has negative or offset origins.
struct Area {
    Point origin{};
    Size size{};

    int right() const { return origin.x + size.width; }    // the first column past it
    int bottom() const { return origin.y + size.height; }  // the first row past it
    bool empty() const { return size.width <= 0 || size.height <= 0; }
    // The part both have in common; empty when they do not meet.
    Area intersectedWith(const Area& other) const;
    friend bool operator==(const Area&, const Area&) = default;
};

// One monitor as the desktop describes it: where it lies, the part of it that panels and docks
// leave to windows, and whether the desktop calls it the primary one.
struct Monitor {
    Area bounds{};
    Area usable{};
    bool primary = false;
    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The choices below take the desktop's list of monitors and never compute with a desktop that
// starts at 0, 0. None of them asks the desktop anything.

// The monitor a window opens on: the one marked primary, else the first listed. Nothing when the
// list is empty.
const Monitor* primaryMonitor(std::span<const Monitor> monitors);

// The monitor holding the larger part of `window`, the first of equals; the primary one when the
// window lies on none.
const Monitor* monitorHolding(std::span<const Monitor> monitors, const Area& window);

// The top-left corner that puts a window of `window` size in the middle of `area`, halves
// rounded down. A window larger than the area is put at its top or left edge instead, so that the
// title bar and the close blocks stay where they can be reached.
Point centredIn(const Area& area, Size window);

// `corner` moved as little as needed to keep a window of `window` size whole inside `area`;
// where it cannot be whole, its top-left part is kept.
Point keptInside(const Area& area, Size window, Point corner);

// The largest enlargement from `wanted` down to 1 at which the page fits inside `usable`; 1 when
// even the page itself does not fit.
int largestScaleFitting(Size page, Size usable, int wanted);

}  // namespace solvara
