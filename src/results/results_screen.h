// SPDX-License-Identifier: GPL-2.0-or-later
// The results room: the results screen on either answer with its drawing, the failure report,
// the printed page, the saved picture and the clipboard.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/display/colour.h"
#include "platform/geometry.h"
#include "results/result_lines.h"
#include "results/triangle_layout.h"
#include "solver/solver.h"
#include "values/answer_texts.h"
#include "values/triangle.h"

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
// The main screen wipes the label and the cell after it.
inline constexpr int kOtherAnswerWipeWidth = 19;
// The height, width and area lines under the drawing.
inline constexpr Rect kResultLinesBox{40, 249, 350, 295};
// The drawing of the triangle (triangle_layout.h's frame).
inline constexpr Rect kDrawingBox = kDrawingFrame;
inline constexpr Colour kText = Colour::Black;
// Where the pointer is put, out of the way of every button, when a click must not be taken again.
inline constexpr Point kPointerHome{320, 240};
}  // namespace results_layout

// An answer's texts as the results screen shows them and Print sends them: X, Y, Z, A and the
// area with eight decimals at most, B and C with nine, D, E and F in degrees, minutes and seconds.
AnswerTexts answerTexts(const Triangle& t, double area);

// The "Show other answer " control, offered when a second answer exists.
void drawOtherAnswerControl(Display& display);

// The main screen turned into a report of the solution, without clearing it: the value rows
// rewritten in the results format, the result lines, the drawing to scale and the buttons. It
// owns what it shows: the texts of both answers, which of them is on screen, the other answer on
// offer and whether editing is refused while the second is shown.
class ResultsScreen {
  public:
    explicit ResultsScreen(Display& display);

    // A fresh start: nothing shown, nothing on offer, the first answer chosen.
    void reset();
    // A new solve: editing is allowed again, and an oblique one's second answer (or none) is on
    // offer. The answer chosen last stays chosen.
    void allowEditing() { editBlocked_ = false; }
    void offer(const std::optional<Triangle>& second) { second_ = second; }
    // The case that solved the answers shown, which the figures page names.
    void solvedBy(CaseKind kind) { solvedBy_ = kind; }
    CaseKind solvedBy() const { return solvedBy_; }
    // Back to the entries: no other answer is on offer any longer.
    void withdrawOffer() { second_.reset(); }
    bool secondOnOffer() const { return second_.has_value(); }
    const std::optional<Triangle>& secondAnswer() const { return second_; }
    bool secondChosen() const { return secondChosen_; }
    // Which answer is on screen: the second only in Oblique mode, while one is on offer and
    // chosen.
    bool secondOnScreen(SolveMode mode) const {
        return mode == SolveMode::Oblique && second_ && secondChosen_;
    }
    bool editBlocked() const { return editBlocked_; }
    // Chooses the other answer, and refuses editing while it is the second; true when it is.
    bool chooseOtherAnswer();

    // The first answer, with its drawing and both buttons.
    void showFirstAnswer(SolveMode mode, const Triangle& first);
    // The second answer over a main screen just drawn, its drawing first; Print only.
    void showSecondAnswer();
    // The oblique drawing of the first answer alone, on the way back to it from the second.
    void drawFirstOblique(const Triangle& first);
    void drawButtons(bool withEdit) const;

    // The lines Print sends for the answer on screen, and the clipboard copies.
    std::vector<std::string> shownLines(SolveMode mode) const;
    const AnswerTexts& firstTexts() const { return firstTexts_; }
    const AnswerTexts& secondTexts() const { return secondTexts_; }
    // The result lines of the triangle drawn last.
    const ResultLines& lines() const { return lines_; }

  private:
    Display& display_;
    std::optional<Triangle> second_;
    bool secondChosen_ = false;
    bool editBlocked_ = false;
    CaseKind solvedBy_ = CaseKind::None;
    AnswerTexts firstTexts_;
    AnswerTexts secondTexts_;
    // The result lines of the triangle drawn last (either answer).
    ResultLines lines_;
};

}  // namespace solvara
