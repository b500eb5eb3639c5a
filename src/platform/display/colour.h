// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "platform/geometry.h"

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

// A palette entry as the VGA DAC takes it, 6-bit components packed 0x00BBGGRR, in 8-bit ones.
constexpr Rgb rgbOfPackedBgr(std::uint32_t packed) {
    auto scale = [](std::uint32_t c) { return static_cast<unsigned char>((c & 63u) * 255u / 63u); };
    return Rgb{scale(packed), scale(packed >> 8), scale(packed >> 16)};
}

// The entries start-up gives the program's own colours.
struct PaletteEntry {
    Colour colour;
    std::uint32_t packedBgr;
};
inline constexpr std::array<PaletteEntry, 4> kProgramPalette{{
    {Colour::Green, 0x002801},
    {Colour::Ivory, 0x363A3A},
    {Colour::Orange, 0x082538},
    {Colour::SeaGreen, 0x1B280C},
}};

// The program's green, in which the triangle's sides are drawn.
inline constexpr Rgb kProgramGreen = rgbOfPackedBgr(kProgramPalette[0].packedBgr);

}  // namespace solvara
