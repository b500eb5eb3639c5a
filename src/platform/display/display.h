// SPDX-License-Identifier: GPL-2.0-or-later
// The display room: the software surface of four palette pages, its text grid and drawing.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/display/colour.h"
#include "platform/geometry.h"
#include "platform/window/monitors.h"

namespace solvara {

class WindowBackend;

// The colours of a text: ink on paper, black on the program's white unless said otherwise.
struct TextColours {
    Colour ink = Colour::Black;
    Colour paper = kBackground;
};

class Display {
  public:
    static constexpr int kWidth = 643;
    static constexpr int kHeight = 483;
    static constexpr int kPages = 4;

    explicit Display(WindowBackend& backend);

    // Creates (or re-creates) the surface: all pages 0, default palette, work and visible page 0,
    // cursor (1, 1), 80 x 30 grid, no clip. Returns false with `error` filled when
    // the backend cannot open a window; every other operation then does nothing.
    bool open(std::string& error);
    bool isOpen() const { return open_; }

    void setPages(int workPage, int visiblePage);
    // Packed 6-bit &hBBGGRR; each component c becomes trunc(c * 255 / 63).
    void setPaletteEntry(int index, std::uint32_t packedBgr);
    // The grid of text cells; the work page is cleared.
    void setTextGrid(int columns, int rows);
    void setTitle(std::string_view title);
    std::vector<Monitor> monitors();
    // The window on the desktop: the page enlarged as the backend shows it.
    Size windowSize();
    Point windowPosition();
    void moveWindow(int x, int y);

    // A text in the cells from (row, column), both counted from 1; the cursor rests after it.
    void printAt(int row, int column, std::string_view text, TextColours colours = {});
    // The work page in the background colour, the cursor at (1, 1).
    void clear();
    void setTextViewport(int topRow, int bottomRow);

    void segment(double x1, double y1, double x2, double y2, Colour colour);
    // The outline of the box with the rectangle's corners, and the box filled.
    void box(const Rect& r, Colour colour);
    void fillBox(const Rect& r, Colour colour);
    // Angles in radians, counter-clockwise from the positive x axis; both 0: the whole circle.
    void circle(double cx, double cy, double radius, Colour colour, double startAngle,
                double endAngle);
    void fillCircle(double cx, double cy, double radius, Colour colour);
    // Transparent text: only the glyphs' set pixels are drawn.
    void drawText(double x, double y, std::string_view text, Colour colour);

    // Every primitive draws only inside `r` (corners inclusive) until the clip is reset to the
    // whole surface. A segment is cut to the rectangle before it is drawn.
    void setClip(const Rect& r);
    void resetClip() { clip_ = kWholeSurface; }
    const Rect& clip() const { return clip_; }

    void lock();
    void unlock();

    // Shows the visible page through the backend if it changed since it was last shown and the
    // surface is not locked. The input devices call this before every wait.
    void presentIfChanged();

    // Read-back, for the picture writer, the backends and tests.
    std::uint8_t pixel(int page, int x, int y) const;
    const std::uint8_t* pageData(int page) const;
    const std::array<Rgb, 256>& palette() const { return palette_; }
    int workPage() const { return workPage_; }
    int visiblePage() const { return visiblePage_; }
    int cursorRow() const { return cursorRow_; }
    int cursorColumn() const { return cursorColumn_; }
    bool locked() const { return locked_; }
    // How many times a page was handed to the backend.
    std::uint64_t presentCount() const { return presentCount_; }

  private:
    static constexpr Rect kWholeSurface{0, 0, kWidth - 1, kHeight - 1};

    void plot(int x, int y, int colour);
    void markChanged(int page);
    // Inclusive corners, x1 <= x2 and y1 <= y2; clipped.
    void fillRect(int x1, int y1, int x2, int y2, int colour);
    void drawSegment(double x1, double y1, double x2, double y2, int colour);
    void drawBox(const Rect& r, int colour, bool filled);
    void drawCircle(double cx, double cy, double radius, int colour, double startAngle,
                    double endAngle, bool filled);
    void drawCell(int row, int column, std::uint8_t code, int ink, int paper);
    void drawGlyph(int x, int y, std::uint8_t code, int colour);
    // Moves the cursor down one row, scrolling the text viewport when it is on its last row.
    void nextRow(int paper);
    void scrollViewport(int paper);

    WindowBackend& backend_;
    bool open_ = false;
    // kPages pages of kWidth * kHeight bytes in one anonymous mapping: the kernel hands out
    // zeroed memory as it is first written, so pages never drawn on (2 and 3, and 1 until help
    // is shown) cost no memory.
    class PageMemory {
      public:
        PageMemory() = default;
        PageMemory(const PageMemory&) = delete;
        PageMemory& operator=(const PageMemory&) = delete;
        ~PageMemory();
        // Maps the pages the first time and gives their memory back afterwards; either way every
        // byte reads 0 after it. False when no memory can be had.
        bool zero();
        std::uint8_t* data() { return data_; }
        const std::uint8_t* data() const { return data_; }
        std::uint8_t& operator[](std::size_t i) { return data_[i]; }
        std::uint8_t operator[](std::size_t i) const { return data_[i]; }

      private:
        std::uint8_t* data_ = nullptr;
    };
    PageMemory pages_;
    std::array<Rgb, 256> palette_{};
    int workPage_ = 0;
    int visiblePage_ = 0;
    Rect clip_ = kWholeSurface;
    int cursorRow_ = 1;
    int cursorColumn_ = 1;
    int columns_ = 80;
    int rows_ = 30;
    int viewportTop_ = 1;
    int viewportBottom_ = 30;
    bool locked_ = false;
    bool changed_ = false;
    std::uint64_t presentCount_ = 0;
};

// Draws inside `r` while it lives; the whole surface after.
class ClipTo {
  public:
    ClipTo(Display& display, const Rect& r) : display_(display) { display_.setClip(r); }
    ~ClipTo() { display_.resetClip(); }
    ClipTo(const ClipTo&) = delete;
    ClipTo& operator=(const ClipTo&) = delete;

  private:
    Display& display_;
};

// The standard VGA 256-colour power-on palette, 6-bit components scaled to 8 bits.
const std::array<Rgb, 256>& defaultVgaPalette();

// The 8 x 16 code page 437 font: 256 glyphs of 16 rows, most significant bit leftmost.
extern const std::array<std::uint8_t, 4096> kFont8x16;

}  // namespace solvara
