// SPDX-License-Identifier: GPL-2.0-or-later
#include <array>
#include <cstdint>

#include "platform/display/display.h"

namespace solvara {

namespace {

struct Dac {
    std::uint8_t r, g, b;  // 6-bit DAC components, 0..63
};

// The 16 text colours.
constexpr std::array<Dac, 16> kTextColours = {{
    {0, 0, 0},
    {0, 0, 42},
    {0, 42, 0},
    {0, 42, 42},  // black, blue, green, cyan
    {42, 0, 0},
    {42, 0, 42},
    {42, 21, 0},
    {42, 42, 42},  // red, magenta, brown, light grey
    {21, 21, 21},
    {21, 21, 63},
    {21, 63, 21},
    {21, 63, 63},  // dark grey, light blue, ...
    {63, 21, 21},
    {63, 21, 63},
    {63, 63, 21},
    {63, 63, 63},  // ..., yellow, white
}};

// Entries 16..31: a grey ramp.
constexpr std::array<std::uint8_t, 16> kGreys = {0,  5,  8,  11, 14, 17, 20, 24,
                                                 28, 32, 36, 40, 45, 50, 56, 63};

// Entries 32..247: nine blocks of 24 hues (three intensities, each at three saturations). Each
// block walks the colour wheel using five component levels, from its low level 0 to its high
// level 4: blue, magenta, red, yellow, green, cyan and back towards blue.
constexpr std::array<std::array<std::uint8_t, 5>, 9> kBlockLevels = {{
    {0, 16, 31, 47, 63},   // high intensity, high saturation
    {31, 39, 47, 55, 63},  // high intensity, medium saturation
    {45, 49, 54, 58, 63},  // high intensity, low saturation
    {0, 7, 14, 21, 28},    // medium intensity
    {14, 17, 21, 24, 28},
    {20, 22, 24, 26, 28},
    {0, 4, 8, 12, 16},  // low intensity
    {8, 10, 12, 14, 16},
    {11, 12, 13, 15, 16},
}};

// The walk around the wheel as level numbers (red, green, blue) for the 24 hues of a block.
constexpr std::array<std::array<std::uint8_t, 3>, 24> kHueWalk = {{
    {0, 0, 4}, {1, 0, 4}, {2, 0, 4}, {3, 0, 4},  // blue towards magenta
    {4, 0, 4}, {4, 0, 3}, {4, 0, 2}, {4, 0, 1},  // magenta towards red
    {4, 0, 0}, {4, 1, 0}, {4, 2, 0}, {4, 3, 0},  // red towards yellow
    {4, 4, 0}, {3, 4, 0}, {2, 4, 0}, {1, 4, 0},  // yellow towards green
    {0, 4, 0}, {0, 4, 1}, {0, 4, 2}, {0, 4, 3},  // green towards cyan
    {0, 4, 4}, {0, 3, 4}, {0, 2, 4}, {0, 1, 4},  // cyan towards blue
}};

constexpr unsigned char scale6to8(std::uint8_t c) {
    return static_cast<unsigned char>(c * 255 / 63);
}

constexpr Rgb toRgb(Dac d) {
    return Rgb{scale6to8(d.r), scale6to8(d.g), scale6to8(d.b)};
}

std::array<Rgb, 256> buildPalette() {
    std::array<Rgb, 256> p{};  // 248..255 stay black
    for (std::size_t i = 0; i < kTextColours.size(); ++i)
        p[i] = toRgb(kTextColours[i]);
    for (std::size_t i = 0; i < kGreys.size(); ++i)
        p[16 + i] = toRgb(Dac{kGreys[i], kGreys[i], kGreys[i]});
    for (std::size_t block = 0; block < kBlockLevels.size(); ++block) {
        const auto& level = kBlockLevels[block];
        for (std::size_t hue = 0; hue < kHueWalk.size(); ++hue) {
            const auto& walk = kHueWalk[hue];
            p[32 + block * 24 + hue] = toRgb(Dac{level[walk[0]], level[walk[1]], level[walk[2]]});
        }
    }
    return p;
}

}  // namespace

const std::array<Rgb, 256>& defaultVgaPalette() {
    static const std::array<Rgb, 256> palette = buildPalette();
    return palette;
}

}  // namespace solvara
