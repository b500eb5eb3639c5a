// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/bmp_writer.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>
#include <vector>

#include "platform/display/display.h"

namespace solvara {

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
constexpr int kPaletteEntries = 256;
constexpr int kPixelOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteEntries * 4;  // 1078
constexpr int kPixelsPerMetre = 2834;  // 72 dots per inch

// Little-endian fields, written byte by byte so that the file does not depend on the host.
class ByteWriter {
  public:
    explicit ByteWriter(std::uint8_t* out) : out_(out) {}
    void u8(std::uint32_t v) { *out_++ = static_cast<std::uint8_t>(v); }
    void u16(std::uint32_t v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v);
        u16(v >> 16);
    }

  private:
    std::uint8_t* out_;
};

bool writeAll(std::FILE* file, const std::uint8_t* data, std::size_t size) {
    return std::fwrite(data, 1, size, file) == size;
}

}  // namespace

BmpWriter::Result BmpWriter::savePage(const Display& display, const std::string& path) {
    return savePage(display, display.workPage(), path);
}

BmpWriter::Result BmpWriter::savePage(const Display& display, int page, const std::string& path) {
    const std::uint8_t* pixels = display.pageData(page);
    if (!pixels) return Result::BadPage;

    constexpr int width = Display::kWidth;
    constexpr int height = Display::kHeight;
    constexpr int stride = (width + 3) / 4 * 4;
    constexpr std::uint32_t imageSize = static_cast<std::uint32_t>(stride) * height;

    // The row buffer comes first, so that running out of memory leaves no half-written file.
    std::vector<std::uint8_t> row;
    try {
        row.assign(stride, 0);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return Result::CannotCreate;

    std::array<std::uint8_t, kFileHeaderSize + kInfoHeaderSize> header{};
    ByteWriter h(header.data());
    h.u8('B');
    h.u8('M');
    h.u32(kPixelOffset + imageSize);  // file size
    h.u16(0);                         // reserved
    h.u16(0);                         // reserved
    h.u32(kPixelOffset);
    h.u32(kInfoHeaderSize);
    h.u32(static_cast<std::uint32_t>(width));
    h.u32(static_cast<std::uint32_t>(height));  // positive: rows stored bottom-up
    h.u16(1);                                   // planes
    h.u16(8);                                   // bits per pixel
    h.u32(0);                                   // no compression
    h.u32(imageSize);
    h.u32(kPixelsPerMetre);
    h.u32(kPixelsPerMetre);
    h.u32(kPaletteEntries);  // colours used
    h.u32(kPaletteEntries);  // important colours

    std::array<std::uint8_t, kPaletteEntries * 4> table{};
    ByteWriter t(table.data());
    for (const Rgb& c : display.palette()) {
        t.u8(c.b);
        t.u8(c.g);
        t.u8(c.r);
        t.u8(0);
    }

    bool ok =
        writeAll(file, header.data(), header.size()) && writeAll(file, table.data(), table.size());
    for (int y = height - 1; ok && y >= 0; --y) {
        const std::uint8_t* source = pixels + static_cast<std::size_t>(y) * width;
        std::copy(source, source + width, row.begin());  // the padding bytes stay zero
        ok = writeAll(file, row.data(), row.size());
    }
    // Closing flushes the last buffered bytes, so its failure is a failed write too.
    if (std::fclose(file) != 0) ok = false;
    return ok ? Result::Ok : Result::WriteFailed;
}

}  // namespace solvara
