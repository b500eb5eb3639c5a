// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/results_screen.h"

#include <string>

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "results/drawing.h"
#include "results/printing.h"
#include "results/result_lines.h"
#include "solver/solver.h"
#include "values/dms_text.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

using namespace results_layout;

// A value in a mask, within the value field.
std::string fitted(double value, const char* mask) {
    return formatMaskedToFit(value, mask, panel::kValueFieldWidth);
}

void writeRow(Display& display, Entry e, const std::string& text) {
    display.printAt(panel::rowOf(e), panel::kLabelColumn, entryLabel(e) + text, {kText});
}

// A shorter value must not leave characters of a longer one behind.
void blankValueField(Display& display) {
    const std::string blanks(panel::kValueFieldWidth, ' ');
    for (int row = panel::kFirstRow; row <= panel::kLastBlankedRow; ++row) {
        display.printAt(row, panel::kValueColumn, blanks);
    }
}

// Writes the rows and the result lines of one answer, in the screen's drawing order: the values
// in the eight-decimal format, the result lines, then each angle's degree text, with B and C
// written a second time in the nine-decimal format they keep.
void writeAnswer(Display& display, const Triangle& t, const AnswerTexts& texts,
                 const ResultLines& lines) {
    blankValueField(display);
    for (const Entry e : {Entry::X, Entry::Y, Entry::Z, Entry::A})
        writeRow(display, e, texts.of(e));
    writeRow(display, Entry::B, fitted(t.b, kMask8));
    writeRow(display, Entry::C, fitted(t.c, kMask8));

    writeResultLines(display, lines);

    writeRow(display, Entry::D, texts.d);
    writeRow(display, Entry::E, texts.e);
    writeRow(display, Entry::B, texts.b);
    writeRow(display, Entry::F, texts.f);
    writeRow(display, Entry::C, texts.c);
}

}  // namespace

AnswerTexts answerTexts(const Triangle& t, double area) {
    AnswerTexts texts;
    texts.x = fitted(t.x, kMask8);
    texts.y = fitted(t.y, kMask8);
    texts.z = fitted(t.z, kMask8);
    texts.a = fitted(t.a, kMask8);
    texts.b = fitted(t.b, kMask9);
    texts.c = fitted(t.c, kMask9);
    texts.d = toDmsText(t.a);
    texts.e = toDmsText(t.b);
    texts.f = toDmsText(t.c);
    texts.area = fitted(area, kMask8);
    return texts;
}

void drawOtherAnswerControl(Display& display) {
    display.fillBox(kOtherAnswerBox, Colour::Green);
    display.box(kOtherAnswerBox, Colour::Blue);
    display.printAt(kOtherAnswerRow, kOtherAnswerColumn, kOtherAnswerLabel, {Colour::Green});
}

ResultsScreen::ResultsScreen(Display& display) : display_(display) {}

void ResultsScreen::reset() {
    second_.reset();
    secondChosen_ = false;
    editBlocked_ = false;
    solvedBy_ = CaseKind::None;
}

bool ResultsScreen::chooseOtherAnswer() {
    secondChosen_ = !secondChosen_;
    editBlocked_ = secondChosen_;
    return secondChosen_;
}

void ResultsScreen::drawButtons(bool withEdit) const {
    display_.printAt(kPrintRow, kPrintColumn, " Print ", {kText});
    display_.box(kPrintButton, kText);
    if (!withEdit) return;
    display_.printAt(kEditRow, kEditColumn, "EDIT", {kText});
    display_.box(kEditButton, kText);
}

void ResultsScreen::showFirstAnswer(SolveMode mode, const Triangle& first) {
    firstTexts_ = answerTexts(first, triangleArea(mode, first));
    lines_ = resultLines(mode, first, firstTexts_.area);
    writeAnswer(display_, first, firstTexts_, lines_);
    if (mode == SolveMode::Right)
        drawRightTriangle(display_, first, lines_);
    else
        drawObliqueTriangle(display_, first, lines_);
    drawButtons(true);
}

void ResultsScreen::showSecondAnswer() {
    const Triangle& s = *second_;
    // The caller has redrawn the main screen, which carries the EDIT button, so only Print is
    // drawn.
    secondTexts_ = answerTexts(s, triangleArea(SolveMode::Oblique, s));
    lines_ = resultLines(SolveMode::Oblique, s, secondTexts_.area);
    drawObliqueTriangle(display_, s, lines_);
    writeAnswer(display_, s, secondTexts_, lines_);
    drawButtons(false);
}

void ResultsScreen::drawFirstOblique(const Triangle& first) {
    lines_ = resultLines(SolveMode::Oblique, first, firstTexts_.area);
    drawObliqueTriangle(display_, first, lines_);
}

std::vector<std::string> ResultsScreen::shownLines(SolveMode mode) const {
    return printedLines(mode, secondOnScreen(mode) ? secondTexts_ : firstTexts_, lines_);
}

}  // namespace solvara
