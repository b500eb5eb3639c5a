// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>

namespace solvara {

// Palette indexes by the names of the colours the screens use. Entries 0 to 15 are the VGA text
// colours; start-up replaces 2, 5, 10 and 13 with the program's own green, ivory, orange and sea
// green. Any other index can be named as Colour{n}.
enum class Colour : std::uint8_t {
    Black = 0,
    Blue = 1,
    Green = 2,
    Cyan = 3,
    Red = 4,
    Ivory = 5,
    Brown = 6,
    LightGrey = 7,
    DarkGrey = 8,
    LightBlue = 9,
    Orange = 10,
    LightRed = 12,
    SeaGreen = 13,
    White = 15,
};

// Every screen is drawn on white, and all text is printed on it.
inline constexpr Colour kBackground = Colour::White;

constexpr int paletteIndex(Colour c) {
    return static_cast<int>(c);
}

}  // namespace solvara
