// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace solvara {

class Display;

// Writes a page of the display, with its current palette, as an uncompressed 8-bit BMP picture
// (312130 bytes for the 643 x 483 surface, rows bottom-up, each padded to 644 bytes).
class BmpWriter {
  public:
    enum class Result {
        Ok = 0,
        BadPage = 1,       // the page has no valid size or depth
        CannotCreate = 2,  // the file cannot be created
        WriteFailed = 3,
        NoMemory = 4,  // for the row buffer
    };

    // The work page.
    static Result savePage(const Display& display, const std::string& path);
    static Result savePage(const Display& display, int page, const std::string& path);
};

}  // namespace solvara
