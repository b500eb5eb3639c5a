// SPDX-License-Identifier: GPL-2.0-or-later
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

struct Rgb {
    unsigned char r = 0;
    unsigned char g = 0;
    unsigned char b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

}  // namespace solvara
