// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/private/page_enlarger.h"

#include <SDL.h>

#include <cstddef>
#include <cstring>

namespace solvara {

namespace {

// Surfaces of 4-byte pixels, the usual kind, with the scale known to the compiler.
template <int N>
void enlargeRows32(const std::uint8_t* page, int width, int top, int bottom,
                   const std::array<std::uint32_t, 256>& colours, SDL_Surface* target) {
    auto* pixels = static_cast<std::uint8_t*>(target->pixels);
    const std::size_t rowBytes = sizeof(std::uint32_t) * static_cast<std::size_t>(width) * N;
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* from = page + static_cast<std::ptrdiff_t>(y) * width;
        std::uint8_t* first = pixels + static_cast<std::ptrdiff_t>(y) * N * target->pitch;
        auto* out = reinterpret_cast<std::uint32_t*>(first);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t colour = colours[from[x]];
            for (int k = 0; k < N; ++k)
                *out++ = colour;
        }
        for (int k = 1; k < N; ++k)
            std::memcpy(first + static_cast<std::ptrdiff_t>(k) * target->pitch, first, rowBytes);
    }
}

// The same for surfaces of 1, 2 or 3 bytes a pixel, which X servers rarely have.
void enlargeRowsAnyDepth(const std::uint8_t* page, int width, int top, int bottom,
                         const std::array<std::uint32_t, 256>& colours, int scale,
                         SDL_Surface* target) {
    const int bytes = target->format->BytesPerPixel;
    // The pixel value's bytes as they lie in memory.
    const int skip = SDL_BYTEORDER == SDL_BIG_ENDIAN ? 4 - bytes : 0;
    auto* pixels = static_cast<std::uint8_t*>(target->pixels);
    const std::size_t rowBytes = static_cast<std::size_t>(bytes) * width * scale;
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* from = page + static_cast<std::ptrdiff_t>(y) * width;
        std::uint8_t* first = pixels + static_cast<std::ptrdiff_t>(y) * scale * target->pitch;
        std::uint8_t* out = first;
        for (int x = 0; x < width; ++x) {
            const auto* colour = reinterpret_cast<const std::uint8_t*>(&colours[from[x]]) + skip;
            for (int k = 0; k < scale; ++k, out += bytes)
                std::memcpy(out, colour, static_cast<std::size_t>(bytes));
        }
        for (int k = 1; k < scale; ++k)
            std::memcpy(first + static_cast<std::ptrdiff_t>(k) * target->pitch, first, rowBytes);
    }
}

}  // namespace

void enlargeRows(const std::uint8_t* page, int width, int top, int bottom,
                 const std::array<std::uint32_t, 256>& colours, int scale, SDL_Surface* target) {
    if (target->format->BytesPerPixel != 4)
        enlargeRowsAnyDepth(page, width, top, bottom, colours, scale, target);
    else if (scale == 1)
        enlargeRows32<1>(page, width, top, bottom, colours, target);
    else if (scale == 2)
        enlargeRows32<2>(page, width, top, bottom, colours, target);
    else if (scale == 3)
        enlargeRows32<3>(page, width, top, bottom, colours, target);
    else
        enlargeRows32<4>(page, width, top, bottom, colours, target);
}

}  // namespace solvara
