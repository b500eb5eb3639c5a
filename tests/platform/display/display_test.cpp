// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/display/display.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <numbers>
#include <set>
#include <utility>
#include <vector>

#include "support/scripted_backend.h"
#include "support/table_names.h"

namespace solvara {
namespace {

using testing::kInf;
using testing::kNaN;

class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(d.open(error)) << error;
    }

    int px(int x, int y) const { return d.pixel(d.workPage(), x, y); }

    // Whether the text cell shows `code` in `fg` on `bg`, pixel for pixel.
    bool cellShows(int row, int column, unsigned char code, int fg, int bg) const {
        for (int dy = 0; dy < 16; ++dy) {
            for (int dx = 0; dx < 8; ++dx) {
                const bool set = kFont8x16[code * 16 + dy] & (0x80 >> dx);
                if (px((column - 1) * 8 + dx, (row - 1) * 16 + dy) != (set ? fg : bg)) return false;
            }
        }
        return true;
    }

    std::size_t count(int colour) const {
        const std::uint8_t* p = d.pageData(d.workPage());
        return static_cast<std::size_t>(
            std::count(p, p + Display::kWidth * Display::kHeight, colour));
    }

    std::set<std::pair<int, int>> pixelsOf(int colour) const {
        std::set<std::pair<int, int>> out;
        for (int y = 0; y < Display::kHeight; ++y)
            for (int x = 0; x < Display::kWidth; ++x)
                if (px(x, y) == colour) out.insert({x, y});
        return out;
    }

    ScriptedBackend backend;
    Display d{backend};
};

TEST_F(DisplayTest, OpenStartsFromAFreshSurface) {
    d.setPages(1, 1);
    d.setPaletteEntry(0, 0x3F3F3F);
    d.setTextGrid(80, 30);  // page 1 now white
    d.printAt(5, 7, "x");
    d.setClip(Rect{10, 10, 20, 20});
    std::string error;
    ASSERT_TRUE(d.open(error));
    EXPECT_EQ(backend.windowsCreated(), 1);  // the window is kept, the surface is new
    EXPECT_EQ(d.workPage(), 0);
    EXPECT_EQ(d.visiblePage(), 0);
    EXPECT_EQ(d.clip(), (Rect{0, 0, Display::kWidth - 1, Display::kHeight - 1}));
    EXPECT_EQ(d.cursorRow(), 1);
    EXPECT_EQ(d.cursorColumn(), 1);
    EXPECT_EQ(d.palette(), defaultVgaPalette());
    EXPECT_EQ(d.pixel(1, 10, 10), 0);
}

TEST(DefaultPalette, TextColoursGreysAndWheelMatchTheVgaDefaults) {
    const auto& p = defaultVgaPalette();
    const Rgb text[16] = {{0, 0, 0},     {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
                          {170, 0, 0},   {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
                          {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
                          {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255}};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(p[i], text[i]) << "entry " << i;
    // Grey ramp, then one entry of each block of the wheel and its walk round the hues.
    const std::pair<int, Rgb> spots[] = {
        {16, {0, 0, 0}},     {17, {20, 20, 20}},   {31, {255, 255, 255}}, {32, {0, 0, 255}},
        {36, {255, 0, 255}}, {40, {255, 0, 0}},    {44, {255, 255, 0}},   {48, {0, 255, 0}},
        {52, {0, 255, 255}}, {55, {0, 64, 255}},   {56, {125, 125, 255}}, {80, {182, 182, 255}},
        {104, {0, 0, 113}},  {128, {56, 56, 113}}, {152, {80, 80, 113}},  {176, {0, 0, 64}},
        {200, {32, 32, 64}}, {224, {44, 44, 64}},  {247, {44, 48, 64}},   {248, {0, 0, 0}},
        {255, {0, 0, 0}},
    };
    for (const auto& [index, rgb] : spots)
        EXPECT_EQ(p[index], rgb) << "entry " << index;
}

TEST_F(DisplayTest, PaletteEntriesScaleSixBitComponents) {
    const struct {
        int index;
        std::uint32_t packed;
        Rgb rgb;
    } cases[] = {
        {2, 0x002801, {4, 161, 0}},       {5, 0x363A3A, {234, 234, 218}},
        {10, 0x082538, {226, 149, 32}},   {13, 0x1B280C, {48, 161, 109}},
        {200, 0xFFFFFF, {255, 255, 255}},  // bits above the six of a component are ignored
    };
    for (const auto& c : cases) {
        d.setPaletteEntry(c.index, c.packed);
        EXPECT_EQ(d.palette()[c.index], c.rgb) << "entry " << c.index;
    }
    const auto before = d.palette();
    d.setPaletteEntry(256, 0);
    d.setPaletteEntry(-1, 0);
    EXPECT_EQ(d.palette(), before);
}

TEST_F(DisplayTest, PrintingInTheBottomRightCellDoesNotScroll) {
    d.printAt(29, 80, "A");
    d.printAt(30, 80, "X");
    EXPECT_TRUE(cellShows(29, 80, 'A', 0, 15));
    EXPECT_TRUE(cellShows(30, 80, 'X', 0, 15));
    EXPECT_EQ(d.cursorRow(), 30);
    EXPECT_EQ(d.cursorColumn(), 81);

    // A next character wraps to a new row, and that one scrolls.
    d.printAt(30, 80, "XY");
    EXPECT_TRUE(cellShows(28, 80, 'A', 0, 15));
    EXPECT_TRUE(cellShows(29, 80, 'X', 0, 15));
    EXPECT_TRUE(cellShows(30, 1, 'Y', 0, 15));
}

TEST_F(DisplayTest, LongTextContinuesOnTheNextRow) {
    d.printAt(3, 79, "abcd", {Colour{14}, Colour{1}});
    EXPECT_TRUE(cellShows(3, 79, 'a', 14, 1));
    EXPECT_TRUE(cellShows(3, 80, 'b', 14, 1));
    EXPECT_TRUE(cellShows(4, 1, 'c', 14, 1));
    EXPECT_TRUE(cellShows(4, 2, 'd', 14, 1));
    EXPECT_EQ(d.cursorRow(), 4);
    EXPECT_EQ(d.cursorColumn(), 3);
    EXPECT_EQ(px(640, 48), 0);  // the cells end at x 639
}

TEST_F(DisplayTest, ControlBytesPrintAsGlyphs) {
    d.printAt(20, 5, std::string("\x10\x11\n\r\0", 5), {Colour{2}});
    const unsigned char codes[] = {0x10, 0x11, '\n', '\r', 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(cellShows(20, 5 + i, codes[i], 2, 15)) << "byte " << int(codes[i]);
    EXPECT_EQ(d.cursorRow(), 20);
    EXPECT_EQ(d.cursorColumn(), 10);
}

TEST_F(DisplayTest, WrappingOnTheLastViewportRowScrollsOnlyTheViewport) {
    d.setTextGrid(80, 30);
    for (int row = 4; row <= 11; ++row)
        d.printAt(row, 1, std::string(1, char('0' + row - 4)));
    d.setTextViewport(5, 10);
    d.printAt(10, 79, "zyx");
    EXPECT_TRUE(cellShows(4, 1, '0', 0, 15));   // above the viewport
    EXPECT_TRUE(cellShows(5, 1, '2', 0, 15));   // row 6 moved up
    EXPECT_TRUE(cellShows(9, 1, '6', 0, 15));   // row 10 moved up
    EXPECT_TRUE(cellShows(9, 80, 'y', 0, 15));  // with what was printed before the wrap
    EXPECT_TRUE(cellShows(10, 1, 'x', 0, 15));  // on a fresh row
    EXPECT_TRUE(cellShows(10, 2, ' ', 0, 15));
    EXPECT_TRUE(cellShows(11, 1, '7', 0, 15));  // below the viewport
    EXPECT_EQ(d.cursorRow(), 10);
    EXPECT_EQ(d.cursorColumn(), 2);
}

TEST_F(DisplayTest, TextGridAndClearFillWithTheBackground) {
    d.printAt(7, 7, "x", {Colour{0}, Colour{3}});
    d.setTextGrid(80, 30);
    EXPECT_EQ(count(15), std::size_t(Display::kWidth) * Display::kHeight);
    EXPECT_EQ(d.cursorRow(), 1);
    d.fillBox(Rect{0, 0, 642, 482}, Colour{3});
    d.printAt(7, 7, "x");
    d.clear();
    EXPECT_EQ(px(642, 482), 15);
    EXPECT_EQ(d.cursorRow(), 1);
    EXPECT_EQ(d.cursorColumn(), 1);
}

TEST_F(DisplayTest, BoxCornersAreInclusive) {
    d.box(Rect{2, 2, 640, 480}, Colour{4});
    for (auto [x, y] : {std::pair{2, 2}, {640, 2}, {2, 480}, {640, 480}, {321, 2}, {2, 241}})
        EXPECT_EQ(px(x, y), 4) << x << "," << y;
    for (auto [x, y] : {std::pair{1, 2}, {641, 480}, {3, 3}, {639, 479}, {320, 240}})
        EXPECT_EQ(px(x, y), 0) << x << "," << y;
    EXPECT_EQ(count(4), std::size_t(2 * 639 + 2 * 477));

    d.fillBox(Rect{638, 280, 350, 35}, Colour{6});  // corners given either way round
    for (auto [x, y] : {std::pair{350, 35}, {638, 280}, {500, 100}})
        EXPECT_EQ(px(x, y), 6) << x << "," << y;
    for (auto [x, y] : {std::pair{349, 35}, {639, 280}, {350, 34}, {638, 281}})
        EXPECT_NE(px(x, y), 6) << x << "," << y;
}

TEST_F(DisplayTest, SegmentsIncludeBothEndsAndRoundHalvesToEven) {
    d.segment(10, 10, 20, 15, Colour{5});
    EXPECT_EQ(px(10, 10), 5);
    EXPECT_EQ(px(20, 15), 5);
    EXPECT_EQ(count(5), 11u);  // one pixel per column on a shallow line

    d.segment(2.5, 3.5, 2.5, 3.5, Colour{7});  // rounds to (2, 4)
    EXPECT_EQ(px(2, 4), 7);
    EXPECT_EQ(count(7), 1u);
}

TEST_F(DisplayTest, CircleWithAnglesZeroOrTwoPiIsWhole) {
    d.circle(100, 100, 6, Colour{9}, 0, 0);
    const auto whole = pixelsOf(9);
    d.clear();
    d.circle(100, 100, 6, Colour{9}, 0, 2 * std::numbers::pi);
    EXPECT_EQ(pixelsOf(9), whole);

    for (auto [x, y] : {std::pair{106, 100}, {94, 100}, {100, 94}, {100, 106}})
        EXPECT_TRUE(whole.count({x, y})) << x << "," << y;
    // A closed ring: every point has at least two neighbours, and all lie at about the radius.
    for (auto [x, y] : whole) {
        int neighbours = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if ((dx || dy) && whole.count({x + dx, y + dy})) ++neighbours;
        EXPECT_GE(neighbours, 2) << x << "," << y;
        EXPECT_NEAR(std::hypot(x - 100, y - 100), 6.0, 0.6) << x << "," << y;
    }
}

TEST_F(DisplayTest, ArcsRunCounterClockwiseAndNegativeAnglesAddARadius) {
    // A quarter from 0 (right) to pi/2 (up, since y grows downwards).
    d.circle(200, 200, 20, Colour{9}, 0, std::numbers::pi / 2);
    EXPECT_EQ(px(220, 200), 9);
    EXPECT_EQ(px(200, 180), 9);
    EXPECT_EQ(px(214, 186), 9);
    EXPECT_EQ(px(180, 200), 0);
    EXPECT_EQ(px(200, 220), 0);
    EXPECT_EQ(px(214, 214), 0);
    EXPECT_EQ(px(200, 190), 0);  // no radius line

    d.clear();
    d.circle(200, 200, 20, Colour{9}, 0, -std::numbers::pi / 2);
    for (int y = 180; y <= 200; ++y)
        EXPECT_EQ(px(200, y), 9) << "radius line at y " << y;
    EXPECT_NE(px(210, 200), 9);  // the start angle is positive: no line there

    // From 5 to 2 radians the arc passes through angle 0.
    d.clear();
    d.circle(200, 200, 20, Colour{9}, 5, 2);
    EXPECT_EQ(px(220, 200), 9);
    EXPECT_NE(px(180, 200), 9);
}

TEST_F(DisplayTest, FilledCircleCoversItsOutline) {
    d.fillCircle(300, 300, 10, Colour{4});
    d.circle(300, 300, 10, Colour{5}, 0, 0);
    EXPECT_EQ(px(300, 300), 4);
    EXPECT_EQ(px(309, 300), 4);
    EXPECT_EQ(px(310, 300), 5);
    // Nothing of the fill shows outside the outline.
    for (int y = 280; y <= 320; ++y) {
        bool outside = true;
        for (int x = 280; x <= 300; ++x) {
            if (px(x, y) == 5) outside = false;
            if (outside) {
                EXPECT_NE(px(x, y), 4) << x << "," << y;
            }
        }
    }
}

TEST_F(DisplayTest, DrawTextIsTransparent) {
    d.fillBox(Rect{90, 90, 200, 130}, Colour{4});
    d.printAt(2, 2, "");
    d.drawText(100, 100, "HH", Colour{0});
    // 'H' has two vertical strokes with the box's colour between them.
    const std::uint8_t* h = &kFont8x16['H' * 16];
    int strokes = 0;
    int between = 0;
    for (int dy = 0; dy < 16; ++dy)
        for (int dx = 0; dx < 16; ++dx) {
            const bool set = h[dy] & (0x80 >> (dx % 8));
            EXPECT_EQ(px(100 + dx, 100 + dy), set ? 0 : 4) << dx << "," << dy;
            (set ? strokes : between)++;
        }
    EXPECT_GT(strokes, 20);
    EXPECT_GT(between, 100);
    EXPECT_EQ(d.cursorRow(), 2);  // the text cursor stays
    EXPECT_EQ(d.cursorColumn(), 2);
}

TEST_F(DisplayTest, PagesKeepTheirOwnPixels) {
    d.fillBox(Rect{10, 10, 20, 20}, Colour{4});
    d.setPages(1, 1);
    d.setTextGrid(80, 30);
    d.segment(0, 0, 642, 482, Colour{1});
    d.printAt(1, 1, "help");
    d.setPages(0, 0);
    EXPECT_EQ(count(4), 121u);
    EXPECT_EQ(count(0), std::size_t(Display::kWidth) * Display::kHeight - 121);
    EXPECT_EQ(d.pixel(1, 642, 482), 1);
}

TEST_F(DisplayTest, AbsurdCoordinatesAreClippedQuickly) {
    const auto start = std::chrono::steady_clock::now();
    const double wild[] = {kNaN,
                           kInf,
                           -kInf,
                           1e300,
                           -1e300,
                           std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max(),
                           3e9,
                           -3e9,
                           1e-300};
    for (double a : wild) {
        for (double b : wild) {
            d.segment(a, b, 100, 100, Colour{3});
            d.segment(a, 100, b, 200, Colour{3});
            d.fillCircle(a, b, 50, Colour{3});
            d.circle(300, 200, a, Colour{3}, b, -1);
            d.circle(300, 200, 50, Colour{3}, a, b);
            d.drawText(a, b, "text", Colour{3});
        }
        d.drawText(a, 100, std::string(100000, 'x'), Colour{3});
    }
    // A huge circle whose edge passes through the surface shows as a nearly straight line.
    d.clear();
    d.circle(-1e9 + 300, 240, 1e9, Colour{7}, 0, 0);
    for (int y = 0; y < Display::kHeight; y += 40)
        EXPECT_EQ(px(300, y), 7) << "y " << y;
    d.fillCircle(320, 240, 1e300, Colour{7});
    // A line from far left to far right still covers its row.
    d.clear();
    d.segment(-1e300, 240, 1e300, 240, Colour{6});
    EXPECT_EQ(count(6), std::size_t(Display::kWidth));
    d.clear();
    d.segment(100, -kInf, 100, kInf, Colour{6});
    EXPECT_EQ(count(6), std::size_t(Display::kHeight));
    // A long slanting line keeps its place on the surface.
    d.clear();
    d.segment(-1e12, -1e12 + 200, 1e12, 1e12 + 200, Colour{6});
    EXPECT_EQ(px(0, 200), 6);
    EXPECT_EQ(px(282, 482), 6);

    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

// Every primitive draws inside the clip rectangle only; a segment is cut to it, keeping its
// direction however far its ends lie.
TEST_F(DisplayTest, TheClipRectangleHoldsEveryPrimitive) {
    const Rect frame{350, 35, 638, 280};
    const struct {
        const char* what;
        double x1, y1, x2, y2;
        std::vector<std::pair<int, int>> drawn;  // some of the pixels drawn
        std::size_t pixels;
    } segments[] = {
        {"inside", 400, 100, 410, 100, {{400, 100}, {410, 100}}, 11},
        {"to a far end", 400, 100, 1e300, 100, {{400, 100}, {638, 100}}, 239},
        {"across, both ends far", -1.7e308, 150, 1.7e308, 150, {{350, 150}, {638, 150}}, 289},
        {"in through the left, out through the bottom",
         300,
         0,
         700,
         400,
         {{350, 50}, {580, 280}},
         231},
        {"wholly outside", 0, 0, 300, 20, {}, 0},
        {"not a number", kNaN, 100, 500, 100, {}, 0},
    };
    for (const auto& s : segments) {
        d.clear();
        {
            const ClipTo clip(d, frame);
            d.segment(s.x1, s.y1, s.x2, s.y2, Colour{6});
        }
        for (const auto& [x, y] : s.drawn)
            EXPECT_EQ(px(x, y), 6) << s.what << " at " << x << "," << y;
        EXPECT_EQ(count(6), s.pixels) << s.what;
        for (const auto& [x, y] : pixelsOf(6))
            EXPECT_TRUE(x >= 350 && x <= 638 && y >= 35 && y <= 280) << s.what;
    }
    // Boxes, circles, glyphs and text cells are cut alike, and the clip ends with its scope.
    d.clear();
    {
        const ClipTo clip(d, Rect{100, 100, 109, 109});
        d.fillBox(Rect{0, 0, 642, 482}, Colour{4});
        d.circle(100, 100, 20, Colour{5}, 0, 0);
        d.drawText(95, 95, "HH", Colour{5});
        d.printAt(1, 1, "text");
        d.printAt(7, 13, "H", {Colour{5}, Colour{4}});  // a cell the rectangle cuts
    }
    EXPECT_EQ(count(4) + count(5), 100u);
    d.fillBox(Rect{0, 0, 10, 10}, Colour{4});
    EXPECT_EQ(px(0, 0), 4);
}

TEST_F(DisplayTest, PresentsOnlyChangesAndNeverWhileLocked) {
    d.presentIfChanged();  // the fresh surface
    EXPECT_EQ(d.presentCount(), 1u);
    EXPECT_EQ(backend.presentCount(), 1u);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 1u);

    d.setPages(1, 0);  // drawing on a page that is not shown
    d.presentIfChanged();
    d.fillBox(Rect{1, 1, 50, 50}, Colour{2});
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 2u);  // only for setPages

    d.setPages(0, 0);
    d.presentIfChanged();
    d.fillBox(Rect{1, 1, 50, 50}, Colour{2});
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 4u);

    d.lock();
    d.printAt(1, 1, "locked");
    d.setPaletteEntry(2, 0);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 4u);
    d.unlock();
    EXPECT_EQ(d.presentCount(), 5u);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 5u);
}

TEST(DisplayClosed, OperationsDoNothing) {
    ScriptedBackend backend;
    Display d(backend);
    d.printAt(3, 4, "x");
    d.fillBox(Rect{0, 0, 10, 10}, Colour{1});
    d.circle(5, 5, 3, Colour{1}, 0, 0);
    d.drawText(0, 0, "x", Colour{1});
    d.setTitle("t");
    d.presentIfChanged();
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.cursorRow(), 1);
    EXPECT_EQ(d.pixel(0, 0, 0), 0);
    EXPECT_EQ(d.pageData(0), nullptr);
    EXPECT_EQ(d.presentCount(), 0u);
    EXPECT_EQ(backend.title(), "");
}

}  // namespace
}  // namespace solvara
