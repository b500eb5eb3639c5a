// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/display/display.h"

#include <sys/mman.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <numbers>

#include "platform/window/window_backend.h"

namespace solvara {

namespace {

constexpr std::size_t kPageSize = static_cast<std::size_t>(Display::kWidth) * Display::kHeight;
constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;
constexpr double kTwoPi = 2.0 * std::numbers::pi;

// A glyph row as a mask of its eight pixels, one byte each in the page's order: 0xff where the
// row's bit is set (the leftmost pixel is the most significant bit).
constexpr std::array<std::uint64_t, 256> kRowMasks = [] {
    std::array<std::uint64_t, 256> masks{};
    for (unsigned bits = 0; bits < masks.size(); ++bits) {
        std::array<std::uint8_t, kGlyphWidth> pixels{};
        for (int px = 0; px < kGlyphWidth; ++px)
            pixels[px] = (bits & (0x80u >> px)) ? 0xff : 0x00;
        masks[bits] = std::bit_cast<std::uint64_t>(pixels);
    }
    return masks;
}();

// Eight pixels of one colour.
constexpr std::uint64_t eightPixels(int colour) {
    return 0x0101010101010101u * static_cast<std::uint8_t>(colour);
}

// Line ends farther out than this are pulled in, so that differences of coordinates stay finite.
// A line that long crosses the surface, if at all, where the original would within a pixel.
constexpr double kFar = 1e300;
// Segments with both ends inside this band around the surface are drawn as they are; longer ones
// are cut to it first, so that no line costs more than a few thousand steps.
constexpr double kMargin = 1024.0;

// The nearest whole number, halves to the even neighbour, whatever the FPU rounding mode is.
double roundHalfEven(double v) {
    if (std::fabs(v - std::trunc(v)) == 0.5) return 2.0 * std::round(v / 2.0);
    return std::round(v);
}

// A coordinate as a pixel number in [lo, hi]. Clamping comes before the conversion, because
// converting a double outside the range of int is undefined; NaN gives lo.
int pixelCoord(double v, int lo, int hi) {
    if (std::isnan(v)) return lo;
    return static_cast<int>(std::clamp(roundHalfEven(v), double(lo), double(hi)));
}

bool anyNan(std::initializer_list<double> values) {
    return std::any_of(values.begin(), values.end(), [](double v) { return std::isnan(v); });
}

// Cohen-Sutherland: cuts the segment to the rectangle; false when nothing of it is inside. The
// cut points are found from the slope, not from a parameter along the segment, so that a short
// piece of an enormously long line keeps its position (a parameter between 0 and 1 has no
// digits left for the surface's part of a line 1e300 long).
bool clipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top,
                 double right, double bottom) {
    enum : unsigned { kLeft = 1, kRight = 2, kTop = 4, kBottom = 8 };
    auto outcode = [&](double x, double y) {
        return (x < left    ? kLeft
                : x > right ? kRight
                            : 0u) |
               (y < top      ? kTop
                : y > bottom ? kBottom
                             : 0u);
    };
    unsigned c1 = outcode(x1, y1);
    unsigned c2 = outcode(x2, y2);
    // Each round puts one end on an edge; rounding can ask for a few more, never many.
    for (int round = 0; round < 8 && (c1 | c2); ++round) {
        if (c1 & c2) return false;  // wholly beyond one edge
        const bool first = c1 != 0;
        const unsigned c = first ? c1 : c2;
        double x = 0.0;
        double y = 0.0;
        if (c & (kTop | kBottom)) {
            y = (c & kTop) ? top : bottom;
            x = x1 + (x2 - x1) * ((y - y1) / (y2 - y1));
        } else {
            x = (c & kLeft) ? left : right;
            y = y1 + (y2 - y1) * ((x - x1) / (x2 - x1));
        }
        (first ? x1 : x2) = x;
        (first ? y1 : y2) = y;
        (first ? c1 : c2) = outcode(first ? x1 : x2, first ? y1 : y2);
    }
    return (c1 | c2) == 0;
}

// The arc of a circle as a test on the direction of a point from the centre. Angles are in
// radians counter-clockwise from +x; on the surface y grows downwards, so a point (dx, dy) from
// the centre has the angle atan2(-dy, dx).
class ArcRange {
  public:
    ArcRange() = default;  // the whole circle
    ArcRange(double start, double end) : whole_(end - start >= kTwoPi) {
        start_ = std::fmod(start, kTwoPi);
        end_ = std::fmod(end, kTwoPi);
    }

    bool contains(double dx, double dy) const {
        if (whole_ || (dx == 0.0 && dy == 0.0)) return true;
        double a = std::atan2(-dy, dx);
        if (a < 0.0) a += kTwoPi;
        if (a >= kTwoPi) a -= kTwoPi;
        if (start_ <= end_) return a >= start_ && a <= end_;
        return a >= start_ || a <= end_;  // the arc passes through angle 0
    }

  private:
    bool whole_ = true;
    double start_ = 0.0;
    double end_ = 0.0;
};

// sqrt(r*r - d*d) for 0 <= |d| <= r without overflow for huge radii.
double circleOffset(double r, double d) {
    const double a = std::fabs(d);
    return std::sqrt(r - a) * std::sqrt(r + a);
}

}  // namespace

Display::PageMemory::~PageMemory() {
    if (data_ != nullptr) munmap(data_, kPages * kPageSize);
}

bool Display::PageMemory::zero() {
    if (data_ != nullptr) {
        if (madvise(data_, kPages * kPageSize, MADV_DONTNEED) != 0)
            std::memset(data_, 0, kPages * kPageSize);
        return true;
    }
    void* memory = mmap(nullptr, kPages * kPageSize, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) return false;
    data_ = static_cast<std::uint8_t*>(memory);
    return true;
}

Display::Display(WindowBackend& backend) : backend_(backend) {}

bool Display::open(std::string& error) {
    if (!backend_.openWindow(Size{kWidth, kHeight}, error)) {
        open_ = false;
        return false;
    }
    if (!pages_.zero()) {
        error = "no memory for the display pages";
        open_ = false;
        return false;
    }
    palette_ = defaultVgaPalette();
    workPage_ = 0;
    visiblePage_ = 0;
    clip_ = kWholeSurface;
    cursorRow_ = 1;
    cursorColumn_ = 1;
    columns_ = 80;
    rows_ = 30;
    viewportTop_ = 1;
    viewportBottom_ = 30;
    locked_ = false;
    changed_ = true;
    open_ = true;
    return true;
}

void Display::setPages(int workPage, int visiblePage) {
    if (!open_) return;
    if (workPage < 0 || workPage >= kPages || visiblePage < 0 || visiblePage >= kPages) return;
    workPage_ = workPage;
    visiblePage_ = visiblePage;
    changed_ = true;
}

void Display::setPaletteEntry(int index, std::uint32_t packedBgr) {
    if (!open_ || index < 0 || index > 255) return;
    palette_[index] = rgbOfPackedBgr(packedBgr);
    changed_ = true;
}

void Display::setTextGrid(int columns, int rows) {
    if (!open_) return;
    // The cells must hold an 8 x 16 glyph.
    if (columns < 1 || rows < 1 || kWidth / columns < kGlyphWidth || kHeight / rows < kGlyphHeight)
        return;
    columns_ = columns;
    rows_ = rows;
    viewportTop_ = 1;
    viewportBottom_ = rows;
    clear();
}

void Display::setTitle(std::string_view title) {
    if (open_) backend_.setTitle(title);
}

std::vector<Monitor> Display::monitors() {
    return backend_.monitors();
}

Size Display::windowSize() {
    return backend_.windowSize();
}

Point Display::windowPosition() {
    return backend_.windowPosition();
}

void Display::moveWindow(int x, int y) {
    if (open_) backend_.moveWindow(Point{x, y});
}

void Display::printAt(int row, int column, std::string_view text, TextColours colours) {
    if (!open_) return;
    cursorRow_ = std::clamp(row, 1, rows_);
    cursorColumn_ = std::clamp(column, 1, columns_);
    const int ink = paletteIndex(colours.ink);
    const int paper = paletteIndex(colours.paper);
    for (const char ch : text) {
        // The cursor may rest one past the last column; only the next character wraps it, so
        // filling the bottom right cell does not scroll.
        if (cursorColumn_ > columns_) {
            cursorColumn_ = 1;
            nextRow(paper);
        }
        drawCell(cursorRow_, cursorColumn_, static_cast<std::uint8_t>(ch), ink, paper);
        ++cursorColumn_;
    }
}

void Display::clear() {
    if (!open_) return;
    fillRect(0, 0, kWidth - 1, kHeight - 1, paletteIndex(kBackground));
    cursorRow_ = 1;
    cursorColumn_ = 1;
}

void Display::setClip(const Rect& r) {
    clip_ = Rect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, kWidth - 1),
                 std::min(r.bottom, kHeight - 1)};
}

void Display::setTextViewport(int topRow, int bottomRow) {
    if (!open_ || topRow < 1 || bottomRow > rows_ || topRow > bottomRow) return;
    viewportTop_ = topRow;
    viewportBottom_ = bottomRow;
    if (cursorRow_ < topRow || cursorRow_ > bottomRow) {
        cursorRow_ = topRow;
        cursorColumn_ = 1;
    }
}

void Display::segment(double x1, double y1, double x2, double y2, Colour colour) {
    if (open_) drawSegment(x1, y1, x2, y2, paletteIndex(colour));
}

void Display::box(const Rect& r, Colour colour) {
    if (open_) drawBox(r, paletteIndex(colour), false);
}

void Display::fillBox(const Rect& r, Colour colour) {
    if (open_) drawBox(r, paletteIndex(colour), true);
}

void Display::circle(double cx, double cy, double radius, Colour colour, double startAngle,
                     double endAngle) {
    if (open_) drawCircle(cx, cy, radius, paletteIndex(colour), startAngle, endAngle, false);
}

void Display::fillCircle(double cx, double cy, double radius, Colour colour) {
    if (open_) drawCircle(cx, cy, radius, paletteIndex(colour), 0, 0, true);
}

void Display::drawCircle(double cx, double cy, double radius, int c, double startAngle,
                         double endAngle, bool filled) {
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius) || radius < 0.0 ||
        !std::isfinite(startAngle) || !std::isfinite(endAngle))
        return;
    const bool whole = startAngle == 0.0 && endAngle == 0.0;
    const ArcRange arc = whole ? ArcRange() : ArcRange(std::fabs(startAngle), std::fabs(endAngle));

    const double x0 = roundHalfEven(cx);
    const double y0 = roundHalfEven(cy);
    const double r = roundHalfEven(radius);
    constexpr double right = kWidth - 1;
    constexpr double bottom = kHeight - 1;

    // Nothing to do when the circle passes wholly outside the surface or round it. This also
    // bounds the work below to the surface, however large the radius.
    const double nearest =
        std::hypot(x0 - std::clamp(x0, 0.0, right), y0 - std::clamp(y0, 0.0, bottom));
    const double farthest =
        std::hypot(x0 - (x0 < right / 2 ? right : 0.0), y0 - (y0 < bottom / 2 ? bottom : 0.0));
    const bool reaches = r + 1.0 >= nearest;
    const bool outlineShows = reaches && r - 1.0 <= farthest;

    auto plotAt = [&](double x, double y) {
        if (x < 0.0 || x > right || y < 0.0 || y > bottom) return;
        if (arc.contains(x - x0, y - y0)) plot(static_cast<int>(x), static_cast<int>(y), c);
    };

    if (filled && reaches) {
        // The pixels within half a pixel outside the radius, so the outline lies inside the fill.
        const double outer = r + 0.5;
        const double yFrom = std::max(0.0, std::ceil(y0 - outer));
        const double yTo = std::min(bottom, std::floor(y0 + outer));
        for (double y = yFrom; y <= yTo; ++y) {
            const double half = std::floor(circleOffset(outer, y - y0));
            const double xFrom = std::max(0.0, x0 - half);
            const double xTo = std::min(right, x0 + half);
            if (xFrom > xTo) continue;
            if (whole) {
                fillRect(static_cast<int>(xFrom), static_cast<int>(y), static_cast<int>(xTo),
                         static_cast<int>(y), c);
            } else {
                for (double x = xFrom; x <= xTo; ++x)
                    plotAt(x, y);
            }
        }
    }

    if (outlineShows) {
        // One pixel per column where the circle is flatter than 45 degrees (top and bottom), one
        // per row where it is steeper (left and right): a closed outline, and the loops run over
        // the surface's columns and rows only.
        const double octant = std::floor(r * std::numbers::sqrt2 / 2.0);
        const double xFrom = std::max(0.0, std::ceil(x0 - octant));
        const double xTo = std::min(right, std::floor(x0 + octant));
        for (double x = xFrom; x <= xTo; ++x) {
            const double dy = roundHalfEven(circleOffset(r, x - x0));
            plotAt(x, y0 - dy);
            plotAt(x, y0 + dy);
        }
        const double yFrom = std::max(0.0, std::ceil(y0 - octant));
        const double yTo = std::min(bottom, std::floor(y0 + octant));
        for (double y = yFrom; y <= yTo; ++y) {
            const double dx = roundHalfEven(circleOffset(r, y - y0));
            plotAt(x0 - dx, y);
            plotAt(x0 + dx, y);
        }
    }

    // A negative angle adds a radius line to that end of the arc.
    if (!whole) {
        for (const double angle : {startAngle, endAngle}) {
            if (angle >= 0.0) continue;
            const double a = -angle;
            drawSegment(x0, y0, x0 + r * std::cos(a), y0 - r * std::sin(a), c);
        }
    }
}

void Display::drawText(double x, double y, std::string_view text, Colour colour) {
    if (!open_ || anyNan({x, y})) return;
    // Clamped a glyph's width or height outside the surface: nothing of the text shows there
    // either way, and the positions below stay far from overflowing.
    const int top = pixelCoord(y, -kGlyphHeight, kHeight);
    int left = pixelCoord(x, -kGlyphWidth, kWidth);
    if (top <= -kGlyphHeight || top >= kHeight) return;
    std::size_t first = 0;
    if (x < 0.0 && left == -kGlyphWidth) {
        // Skip the characters wholly left of the surface without walking them one by one.
        const double skipped = std::floor(-roundHalfEven(x) / kGlyphWidth);
        if (!(skipped < static_cast<double>(text.size()))) return;
        first = static_cast<std::size_t>(skipped);
        left = static_cast<int>(roundHalfEven(x) + skipped * kGlyphWidth);
    }
    for (std::size_t i = first; i < text.size() && left < kWidth; ++i, left += kGlyphWidth)
        drawGlyph(left, top, static_cast<std::uint8_t>(text[i]), paletteIndex(colour));
}

void Display::lock() {
    if (open_) locked_ = true;
}

void Display::unlock() {
    if (!open_) return;
    locked_ = false;
    presentIfChanged();
}

void Display::presentIfChanged() {
    if (!open_ || locked_ || !changed_) return;
    backend_.present(pageData(visiblePage_), Size{kWidth, kHeight}, palette_);
    ++presentCount_;
    changed_ = false;
}

std::uint8_t Display::pixel(int page, int x, int y) const {
    if (!open_ || page < 0 || page >= kPages || x < 0 || x >= kWidth || y < 0 || y >= kHeight)
        return 0;
    return pages_[page * kPageSize + static_cast<std::size_t>(y) * kWidth + x];
}

const std::uint8_t* Display::pageData(int page) const {
    if (!open_ || page < 0 || page >= kPages) return nullptr;
    return pages_.data() + page * kPageSize;
}

void Display::plot(int x, int y, int colour) {
    if (x < clip_.left || x > clip_.right || y < clip_.top || y > clip_.bottom) return;
    pages_[workPage_ * kPageSize + static_cast<std::size_t>(y) * kWidth + x] =
        static_cast<std::uint8_t>(colour);
    markChanged(workPage_);
}

void Display::markChanged(int page) {
    if (page == visiblePage_) changed_ = true;
}

void Display::fillRect(int x1, int y1, int x2, int y2, int colour) {
    x1 = std::max(x1, clip_.left);
    y1 = std::max(y1, clip_.top);
    x2 = std::min(x2, clip_.right);
    y2 = std::min(y2, clip_.bottom);
    if (x1 > x2 || y1 > y2) return;
    std::uint8_t* row =
        pages_.data() + workPage_ * kPageSize + static_cast<std::size_t>(y1) * kWidth;
    for (int y = y1; y <= y2; ++y, row += kWidth)
        std::memset(row + x1, colour, static_cast<std::size_t>(x2 - x1 + 1));
    markChanged(workPage_);
}

void Display::drawSegment(double x1, double y1, double x2, double y2, int colour) {
    if (anyNan({x1, y1, x2, y2})) return;
    x1 = std::clamp(x1, -kFar, kFar);
    y1 = std::clamp(y1, -kFar, kFar);
    x2 = std::clamp(x2, -kFar, kFar);
    y2 = std::clamp(y2, -kFar, kFar);

    // With the whole surface to draw on, a segment is cut only when it reaches beyond a band
    // around it; inside a smaller clip rectangle it is cut to that rectangle.
    const bool whole = clip_ == kWholeSurface;
    const double left = whole ? -kMargin : clip_.left;
    const double top = whole ? -kMargin : clip_.top;
    const double right = whole ? kWidth - 1 + kMargin : clip_.right;
    const double bottom = whole ? kHeight - 1 + kMargin : clip_.bottom;
    auto inside = [&](double x, double y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    if (!inside(x1, y1) || !inside(x2, y2)) {
        if (!clipSegment(x1, y1, x2, y2, left, top, right, bottom)) return;
    }
    int ax = pixelCoord(x1, int(left), int(right));
    int ay = pixelCoord(y1, int(top), int(bottom));
    const int bx = pixelCoord(x2, int(left), int(right));
    const int by = pixelCoord(y2, int(top), int(bottom));

    if (ay == by) {
        fillRect(std::min(ax, bx), ay, std::max(ax, bx), ay, colour);
        return;
    }
    if (ax == bx) {
        fillRect(ax, std::min(ay, by), ax, std::max(ay, by), colour);
        return;
    }
    // Bresenham, both ends included.
    const int dx = std::abs(bx - ax);
    const int dy = -std::abs(by - ay);
    const int sx = ax < bx ? 1 : -1;
    const int sy = ay < by ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(ax, ay, colour);
        if (ax == bx && ay == by) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

void Display::drawBox(const Rect& r, int colour, bool filled) {
    const int left = std::min(r.left, r.right);
    const int right = std::max(r.left, r.right);
    const int top = std::min(r.top, r.bottom);
    const int bottom = std::max(r.top, r.bottom);
    if (filled) {
        fillRect(left, top, right, bottom, colour);
        return;
    }
    fillRect(left, top, right, top, colour);
    fillRect(left, bottom, right, bottom, colour);
    fillRect(left, top, left, bottom, colour);
    fillRect(right, top, right, bottom, colour);
}

void Display::drawCell(int row, int column, std::uint8_t code, int ink, int paper) {
    if (row < 1 || row > rows_ || column < 1 || column > columns_) return;
    const int cellWidth = kWidth / columns_;
    const int cellHeight = kHeight / rows_;
    const int x = (column - 1) * cellWidth;
    const int y = (row - 1) * cellHeight;
    const int right = x + cellWidth - 1;
    const int bottom = y + cellHeight - 1;
    if (cellWidth != kGlyphWidth || cellHeight != kGlyphHeight || x < clip_.left ||
        right > clip_.right || y < clip_.top || bottom > clip_.bottom) {
        fillRect(x, y, right, bottom, paper);
        drawGlyph(x, y, code, ink);
        return;
    }
    // A whole cell, as nearly all text is: each of its rows is one store of eight pixels, ink
    // where the glyph is set and paper elsewhere.
    const std::uint8_t* glyph = &kFont8x16[static_cast<std::size_t>(code) * kGlyphHeight];
    std::uint8_t* line =
        pages_.data() + workPage_ * kPageSize + static_cast<std::size_t>(y) * kWidth + x;
    const std::uint64_t* masks = kRowMasks.data();
    for (int dy = 0; dy < kGlyphHeight; ++dy, line += kWidth) {
        const std::uint64_t mask = masks[glyph[dy]];
        const std::uint64_t pixels = (eightPixels(ink) & mask) | (eightPixels(paper) & ~mask);
        std::memcpy(line, &pixels, sizeof pixels);
    }
    markChanged(workPage_);
}

void Display::drawGlyph(int x, int y, std::uint8_t code, int colour) {
    // The glyph's cell cut to the clip rectangle once, then its rows written into the page: text
    // is most of what the screens draw.
    const int left = std::max(x, clip_.left);
    const int top = std::max(y, clip_.top);
    const int right = std::min(x + kGlyphWidth - 1, clip_.right);
    const int bottom = std::min(y + kGlyphHeight - 1, clip_.bottom);
    if (left > right || top > bottom) return;
    // Each glyph row is one byte, the leftmost pixel in the most significant bit.
    const std::uint8_t* glyph = &kFont8x16[static_cast<std::size_t>(code) * kGlyphHeight];
    std::uint8_t* row =
        pages_.data() + workPage_ * kPageSize + static_cast<std::size_t>(top) * kWidth;
    const auto ink = static_cast<std::uint8_t>(colour);
    bool drawn = false;
    for (int py = top; py <= bottom; ++py, row += kWidth) {
        const unsigned bits = glyph[py - y];
        for (int px = left; px <= right; ++px) {
            if (bits & (0x80u >> (px - x))) {
                row[px] = ink;
                drawn = true;
            }
        }
    }
    // A blank glyph changes nothing on the page.
    if (drawn) markChanged(workPage_);
}

void Display::nextRow(int paper) {
    if (cursorRow_ < viewportBottom_) {
        ++cursorRow_;
        return;
    }
    scrollViewport(paper);
    cursorRow_ = viewportBottom_;
}

void Display::scrollViewport(int paper) {
    const int cellWidth = kWidth / columns_;
    const int cellHeight = kHeight / rows_;
    const int width = columns_ * cellWidth;
    const int firstLine = (viewportTop_ - 1) * cellHeight;
    const int lastLine = viewportBottom_ * cellHeight - 1;
    std::uint8_t* page = pages_.data() + workPage_ * kPageSize;
    for (int y = firstLine; y + cellHeight <= lastLine; ++y) {
        std::memcpy(page + static_cast<std::size_t>(y) * kWidth,
                    page + static_cast<std::size_t>(y + cellHeight) * kWidth, width);
    }
    fillRect(0, lastLine - cellHeight + 1, width - 1, lastLine, paper);
    markChanged(workPage_);
}

}  // namespace solvara
