// SPDX-License-Identifier: GPL-2.0-or-later
// The solved triangle drawn to scale in the frame at the upper right, with its letters, over its
// result lines. The geometry comes from triangle_layout; this file only hands it to the surface.
#include "results/drawing.h"

#include <cmath>

#include "platform/display/display.h"
#include "results/result_lines.h"
#include "results/triangle_layout.h"

namespace solvara {

namespace {

constexpr Colour kSideColour = Colour::Green;
constexpr Colour kLetterColour = Colour::Black;

// The layout keeps a triangle and its letters inside the frame, but not one with a vertex at no
// finite place, which draws nothing; and nothing of the drawing may land on the rest of the
// screen: it is drawn with the frame as the display's clip.
void drawSegment(Display& display, const Segment& s, Colour colour) {
    if (std::isfinite(s.from.x) && std::isfinite(s.from.y) && std::isfinite(s.to.x) &&
        std::isfinite(s.to.y))
        display.segment(s.from.x, s.from.y, s.to.x, s.to.y, colour);
}

void drawSide(Display& display, PointD from, PointD to) {
    drawSegment(display, Segment{from, to}, kSideColour);
}

void drawLetter(Display& display, Letter letter, const TriangleVertices& vertices,
                DrawingKind kind) {
    const Figure figure = letterFigure(letter, letterAnchor(letter, vertices, kind), kind);
    for (const Arc& arc : figure.arcs)
        if (arcFitsFrame(arc))
            display.circle(arc.centre.x, arc.centre.y, arc.radiusPx, kLetterColour, arc.startRad,
                           arc.endRad);
    for (const Segment& segment : figure.segments)
        drawSegment(display, segment, kLetterColour);
}

// Both drawings clear the frame and put the sides and letters down in the same order.
void drawSidesAndLetters(Display& display, const TriangleVertices& v, DrawingKind kind) {
    const ClipTo frame(display, kDrawingFrame);
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
    display.fillBox(kDrawingFrame, kBackground);
    writeResultLines(display, lines);
    drawSidesAndLetters(display, layOutRightTriangle(t.x, t.y).vertices, DrawingKind::Right);
}

void drawObliqueTriangle(Display& display, const Triangle& t, const ResultLines& lines) {
    display.fillBox(kDrawingFrame, kBackground);
    drawSidesAndLetters(display, layOutObliqueTriangle(t.x, t.y, t.a, t.b, t.c).vertices,
                        DrawingKind::Oblique);
    writeResultLines(display, lines);
}

}  // namespace solvara
