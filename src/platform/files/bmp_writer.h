// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace solvara {

class Display;

// Writes a page of the display, with its current palette, as an uncompressed 8-bit BMP picture
// (312130 bytes for the 643 x 483 surface, rows bottom-up, each padded to 644 bytes). A file of
// that name is replaced only by a whole picture: after a failure it is as it was.
class BmpWriter {
  public:
    enum class Result {
        Ok = 0,
        BadPage = 1,       // the page has no valid size or depth
        CannotCreate = 2,  // no file can be created in its directory
        WriteFailed = 3,   // writing, or putting the picture in the file's place, failed
        NoMemory = 4,      // for the picture
    };

    // The work page.
    static Result savePage(const Display& display, const std::string& path);
    static Result savePage(const Display& display, int page, const std::string& path);
};

}  // namespace solvara
