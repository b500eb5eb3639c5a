// SPDX-License-Identifier: GPL-2.0-or-later
// The results screen: the main screen turned into a report of the solution, without clearing
// it. The value rows are rewritten in the results format, the result lines and the drawing are
// made, and the " Print " and EDIT buttons drawn; then the results loop takes over.
#include <string>

#include "app/program.h"
#include "platform/text/number_format.h"
#include "results/result_lines.h"
#include "solver/solver.h"
#include "values/dms_text.h"

namespace solvara {

namespace {

constexpr int kLabelColumn = 39;
constexpr int kValueColumn = 62;

// A value in a mask, within the 18-character value field.
std::string fitted(double value, const char* mask) {
    return formatMaskedToFit(value, mask, kValueFieldWidth);
}

void writeRow(Display& display, EntryId row, const std::string& text) {
    display.locate(row, kLabelColumn);
    display.print(std::string(entryLabel(row)) + text, false);
}

// A shorter value must not leave characters of a longer one behind.
void blankValueField(Display& display) {
    const std::string blanks(kValueFieldWidth, ' ');
    for (int row = entry::kFirst; row <= entry::kLast + 1; ++row) {
        display.locate(row, kValueColumn);
        display.print(blanks, false);
    }
}

// Writes the rows and the result lines of one answer, in the screen's drawing order: the values
// in the eight-decimal format, the result lines, then each angle's degree text, with B and C
// written a second time in the nine-decimal format they keep. The first answer's texts live in
// TriangleValues, the second's in the program's copies (the same field names), so that
// switching back finds the first answer untouched.
template <class Answer>
void writeAnswer(Display& display, int background, Answer& v, const std::string& heightText,
                 const std::string& widthText) {
    v.xText = fitted(v.x, kMask8);
    v.yText = fitted(v.y, kMask8);
    v.zText = fitted(v.z, kMask8);
    v.aText = fitted(v.a, kMask8);
    v.bText = fitted(v.b, kMask8);
    v.cText = fitted(v.c, kMask8);
    v.areaText = fitted(v.area, kMask8);

    blankValueField(display);
    writeRow(display, entry::X, v.xText);
    writeRow(display, entry::Y, v.yText);
    writeRow(display, entry::Z, v.zText);
    writeRow(display, entry::A, v.aText);
    writeRow(display, entry::B, v.bText);
    writeRow(display, entry::C, v.cText);

    writeResultLines(display, background, heightText, widthText, v.areaText);

    v.dText = toDmsText(v.a, v.aParts, v.aTenthsText);
    writeRow(display, entry::D, v.dText);
    v.eText = toDmsText(v.b, v.bParts, v.bTenthsText);
    writeRow(display, entry::E, v.eText);
    v.bText = fitted(v.b, kMask9);
    writeRow(display, entry::B, v.bText);
    v.fText = toDmsText(v.c, v.cParts, v.cTenthsText);
    writeRow(display, entry::F, v.fText);
    v.cText = fitted(v.c, kMask9);
    writeRow(display, entry::C, v.cText);
}

}  // namespace

void Program::drawResultButtons(bool withEdit) {
    display_.setColors(0, kBackgroundColour);
    display_.locate(28, 7);
    display_.print(" Print ", false);
    display_.line(46, 428, 104, 451, std::nullopt, Shape::Box);
    if (!withEdit) return;
    display_.locate(15, 24);
    display_.print("EDIT", true);
    display_.line(173, 218, 226, 242, std::nullopt, Shape::Box);
}

Step Program::showResults() {
    TriangleValues& v = values_;
    display_.setColors(0, kBackgroundColour);
    if (v.solveMode == SolveMode::Right) {
        v.area = rightTriangleArea(v.x, v.y);
        // The legs, as the panel last wrote them; the drawing sets them again.
        v.heightText = v.yText;
        v.widthText = v.xText;
    } else {
        v.area = obliqueTriangleArea(v.x, v.z, v.a);
    }

    // Until the oblique drawing below, the result lines show the previous drawing's height and
    // width.
    writeAnswer(display_, kBackgroundColour, v, v.heightText, v.widthText);

    if (v.solveMode == SolveMode::Right)
        drawRightTriangle();
    else
        drawObliqueTriangle();
    drawResultButtons(true);
    return Step::ResultsLoop;
}

Step Program::showSecondAnswer() {
    const AlternateSolution& alt = values_.alternate;
    SecondAnswer& s = second_;
    s.x = alt.x;
    s.y = alt.y;
    s.z = alt.z;
    s.a = alt.a;
    s.b = alt.b;
    s.c = alt.c;
    s.area = obliqueTriangleArea(s.x, s.z, s.a);

    display_.setColors(0, kBackgroundColour);
    // The height and width are those the drawing has just made of the second answer. The
    // caller has redrawn the main screen, which carries the EDIT button, so only Print is drawn.
    writeAnswer(display_, kBackgroundColour, s, values_.heightText, values_.widthText);
    // The record's own copy of the second area, for whoever reads it there.
    values_.secondArea = s.area;
    values_.secondAreaText = s.areaText;
    drawResultButtons(false);
    return Step::ResultsLoop;
}

Step Program::switchAnswer() {
    AlternateSolution& alt = values_.alternate;
    const bool toSecond = !alt.otherAnswerShown;
    alt.otherAnswerShown = toSecond;
    values_.editBlocked = toSecond;

    // The click that asked for the switch must not be taken again by the results loop.
    input_.setPointer(320, 240, std::nullopt);
    input_.pause(50);
    (void)input_.readPointer();
    clickX_ = 0;
    clickY_ = 0;
    clickButtons_ = 0;
    lastKey_.clear();

    drawMainScreen();
    drawObliqueTriangle();
    // Going back, the first answer is checked again and shown by the results screen.
    return toSecond ? showSecondAnswer() : checkSolution();
}

}  // namespace solvara
