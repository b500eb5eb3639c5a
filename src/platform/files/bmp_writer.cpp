// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/bmp_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>
#include <string>
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

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// A new file beside `path`, in the same directory so that a rename can put it in path's place,
// made with the permissions a new file gets there (0666 less the umask). -1 when none can be.
int createBeside(const std::filesystem::path& path, std::filesystem::path& created) {
    std::string stem = ".";
    stem += path.filename().string();
    stem += '.';
    stem += std::to_string(getpid());
    stem += '.';
    // Names left by an earlier process that ended midway are passed over.
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = path.parent_path() / (stem + std::to_string(attempt));
        const int fd = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
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

    // The whole file is made in memory first, so that running out of memory leaves no
    // half-written file.
    std::vector<std::uint8_t> file;
    try {
        file.assign(kPixelOffset + imageSize, 0);
    } catch (const std::bad_alloc&) {
        return Result::NoMemory;
    }

    ByteWriter h(file.data());
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

    ByteWriter t(file.data() + kFileHeaderSize + kInfoHeaderSize);
    for (const Rgb& c : display.palette()) {
        t.u8(c.b);
        t.u8(c.g);
        t.u8(c.r);
        t.u8(0);
    }

    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = pixels + static_cast<std::size_t>(y) * width;
        // The padding bytes of each row stay zero.
        std::copy(
            source, source + width,
            file.begin() + kPixelOffset + static_cast<std::ptrdiff_t>(height - 1 - y) * stride);
    }

    // The picture is written whole to a file of its own and on the disk before it takes the
    // name: a write that fails midway (a full disk) leaves the old picture as it was, and a
    // symbolic link of that name is replaced, not written through.
    std::filesystem::path temporary;
    const int fd = createBeside(path, temporary);
    if (fd < 0) return Result::CannotCreate;
    bool ok = writeAll(fd, file.data(), file.size()) && ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok && ::rename(temporary.c_str(), path.c_str()) == 0) return Result::Ok;
    ::unlink(temporary.c_str());
    return Result::WriteFailed;
}

}  // namespace solvara
