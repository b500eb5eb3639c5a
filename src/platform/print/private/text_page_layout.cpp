// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/text_page_layout.h"

#include <algorithm>
#include <array>

namespace solvara {

TextPageLayout::TextPageLayout(int columns, int lines)
    : columns_(std::max(columns, 1)), lines_(std::max(lines, 1)) {}

void TextPageLayout::write(std::string_view bytes) {
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        switch (byte) {
            case 7:  // bell
                ++bells_;
                break;
            case 8:  // backspace
                if (column_ > 0) --column_;
                break;
            case 9:  // tab: at least one blank, up to the next multiple of 8
                do {
                    put(' ');
                } while (column_ % 8 != 0);
                break;
            case 10:  // line feed
                newLine();
                break;
            case 12:  // form feed
                if (!pageOpen_) {
                    page_.lines.assign(lines_, std::string(columns_, ' '));
                    pageOpen_ = true;
                }
                endPage();
                line_ = 0;
                break;
            case 13:  // carriage return
                column_ = 0;
                break;
            default:
                put(byte);
                break;
        }
    }
}

void TextPageLayout::finish() {
    if (pageOpen_) endPage();
}

void TextPageLayout::put(unsigned char byte) {
    if (!pageOpen_) {
        page_.lines.assign(lines_, std::string(columns_, ' '));
        pageOpen_ = true;
    }
    page_.lines[line_][column_] = static_cast<char>(byte);
    if (++column_ >= columns_) newLine();
}

void TextPageLayout::newLine() {
    column_ = 0;
    if (++line_ < lines_) return;
    // The page is full: the next character starts a new one at the top.
    line_ = 0;
    if (pageOpen_) endPage();
}

void TextPageLayout::endPage() {
    pages_.push_back(std::move(page_));
    page_ = TextPage{};
    pageOpen_ = false;
}

char32_t cp437ToUnicode(unsigned char byte) {
    static constexpr std::array<char16_t, 32> kLow = {
        u' ',      u'\u263A', u'\u263B', u'\u2665', u'\u2666', u'\u2663', u'\u2660', u'\u2022',
        u'\u25D8', u'\u25CB', u'\u25D9', u'\u2642', u'\u2640', u'\u266A', u'\u266B', u'\u263C',
        u'\u25BA', u'\u25C4', u'\u2195', u'\u203C', u'\u00B6', u'\u00A7', u'\u25AC', u'\u21A8',
        u'\u2191', u'\u2193', u'\u2192', u'\u2190', u'\u221F', u'\u2194', u'\u25B2', u'\u25BC'};
    static constexpr std::array<char16_t, 128> kHigh = {
        // 0x80
        0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8,
        0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
        // 0x90
        0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6, 0x00DC,
        0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
        // 0xA0
        0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC,
        0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
        // 0xB0
        0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551,
        0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
        // 0xC0
        0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569,
        0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
        // 0xD0
        0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
        0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
        // 0xE0
        0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9,
        0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
        // 0xF0
        0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7,
        0x221A, 0x207F, 0x00B2, 0x25A0, 0x0020};
    if (byte < 32) return kLow[byte];
    if (byte == 127) return U'\u2302';
    if (byte < 128) return byte;
    return kHigh[byte - 128];
}

std::string cp437ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char c : bytes) {
        const char32_t u = cp437ToUnicode(static_cast<unsigned char>(c));
        if (u < 0x80) {
            out += static_cast<char>(u);
        } else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

}  // namespace solvara
