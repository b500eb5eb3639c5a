// SPDX-License-Identifier: GPL-2.0-or-later
// The solved triangle drawn to scale in the frame at the upper right, with its letters, over its
// result lines. The geometry comes from triangle_layout; this file only hands it to the surface.
#include "results/drawing.h"

#include "platform/display/display.h"
#include "results/result_lines.h"
#include "results/triangle_layout.h"

namespace solvara {

namespace {

constexpr Colour kSideColour = Colour::Green;
constexpr Colour kLetterColour = Colour::Black;

void clearFrame(Display& display) {
    display.line(kDrawingFrame.left, kDrawingFrame.top, kDrawingFrame.right, kDrawingFrame.bottom,
                 kBackground, Shape::FilledBox);
}

// Only the part inside the frame is drawn. The layout keeps a triangle and its letters inside,
// but not one with a vertex at no finite place, and nothing of the drawing may land on the rest
// of the screen.
void drawClipped(Display& display, const Segment& segment, Colour colour) {
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

void drawRightTriangle(Display& display, const Triangle& t, const ResultLines& lines) {
    clearFrame(display);
    writeResultLines(display, lines);
    drawSidesAndLetters(display, layOutRightTriangle(t.x, t.y).vertices, DrawingKind::Right);
}

void drawObliqueTriangle(Display& display, const Triangle& t, const ResultLines& lines) {
    clearFrame(display);
    display.setColors(Colour::Black, kBackground);
    drawSidesAndLetters(display, layOutObliqueTriangle(t.x, t.y, t.a, t.b, t.c).vertices,
                        DrawingKind::Oblique);
    writeResultLines(display, lines);
}

}  // namespace solvara
