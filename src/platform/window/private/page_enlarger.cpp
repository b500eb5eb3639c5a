// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/private/page_enlarger.h"

#include <SDL.h>

#include <cstddef>
#include <cstring>
#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace solvara {

namespace {

// The window surface is read by the X server as soon as it is written, never by this program, so
// where the processor allows its pixels go straight to memory (non-temporal stores): they neither
// read the lines they fill into the cache first nor push the page out of it. At 2 x that halves
// the memory traffic of an enlargement and takes a third off a full present.
#if defined(__x86_64__)
inline void storePair(std::uint8_t* to, std::uint64_t pair) {
    _mm_stream_si64(reinterpret_cast<long long*>(to), static_cast<long long>(pair));
}
inline void storeOne(std::uint8_t* to, std::uint32_t pixel) {
    _mm_stream_si32(reinterpret_cast<int*>(to), static_cast<int>(pixel));
}
inline void storesDone() {
    _mm_sfence();
}
#else
inline void storePair(std::uint8_t* to, std::uint64_t pair) {
    std::memcpy(to, &pair, 8);
}
inline void storeOne(std::uint8_t* to, std::uint32_t pixel) {
    std::memcpy(to, &pixel, 4);
}
inline void storesDone() {}
#endif

// Surfaces of 4-byte pixels, the usual kind, with the scale known to the compiler. The N rows of
// a block are written side by side from the page: a copy of the first would read it back from
// memory.
template <int N>
void enlargeRows32(const std::uint8_t* page, int width, int top, int bottom,
                   const std::array<std::uint32_t, 256>& colours, SDL_Surface* target) {
    constexpr int kBytes = 4 * N;  // of one page pixel in one row
    auto* pixels = static_cast<std::uint8_t*>(target->pixels);
    const std::ptrdiff_t pitch = target->pitch;
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* from = page + static_cast<std::ptrdiff_t>(y) * width;
        std::uint8_t* block = pixels + static_cast<std::ptrdiff_t>(y) * N * pitch;
        for (int x = 0; x < width; ++x, block += kBytes) {
            const std::uint32_t colour = colours[from[x]];
            const std::uint64_t pair = colour | std::uint64_t{colour} << 32;
            for (int k = 0; k < N; ++k) {
                std::uint8_t* out = block + k * pitch;
                for (int j = 0; j + 1 < N; j += 2, out += 8)
                    storePair(out, pair);
                if constexpr (N % 2 == 1) storeOne(out, colour);
            }
        }
    }
    storesDone();
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
