// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/private/page_enlarger.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace solvara {
namespace {

// Each scale on each pixel size a window surface can have, for a band of rows of a page whose
// odd width leaves pairs of pixels unaligned: every pixel of the band's blocks is its palette
// entry, and the rows above and below the band keep what they held.
TEST(PageEnlarger, EveryBlockIsItsPaletteEntryAndOnlyTheBandIsWritten) {
    constexpr int kWidth = 7;
    constexpr int kHeight = 5;
    constexpr int kTop = 1;
    constexpr int kBottom = 4;
    constexpr std::uint8_t kUntouched = 0xA5;
    std::vector<std::uint8_t> page(kWidth * kHeight);
    for (std::size_t i = 0; i < page.size(); ++i)
        page[i] = static_cast<std::uint8_t>(i * 37 % 256);

    for (const Uint32 format : {SDL_PIXELFORMAT_RGB888, SDL_PIXELFORMAT_RGB24,
                                SDL_PIXELFORMAT_RGB565, SDL_PIXELFORMAT_RGB332}) {
        for (int scale = 1; scale <= 4; ++scale) {
            SCOPED_TRACE(std::string(SDL_GetPixelFormatName(format)) + " at " +
                         std::to_string(scale) + " x");
            SDL_Surface* target =
                SDL_CreateRGBSurfaceWithFormat(0, kWidth * scale, kHeight * scale, 0, format);
            ASSERT_NE(target, nullptr) << SDL_GetError();
            std::array<std::uint32_t, 256> colours{};
            for (int i = 0; i < 256; ++i)
                colours[i] = SDL_MapRGB(target->format, static_cast<Uint8>(i),
                                        static_cast<Uint8>(255 - i), static_cast<Uint8>(i * 3));
            auto* pixels = static_cast<std::uint8_t*>(target->pixels);
            std::memset(pixels, kUntouched, static_cast<std::size_t>(target->pitch) * target->h);

            enlargeRows(page.data(), kWidth, kTop, kBottom, colours, scale, target);

            const int bytes = target->format->BytesPerPixel;
            for (int y = 0; y < target->h; ++y) {
                const int pageRow = y / scale;
                const bool inBand = pageRow >= kTop && pageRow < kBottom;
                for (int x = 0; x < target->w; ++x) {
                    const std::uint8_t* at = pixels + y * target->pitch + x * bytes;
                    std::uint32_t expected = 0;
                    if (inBand) {
                        expected = colours[page[pageRow * kWidth + x / scale]];
                    } else {
                        std::memset(&expected, kUntouched, sizeof expected);
                    }
                    std::uint32_t got = 0;
                    std::memcpy(&got, at, static_cast<std::size_t>(bytes));
                    if (bytes < 4) expected &= (std::uint32_t{1} << (8 * bytes)) - 1;
                    ASSERT_EQ(got, expected) << "window pixel (" << x << ", " << y << ")";
                }
            }
            SDL_FreeSurface(target);
        }
    }
}

}  // namespace
}  // namespace solvara
