// SPDX-License-Identifier: GPL-2.0-or-later
// The platform's shared vocabulary: points, sizes, rectangles and colours as RGB.
#pragma once

namespace solvara {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle by its corner pixels, as a box is drawn: both corners belong to the drawn outline.
// As a hit region it is the inside of that outline (bounds exclusive), so a click on the drawn
// frame itself does not count.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr bool containsInside(Point p) const {
        return left < p.x && p.x < right && top < p.y && p.y < bottom;
    }
    // The same rectangle with each side moved `px` pixels outwards.
    constexpr Rect grownBy(int px) const {
        return Rect{left - px, top - px, right + px, bottom + px};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace solvara
