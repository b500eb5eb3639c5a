// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>
#include <cstdint>

struct SDL_Surface;

namespace solvara {

// Writes rows [top, bottom) of a page of palette indexes, `width` bytes a row, into `target`,
// each page pixel a scale x scale block: `colours` are the palette's entries as pixel values of
// the target's format. One pass over the page, writing the rows of each block side by side and
// only once. The target must be locked if it needs it, and large enough.
void enlargeRows(const std::uint8_t* page, int width, int top, int bottom,
                 const std::array<std::uint32_t, 256>& colours, int scale, SDL_Surface* target);

}  // namespace solvara
