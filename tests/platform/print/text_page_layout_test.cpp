// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/text_page_layout.h"

#include <gtest/gtest.h>

namespace solvara {
namespace {

// The lines of a page with trailing blanks dropped, and trailing empty lines dropped.
std::vector<std::string> trimmedLines(const TextPage& page) {
    std::vector<std::string> out;
    for (const auto& line : page.lines)
        out.push_back(line.substr(0, line.find_last_not_of(' ') + 1));
    while (!out.empty() && out.back().empty())
        out.pop_back();
    return out;
}

using Lines = std::vector<std::string>;

TEST(TextPageLayout, TerminalRulesOnOnePage) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines expected;
    };
    const Case cases[] = {
        {"lines end with CR LF", "ab\r\ncd\r\n", {"ab", "cd"}},
        {"empty lines advance", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"line feed also returns to the left", "ab\ncd", {"ab", "cd"}},
        {"carriage return overwrites", "abcd\rXY", {"XYcd"}},
        {"tab to the next multiple of 8, wrapping at the edge",
         "a\tb\r\n12345678\tc\r\n\td",
         {"a       b", "12345678", "c", "        d"}},
        {"backspace overstrikes", "ab\bX", {"aX"}},
        {"backspace stops at the left edge", "\b\bQ", {"Q"}},
        {"bell draws nothing", "a\ab", {"ab"}},
        {"full line wraps", "0123456789AB", {"0123456789", "AB"}},
        {"wrap then CR LF leaves an empty line", "0123456789\r\nx", {"0123456789", "", "x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TextPageLayout layout(10, 6);
        layout.write(c.bytes);
        layout.finish();
        ASSERT_EQ(layout.pages().size(), 1u);
        EXPECT_EQ(trimmedLines(layout.pages()[0]), c.expected);
        EXPECT_EQ(layout.pages()[0].lines.size(), 6u);
    }
}

TEST(TextPageLayout, BellsAreCounted) {
    TextPageLayout layout(10, 6);
    layout.write("\a\a");
    layout.finish();
    EXPECT_EQ(layout.bells(), 2);
    EXPECT_TRUE(layout.pages().empty());
}

TEST(TextPageLayout, PagesStartWithTheFirstCharacter) {
    TextPageLayout layout(10, 6);
    layout.write("\r\n\r\n\t\b");
    // The tab's blanks are characters: they open a page, though nothing shows.
    EXPECT_TRUE(layout.pageOpen());
    layout.finish();
    ASSERT_EQ(layout.pages().size(), 1u);

    TextPageLayout empty(10, 6);
    empty.write("\r\n\r\n\b\a");
    empty.finish();
    EXPECT_TRUE(empty.pages().empty()) << "only moves: no page";
}

TEST(TextPageLayout, FormFeedEndsThePage) {
    TextPageLayout layout(10, 6);
    layout.write("one\fab");
    layout.finish();
    ASSERT_EQ(layout.pages().size(), 2u);
    EXPECT_EQ(trimmedLines(layout.pages()[0]), Lines{"one"});
    // The next character goes to the top of the new page, in the column where it was.
    EXPECT_EQ(trimmedLines(layout.pages()[1]), Lines{"   ab"});

    TextPageLayout alone(10, 6);
    alone.write("\f\f");
    alone.finish();
    ASSERT_EQ(alone.pages().size(), 2u) << "each form feed alone gives an empty page";
    EXPECT_TRUE(trimmedLines(alone.pages()[1]).empty());
}

TEST(TextPageLayout, OverflowContinuesOnANewPage) {
    TextPageLayout layout(10, 3);
    layout.write("1\r\n2\r\n3\r\n");
    EXPECT_EQ(layout.pages().size(), 1u) << "the third line feed ends the full page";
    EXPECT_FALSE(layout.pageOpen());
    layout.write("4\r\n");
    layout.finish();
    ASSERT_EQ(layout.pages().size(), 2u);
    EXPECT_EQ(trimmedLines(layout.pages()[0]), (Lines{"1", "2", "3"}));
    EXPECT_EQ(trimmedLines(layout.pages()[1]), Lines{"4"});

    // Wrapping off the last line also turns the page.
    TextPageLayout wrap(4, 2);
    wrap.write("abcdefghij");
    wrap.finish();
    ASSERT_EQ(wrap.pages().size(), 2u);
    EXPECT_EQ(trimmedLines(wrap.pages()[0]), (Lines{"abcd", "efgh"}));
    EXPECT_EQ(trimmedLines(wrap.pages()[1]), Lines{"ij"});
}

TEST(TextPageLayout, TooSmallAreaStillHoldsOneCell) {
    TextPageLayout layout(0, 0);
    layout.write("ab");
    layout.finish();
    ASSERT_EQ(layout.pages().size(), 2u);
    EXPECT_EQ(layout.pages()[1].lines, Lines{"b"});
}

TEST(Cp437, BytesStandForTheirCharacters) {
    EXPECT_EQ(cp437ToUnicode('A'), U'A');
    EXPECT_EQ(cp437ToUnicode(1), U'\u263A');
    EXPECT_EQ(cp437ToUnicode(0x7F), U'\u2302');
    EXPECT_EQ(cp437ToUnicode(0x82), U'\u00E9');
    EXPECT_EQ(cp437ToUnicode(0xC9), U'\u2554');
    EXPECT_EQ(cp437ToUnicode(0xE3), U'\u03C0');
    EXPECT_EQ(cp437ToUnicode(0xF8), U'\u00B0');
    EXPECT_EQ(cp437ToUtf8("x\xF8\xE3"), "x\u00B0\u03C0");
}

}  // namespace
}  // namespace solvara
