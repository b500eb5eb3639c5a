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

#include "platform/window/headless_backend.h"

namespace solvara {
namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

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

    HeadlessBackend backend;
    Display d{backend};
};

TEST_F(DisplayTest, OpenStartsFromAFreshSurface) {
    d.setPages(1, 1);
    d.setPaletteEntry(0, 0x3F3F3F);
    d.setColors(Colour{4}, Colour{9});
    d.setTextGrid(80, 30);  // page 1 now colour 9
    d.locate(5, 7);
    std::string error;
    ASSERT_TRUE(d.open(error));
    EXPECT_EQ(backend.windowsCreated(), 1);  // the window is kept, the surface is new
    EXPECT_EQ(d.workPage(), 0);
    EXPECT_EQ(d.visiblePage(), 0);
    EXPECT_EQ(d.foreground(), Colour::White);
    EXPECT_EQ(d.background(), Colour::Black);
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
    d.setColors(Colour{0}, Colour{15});
    d.locate(29, 80);
    d.print("A", false);
    d.locate(30, 80);
    d.print("X", false);
    EXPECT_TRUE(cellShows(29, 80, 'A', 0, 15));
    EXPECT_TRUE(cellShows(30, 80, 'X', 0, 15));
    EXPECT_EQ(d.cursorRow(), 30);
    EXPECT_EQ(d.cursorColumn(), 81);

    // The next character wraps to a new row, and that one scrolls.
    d.print("Y", false);
    EXPECT_TRUE(cellShows(28, 80, 'A', 0, 15));
    EXPECT_TRUE(cellShows(29, 80, 'X', 0, 15));
    EXPECT_TRUE(cellShows(30, 1, 'Y', 0, 15));
}

TEST_F(DisplayTest, LongTextContinuesOnTheNextRow) {
    d.setColors(Colour{14}, Colour{1});
    d.locate(3, 79);
    d.print("abcd", true);
    EXPECT_TRUE(cellShows(3, 79, 'a', 14, 1));
    EXPECT_TRUE(cellShows(3, 80, 'b', 14, 1));
    EXPECT_TRUE(cellShows(4, 1, 'c', 14, 1));
    EXPECT_TRUE(cellShows(4, 2, 'd', 14, 1));
    EXPECT_EQ(d.cursorRow(), 5);
    EXPECT_EQ(d.cursorColumn(), 1);
    EXPECT_EQ(px(640, 48), 0);  // the cells end at x 639
}

TEST_F(DisplayTest, ControlBytesPrintAsGlyphs) {
    d.setColors(Colour{2}, Colour{15});
    d.locate(20, 5);
    d.print(std::string("\x10\x11\n\r\0", 5), false);
    const unsigned char codes[] = {0x10, 0x11, '\n', '\r', 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(cellShows(20, 5 + i, codes[i], 2, 15)) << "byte " << int(codes[i]);
    EXPECT_EQ(d.cursorRow(), 20);
    EXPECT_EQ(d.cursorColumn(), 10);
}

TEST_F(DisplayTest, LineBreakOnTheLastViewportRowScrollsOnlyTheViewport) {
    d.setColors(Colour{0}, Colour{15});
    d.setTextGrid(80, 30);
    for (int row = 4; row <= 11; ++row) {
        d.locate(row, 1);
        d.print(std::string(1, char('0' + row - 4)), false);
    }
    d.setTextViewport(5, 10);
    d.locate(10, 3);
    d.print("z", true);
    EXPECT_TRUE(cellShows(4, 1, '0', 0, 15));   // above the viewport
    EXPECT_TRUE(cellShows(5, 1, '2', 0, 15));   // row 6 moved up
    EXPECT_TRUE(cellShows(9, 1, '6', 0, 15));   // row 10 moved up
    EXPECT_TRUE(cellShows(9, 3, 'z', 0, 15));   // with what was just printed
    EXPECT_TRUE(cellShows(10, 1, ' ', 0, 15));  // a fresh row
    EXPECT_TRUE(cellShows(11, 1, '7', 0, 15));  // below the viewport
    EXPECT_EQ(d.cursorRow(), 10);
    EXPECT_EQ(d.cursorColumn(), 1);
}

TEST_F(DisplayTest, TextGridAndClearFillWithTheBackground) {
    d.setColors(Colour{0}, Colour{15});
    d.locate(7, 7);
    d.setTextGrid(80, 30);
    EXPECT_EQ(count(15), std::size_t(Display::kWidth) * Display::kHeight);
    EXPECT_EQ(d.cursorRow(), 1);
    d.setColors(Colour{0}, Colour{3});
    d.locate(7, 7);
    d.clear();
    EXPECT_EQ(px(642, 482), 3);
    EXPECT_EQ(d.cursorRow(), 1);
    EXPECT_EQ(d.cursorColumn(), 1);
}

TEST_F(DisplayTest, BoxCornersAreInclusive) {
    d.line(2, 2, 640, 480, Colour{4}, Shape::Box);
    for (auto [x, y] : {std::pair{2, 2}, {640, 2}, {2, 480}, {640, 480}, {321, 2}, {2, 241}})
        EXPECT_EQ(px(x, y), 4) << x << "," << y;
    for (auto [x, y] : {std::pair{1, 2}, {641, 480}, {3, 3}, {639, 479}, {320, 240}})
        EXPECT_EQ(px(x, y), 0) << x << "," << y;
    EXPECT_EQ(count(4), std::size_t(2 * 639 + 2 * 477));

    d.setColors(Colour{6}, Colour{0});
    d.line(638, 280, 350, 35, std::nullopt, Shape::FilledBox);  // corners given either way round
    for (auto [x, y] : {std::pair{350, 35}, {638, 280}, {500, 100}})
        EXPECT_EQ(px(x, y), 6) << x << "," << y;
    for (auto [x, y] : {std::pair{349, 35}, {639, 280}, {350, 34}, {638, 281}})
        EXPECT_NE(px(x, y), 6) << x << "," << y;
}

TEST_F(DisplayTest, SegmentsIncludeBothEndsAndRoundHalvesToEven) {
    d.line(10, 10, 20, 15, Colour{5}, Shape::Segment);
    EXPECT_EQ(px(10, 10), 5);
    EXPECT_EQ(px(20, 15), 5);
    EXPECT_EQ(count(5), 11u);  // one pixel per column on a shallow line

    d.line(2.5, 3.5, 2.5, 3.5, Colour{7}, Shape::Segment);  // rounds to (2, 4)
    EXPECT_EQ(px(2, 4), 7);
    EXPECT_EQ(count(7), 1u);
}

TEST_F(DisplayTest, CircleWithAnglesZeroOrTwoPiIsWhole) {
    d.circle(100, 100, 6, Colour{9}, 0, 0);
    const auto whole = pixelsOf(9);
    d.clear();
    d.circle(100, 100, 6, Colour{9}, 0, 2 * kPi);
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
    d.circle(200, 200, 20, Colour{9}, 0, kPi / 2);
    EXPECT_EQ(px(220, 200), 9);
    EXPECT_EQ(px(200, 180), 9);
    EXPECT_EQ(px(214, 186), 9);
    EXPECT_EQ(px(180, 200), 0);
    EXPECT_EQ(px(200, 220), 0);
    EXPECT_EQ(px(214, 214), 0);
    EXPECT_EQ(px(200, 190), 0);  // no radius line

    d.clear();
    d.circle(200, 200, 20, Colour{9}, 0, -kPi / 2);
    for (int y = 180; y <= 200; ++y)
        EXPECT_EQ(px(200, y), 9) << "radius line at y " << y;
    EXPECT_EQ(px(210, 200), 0);  // the start angle is positive: no line there

    // From 5 to 2 radians the arc passes through angle 0.
    d.clear();
    d.circle(200, 200, 20, Colour{9}, 5, 2);
    EXPECT_EQ(px(220, 200), 9);
    EXPECT_EQ(px(180, 200), 0);
}

TEST_F(DisplayTest, FilledCircleCoversItsOutline) {
    d.circle(300, 300, 10, Colour{4}, 0, 0, true);
    d.circle(300, 300, 10, Colour{5}, 0, 0, false);
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
    d.line(90, 90, 200, 130, Colour{4}, Shape::FilledBox);
    d.setColors(Colour{0}, Colour{15});
    d.locate(2, 2);
    d.drawText(100, 100, "HH");
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
    d.line(10, 10, 20, 20, Colour{4}, Shape::FilledBox);
    d.setPages(1, 1);
    d.setColors(Colour{0}, Colour{15});
    d.setTextGrid(80, 30);
    d.line(0, 0, 642, 482, Colour{1}, Shape::Segment);
    d.print("help", true);
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
            d.line(a, b, 100, 100, Colour{3}, Shape::Segment);
            d.line(a, 100, b, 200, Colour{3}, Shape::Segment);
            d.line(a, b, -a, -b, Colour{3}, Shape::Box);
            d.line(a, 5, b, 6, Colour{3}, Shape::FilledBox);
            d.circle(a, b, 50, Colour{3}, 0, 0, true);
            d.circle(300, 200, a, Colour{3}, b, -1, false);
            d.circle(300, 200, 50, Colour{3}, a, b, true);
            d.drawText(a, b, "text");
        }
        d.drawText(a, 100, std::string(100000, 'x'));
    }
    // A huge circle whose edge passes through the surface shows as a nearly straight line.
    d.clear();
    d.circle(-1e9 + 300, 240, 1e9, Colour{7}, 0, 0);
    for (int y = 0; y < Display::kHeight; y += 40)
        EXPECT_EQ(px(300, y), 7) << "y " << y;
    d.circle(320, 240, 1e300, Colour{7}, 0, 0, true);
    // A line from far left to far right still covers its row.
    d.clear();
    d.line(-1e300, 240, 1e300, 240, Colour{6}, Shape::Segment);
    EXPECT_EQ(count(6), std::size_t(Display::kWidth));
    d.clear();
    d.line(100, -kInf, 100, kInf, Colour{6}, Shape::Segment);
    EXPECT_EQ(count(6), std::size_t(Display::kHeight));
    // A long slanting line keeps its place on the surface.
    d.clear();
    d.line(-1e12, -1e12 + 200, 1e12, 1e12 + 200, Colour{6}, Shape::Segment);
    EXPECT_EQ(px(0, 200), 6);
    EXPECT_EQ(px(282, 482), 6);

    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_LT(elapsed, std::chrono::seconds(5));
}

TEST_F(DisplayTest, PresentsOnlyChangesAndNeverWhileLocked) {
    d.presentIfChanged();  // the fresh surface
    EXPECT_EQ(d.presentCount(), 1u);
    EXPECT_EQ(backend.presentCount(), 1u);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 1u);

    d.setPages(1, 0);  // drawing on a page that is not shown
    d.presentIfChanged();
    d.line(1, 1, 50, 50, Colour{2}, Shape::FilledBox);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 2u);  // only for setPages

    d.setPages(0, 0);
    d.presentIfChanged();
    d.line(1, 1, 50, 50, Colour{2}, Shape::FilledBox);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 4u);

    d.lock();
    d.print("locked", true);
    d.setPaletteEntry(2, 0);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 4u);
    d.unlock();
    EXPECT_EQ(d.presentCount(), 5u);
    d.presentIfChanged();
    EXPECT_EQ(d.presentCount(), 5u);
}

TEST(DisplayClosed, OperationsDoNothing) {
    HeadlessBackend backend;
    Display d(backend);
    d.setColors(Colour{1}, Colour{2});
    d.locate(3, 4);
    d.print("x", true);
    d.line(0, 0, 10, 10, Colour{1}, Shape::FilledBox);
    d.circle(5, 5, 3, Colour{1}, 0, 0);
    d.drawText(0, 0, "x");
    d.setTitle("t");
    d.presentIfChanged();
    EXPECT_FALSE(d.isOpen());
    EXPECT_EQ(d.foreground(), Colour::White);
    EXPECT_EQ(d.cursorRow(), 1);
    EXPECT_EQ(d.pixel(0, 0, 0), 0);
    EXPECT_EQ(d.pageData(0), nullptr);
    EXPECT_EQ(d.presentCount(), 0u);
    EXPECT_EQ(backend.title(), "");
}

}  // namespace
}  // namespace solvara
