// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace solvara {

class Display;

// Writes a page of the display, with its current palette, as an uncompressed 8-bit BMP picture
// (312130 bytes for the 643 x 483 surface, rows bottom-up, each padded to 644 bytes).
class BmpWriter {
  public:
    static constexpr int kOk = 0;
    static constexpr int kBadPage = 1;
    static constexpr int kCannotCreate = 2;
    static constexpr int kWriteFailed = 3;
    static constexpr int kNoMemory = 4;

    // The work page.
    static int savePage(const Display& display, const std::string& path);
    static int savePage(const Display& display, int page, const std::string& path);
};

}  // namespace solvara
