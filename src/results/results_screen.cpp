// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/results_screen.h"

#include <string>

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "results/drawing.h"
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
    display.locate(panel::rowOf(e), panel::kLabelColumn);
    display.print(std::string(entryLabel(e)) + text, false);
}

// A shorter value must not leave characters of a longer one behind.
void blankValueField(Display& display) {
    const std::string blanks(panel::kValueFieldWidth, ' ');
    for (int row = panel::kFirstRow; row <= panel::kLastBlankedRow; ++row) {
        display.locate(row, panel::kValueColumn);
        display.print(blanks, false);
    }
}

// Writes the rows and the result lines of one answer, in the screen's drawing order: the values
// in the eight-decimal format, the result lines, then each angle's degree text, with B and C
// written a second time in the nine-decimal format they keep.
void writeAnswer(Display& display, const Triangle& t, const AnswerTexts& texts,
                 const std::string& heightText, const std::string& widthText) {
    blankValueField(display);
    for (const Entry e : {Entry::X, Entry::Y, Entry::Z, Entry::A})
        writeRow(display, e, texts.of(e));
    writeRow(display, Entry::B, fitted(t.b, kMask8));
    writeRow(display, Entry::C, fitted(t.c, kMask8));

    writeResultLines(display, heightText, widthText, texts.area);

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
    display.setColors(Colour::Green, kBackground);
    display.box(kOtherAnswerBox, Colour::Green, Shape::FilledBox);
    display.box(kOtherAnswerBox, Colour::Blue);
    display.locate(kOtherAnswerRow, kOtherAnswerColumn);
    display.print(kOtherAnswerLabel, false);
    display.setColors(kText, kBackground);
}

ResultsScreen::ResultsScreen(Display& display, TriangleValues& values)
    : display_(display), v_(values) {}

void ResultsScreen::drawButtons(bool withEdit) {
    display_.setColors(kText, kBackground);
    display_.locate(kPrintRow, kPrintColumn);
    display_.print(" Print ", false);
    display_.box(kPrintButton, std::nullopt);
    if (!withEdit) return;
    display_.locate(kEditRow, kEditColumn);
    display_.print("EDIT", true);
    display_.box(kEditButton, std::nullopt);
}

void ResultsScreen::showFirstAnswer() {
    const Triangle& t = v_.triangle;
    const bool right = v_.solveMode == SolveMode::Right;
    display_.setColors(kText, kBackground);
    if (right) {
        // The legs, as the panel last wrote them; the drawing sets them again.
        v_.heightText = v_.texts.y;
        v_.widthText = v_.texts.x;
    }
    // Until the oblique drawing below, the result lines show the previous drawing's height and
    // width.
    v_.texts = answerTexts(t, triangleArea(v_.solveMode, t));
    writeAnswer(display_, t, v_.texts, v_.heightText, v_.widthText);

    if (right)
        drawRightTriangle(display_, v_);
    else
        drawObliqueAnswer();
    drawButtons(true);
}

void ResultsScreen::showSecondAnswer() {
    const Triangle& s = *v_.secondAnswer;
    display_.setColors(kText, kBackground);
    // The height and width are those the drawing has just made of the second answer. The
    // caller has redrawn the main screen, which carries the EDIT button, so only Print is drawn.
    second_ = answerTexts(s, triangleArea(SolveMode::Oblique, s));
    writeAnswer(display_, s, second_, v_.heightText, v_.widthText);
    drawButtons(false);
}

void ResultsScreen::drawObliqueAnswer() {
    const bool second = v_.secondAnswerOnScreen();
    const ResultTexts lines = drawObliqueTriangle(display_, second ? *v_.secondAnswer : v_.triangle,
                                                  second ? second_.area : v_.texts.area);
    v_.heightText = lines.height;
    v_.widthText = lines.width;
}

const AnswerTexts& ResultsScreen::shownTexts() const {
    return v_.secondAnswerOnScreen() ? second_ : v_.texts;
}

}  // namespace solvara
