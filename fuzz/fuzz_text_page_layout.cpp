// SPDX-License-Identifier: GPL-2.0-or-later
// The text printer's page layout of arbitrary bytes on a page of arbitrary size.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/print/private/text_page_layout.h"

using namespace solvara;

namespace {
void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_text_page_layout: %s\n", what);
        std::abort();
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    // Sizes from below one (kept at one) to a wide page.
    const int columns = static_cast<int>(data[0]) - 8;
    const int lines = static_cast<int>(data[1]) - 8;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 2), size - 2);

    TextPageLayout layout(columns, lines);
    // In two parts, as the device receives separate writes.
    const std::size_t half = bytes.size() / 2;
    layout.write(bytes.substr(0, half));
    layout.write(bytes.substr(half));
    layout.finish();
    check(!layout.pageOpen(), "a page is open after finish");

    const std::size_t wantColumns = static_cast<std::size_t>(std::max(columns, 1));
    const std::size_t wantLines = static_cast<std::size_t>(std::max(lines, 1));
    for (const TextPage& page : layout.pages()) {
        check(page.lines.size() == wantLines, "a page with the wrong number of lines");
        for (const std::string& line : page.lines)
            check(line.size() == wantColumns, "a line not padded to the width");
    }
    // Without carriage returns and backspaces nothing is written over, so every byte that is
    // not a control byte has a cell of its own.
    if (bytes.find_first_of(std::string_view("\b\r", 2)) == std::string_view::npos) {
        std::size_t printable = 0;
        for (const char c : bytes) {
            const auto b = static_cast<unsigned char>(c);
            if (b != 7 && b != 9 && b != 10 && b != 12) ++printable;
        }
        check(layout.pages().size() * wantColumns * wantLines >= printable, "bytes were lost");
    }

    const std::string utf8 = cp437ToUtf8(bytes);
    check(utf8.size() >= bytes.size(), "the UTF-8 text is shorter than its bytes");
    return 0;
}
