// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace solvara {

// One printed page of a text job: its lines as bytes (code page 437), blank-padded to the width.
// A cell written twice shows the last byte, as an opaque character cell does on paper.
struct TextPage {
    std::vector<std::string> lines;
};

// Lays the bytes written to a text printer out on pages by terminal rules, on a grid of whole
// character cells. It knows nothing of fonts, paper or the spooler: the device gives it the number
// of cells that fit across and down the printable area and draws what it produced.
//
// - Carriage return goes back to the left edge; line feed to the start of the next line.
// - Tab writes blanks up to the next multiple of 8 columns; backspace goes back one column unless
//   at the left edge; bell is counted and otherwise ignored.
// - Form feed ends the page (starting an empty one first if none is open); the next character
//   goes to the top of a new page, in the same column.
// - Any other byte is a character: it opens a page if none is open, fills the cell and advances.
//   A line that is full continues on the next line, and a page that is full continues at the top
//   of a new page, which the next character opens.
class TextPageLayout {
  public:
    // At least one column and one line are kept, however small the area.
    TextPageLayout(int columns, int lines);

    void write(std::string_view bytes);
    // Ends the open page, if any. Writing afterwards starts new pages.
    void finish();

    // Finished pages; the open page is not among them until finish() or a page break.
    const std::vector<TextPage>& pages() const { return pages_; }
    int bells() const { return bells_; }
    int column() const { return column_; }
    int line() const { return line_; }
    bool pageOpen() const { return pageOpen_; }

  private:
    void put(unsigned char byte);
    void newLine();
    void endPage();

    int columns_;
    int lines_;
    int column_ = 0;
    int line_ = 0;
    bool pageOpen_ = false;
    TextPage page_;
    std::vector<TextPage> pages_;
    int bells_ = 0;
};

// The character a code page 437 byte stands for, as Unicode. The control bytes stand for their
// glyphs (1 is a smiling face); 0 and 255 are blanks.
char32_t cp437ToUnicode(unsigned char byte);
// The same as UTF-8.
std::string cp437ToUtf8(std::string_view bytes);

}  // namespace solvara
