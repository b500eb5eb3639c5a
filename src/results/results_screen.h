// SPDX-License-Identifier: GPL-2.0-or-later
// The results room: the results screen on either answer with its drawing, the failure report,
// the printed page, the saved picture and the clipboard.
#pragma once

#include <string>

#include "platform/display/colour.h"
#include "platform/geometry.h"
#include "values/triangle_values.h"

namespace solvara {

class Display;

// Where the results screen puts its parts, for drawing and for the results loop's clicks.
namespace results_layout {
// " Print " at row 28, column 7, in a box; a click counts one pixel further out all round.
inline constexpr int kPrintRow = 28;
inline constexpr int kPrintColumn = 7;
inline constexpr Rect kPrintButton{46, 428, 104, 451};
inline constexpr Rect kPrintHit = kPrintButton.grownBy(1);
// "EDIT" at row 15, column 24; grey and without action on the main screen.
inline constexpr int kEditRow = 15;
inline constexpr int kEditColumn = 24;
inline constexpr Rect kEditButton{173, 218, 226, 242};
inline constexpr Rect kEditHit = kEditButton.grownBy(1);
// The "Show other answer " control: a green square and its label.
inline constexpr Rect kOtherAnswerBox{620, 290, 630, 300};
inline constexpr int kOtherAnswerRow = 19;
inline constexpr int kOtherAnswerColumn = 60;
inline constexpr const char* kOtherAnswerLabel = "Show other answer ";
// The height, width and area lines under the drawing.
inline constexpr Rect kResultLinesBox{40, 249, 350, 295};
// The drawing of the triangle.
inline constexpr Rect kDrawingBox{350, 35, 638, 280};
inline constexpr Colour kText = Colour::Black;
}  // namespace results_layout

// An answer's texts as the results screen shows them and Print sends them: X, Y, Z, A and the
// area with eight decimals at most, B and C with nine, D, E and F in degrees, minutes and seconds.
AnswerTexts answerTexts(const Triangle& t, double area);

// The "Show other answer " control, offered when a second answer exists.
void drawOtherAnswerControl(Display& display);

// The main screen turned into a report of the solution, without clearing it: the value rows
// rewritten in the results format, the result lines, the drawing to scale and the buttons. The
// first answer's texts are kept in the record, the second's here, so that switching back finds
// the first untouched.
class ResultsScreen {
  public:
    ResultsScreen(Display& display, TriangleValues& values);

    // The first answer, with its drawing and both buttons.
    void showFirstAnswer();
    // The second answer over a main screen and a drawing of it just made; Print only.
    void showSecondAnswer();
    // The oblique drawing of the answer on screen, with its height and width.
    void drawObliqueAnswer();
    void drawButtons(bool withEdit);

    // The texts of the answer on screen, as Print sends them.
    const AnswerTexts& shownTexts() const;
    const AnswerTexts& secondTexts() const { return second_; }

  private:
    Display& display_;
    TriangleValues& v_;
    AnswerTexts second_;
};

}  // namespace solvara
