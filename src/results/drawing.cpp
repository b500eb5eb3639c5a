// SPDX-License-Identifier: GPL-2.0-or-later
// The solved triangle drawn to scale in the frame at the upper right, with its letters, and the
// height and width texts the drawing makes. The geometry comes from triangle_layout; this file
// only hands it to the surface.
#include "app/program.h"
#include "platform/text/number_format.h"
#include "results/result_lines.h"
#include "results/triangle_layout.h"
#include "solver/solver.h"

namespace solvara {

namespace {

constexpr int kSideColour = 2;    // green
constexpr int kLetterColour = 0;  // black

void clearFrame(Display& display, int background) {
    display.line(kDrawingFrame.left, kDrawingFrame.top, kDrawingFrame.right, kDrawingFrame.bottom,
                 background, Shape::FilledBox);
}

// Only the part inside the frame is drawn: an extreme triangle can put a vertex far outside it
// (or at no finite place at all), and nothing of the drawing may land on the rest of the screen.
void drawClipped(Display& display, const Segment& segment, int colour) {
    if (const auto inside = clipToFrame(segment))
        display.line(inside->from.x, inside->from.y, inside->to.x, inside->to.y, colour,
                     Shape::Segment);
}

void drawSide(Display& display, PointD from, PointD to) {
    drawClipped(display, Segment{from, to}, kSideColour);
}

void drawLetter(Display& display, Letter letter, const TriangleVertices& vertices,
                DrawingKind kind) {
    const Figure figure = letterFigure(letter, letterAnchor(letter, vertices, kind), kind);
    for (const Arc& arc : figure.arcs)
        if (arcFitsFrame(arc))
            display.circle(arc.centre.x, arc.centre.y, arc.radiusPx, kLetterColour, arc.startRad,
                           arc.endRad);
    for (const Segment& segment : figure.segments)
        drawClipped(display, segment, kLetterColour);
}

// Both drawings put the sides and letters down in the same order.
void drawSidesAndLetters(Display& display, const TriangleVertices& v, DrawingKind kind) {
    drawSide(display, v.a, v.b);
    drawLetter(display, Letter::Z, v, kind);
    drawSide(display, v.a, v.c);
    drawLetter(display, Letter::X, v, kind);
    drawLetter(display, Letter::A, v, kind);
    drawLetter(display, Letter::C, v, kind);
    drawSide(display, v.c, v.b);
    drawLetter(display, Letter::Y, v, kind);
    drawLetter(display, Letter::B, v, kind);
}

}  // namespace

void Program::drawRightTriangle() {
    TriangleValues& v = values_;
    clearFrame(display_, kBackgroundColour);

    // A right triangle's height and width are its legs, as the results screen has written them.
    v.area = rightTriangleArea(v.x, v.y);
    v.heightText = v.yText;
    v.widthText = v.xText;
    writeResultLines(display_, kBackgroundColour, v.heightText, v.widthText, v.areaText);

    drawSidesAndLetters(display_, layOutRightTriangle(v.x, v.y).vertices, DrawingKind::Right);
}

void Program::drawObliqueTriangle() {
    const AlternateSolution& alt = values_.alternate;
    const bool second = alt.otherAnswerAvailable && alt.otherAnswerShown;
    const double x = second ? alt.x : values_.x;
    const double y = second ? alt.y : values_.y;
    const double a = second ? alt.a : values_.a;
    const double b = second ? alt.b : values_.b;
    const double c = second ? alt.c : values_.c;

    clearFrame(display_, kBackgroundColour);
    display_.setColors(0, kBackgroundColour);
    drawSidesAndLetters(display_, layOutObliqueTriangle(x, y, a, b, c).vertices,
                        DrawingKind::Oblique);

    const HeightAndWidth hw = obliqueHeightAndWidth(x, y, c);
    values_.heightText = formatMaskedToFit(hw.height, kMask8, kValueFieldWidth);
    values_.widthText = formatMaskedToFit(hw.width, kMask8, kValueFieldWidth);
    writeResultLines(display_, kBackgroundColour, values_.heightText, values_.widthText,
                     second ? second_.areaText : values_.areaText);
}

}  // namespace solvara
