// SPDX-License-Identifier: GPL-2.0-or-later
// The drawing of the results screen as a picture file. The geometry is triangle_layout's, the
// same the screen hands to the surface; here it goes to a line drawing that cairo writes.
#include "results/drawing_file.h"

#include <cmath>
#include <filesystem>

#include "platform/display/colour.h"
#include "platform/text/number_format.h"
#include "results/triangle_layout.h"

namespace solvara {

namespace {

// The screen's green and black, on white.
constexpr Rgb kSideRgb = kProgramGreen;
constexpr Rgb kLetterRgb{0, 0, 0};

// Line widths in screen pixels, whose lines are one pixel wide. The letters are a little finer,
// so that their small figures stay open when enlarged.
constexpr double kSideWidthPx = 1;
constexpr double kLetterWidthPx = 0.75;

constexpr double kSvgPixelsPerScreenPixel = 2;
constexpr double kPngPixelsPerScreenPixel = 4;

// The right angle's square: this long a side, but no more than this share of the shorter leg,
// and left out when that leaves it shorter than a pixel.
constexpr double kRightAngleMarkPx = 8;
constexpr double kRightAngleMarkShare = 0.3;
constexpr double kRightAngleMarkLeastPx = 1;

DrawingPoint point(PointD p) {
    return DrawingPoint{p.x, p.y};
}

DrawingStroke letterStroke(Letter letter, const TriangleVertices& v, DrawingKind kind) {
    const Figure figure = letterFigure(letter, letterAnchor(letter, v, kind), kind);
    DrawingStroke stroke{kLetterRgb, kLetterWidthPx, {}, {}};
    for (const Segment& s : figure.segments)
        stroke.lines.push_back(DrawingLine{{point(s.from), point(s.to)}, false});
    for (const Arc& a : figure.arcs)
        stroke.arcs.push_back(DrawingArc{point(a.centre), a.radiusPx, a.startRad, a.endRad});
    return stroke;
}

// An oblique answer has its right angle marked when the results show C as 90 degrees, that is
// when it differs from 90 by less than C's last decimal there.
bool rightAngleAtC(SolveMode mode, const Triangle& t) {
    return mode == SolveMode::Right || formatMasked(t.c, kMask9) == "90.0";
}

// The square in the corner at C, its sides along CA and CB.
DrawingStroke rightAngleMark(const TriangleVertices& v) {
    DrawingStroke stroke{kLetterRgb, kLetterWidthPx, {}, {}};
    const double toA = std::hypot(v.a.x - v.c.x, v.a.y - v.c.y);
    const double toB = std::hypot(v.b.x - v.c.x, v.b.y - v.c.y);
    const double side = std::fmin(kRightAngleMarkPx, kRightAngleMarkShare * std::fmin(toA, toB));
    if (!(side >= kRightAngleMarkLeastPx)) return stroke;  // also for a vertex at no finite place
    const DrawingPoint alongA{(v.a.x - v.c.x) / toA * side, (v.a.y - v.c.y) / toA * side};
    const DrawingPoint alongB{(v.b.x - v.c.x) / toB * side, (v.b.y - v.c.y) / toB * side};
    stroke.lines.push_back(
        DrawingLine{{DrawingPoint{v.c.x + alongA.x, v.c.y + alongA.y},
                     DrawingPoint{v.c.x + alongA.x + alongB.x, v.c.y + alongA.y + alongB.y},
                     DrawingPoint{v.c.x + alongB.x, v.c.y + alongB.y}},
                    false});
    return stroke;
}

}  // namespace

LineDrawing answerDrawing(SolveMode mode, const Triangle& t) {
    const DrawingKind kind = mode == SolveMode::Right ? DrawingKind::Right : DrawingKind::Oblique;
    const TriangleVertices v = kind == DrawingKind::Right
                                   ? layOutRightTriangle(t.x, t.y).vertices
                                   : layOutObliqueTriangle(t.x, t.y, t.a, t.b, t.c).vertices;
    LineDrawing drawing;
    // The frame's corner pixels are part of it: the picture reaches half a pixel beyond their
    // centres.
    drawing.left = kDrawingFrame.left - 0.5;
    drawing.top = kDrawingFrame.top - 0.5;
    drawing.width = kDrawingFrame.right - kDrawingFrame.left + 1;
    drawing.height = kDrawingFrame.bottom - kDrawingFrame.top + 1;
    drawing.ground = Rgb{255, 255, 255};

    // Side X from A to C, Y from C to B, Z from B back to A.
    drawing.strokes.push_back(DrawingStroke{
        kSideRgb, kSideWidthPx, {DrawingLine{{point(v.a), point(v.c), point(v.b)}, true}}, {}});
    for (const Letter letter : {Letter::Z, Letter::X, Letter::A, Letter::C, Letter::Y, Letter::B})
        drawing.strokes.push_back(letterStroke(letter, v, kind));
    if (rightAngleAtC(mode, t)) drawing.strokes.push_back(rightAngleMark(v));
    return drawing;
}

std::string writeAnswerDrawing(SolveMode mode, const Triangle& t, PictureFormat format,
                               const std::string& path) {
    const double scale =
        format == PictureFormat::Svg ? kSvgPixelsPerScreenPixel : kPngPixelsPerScreenPixel;
    return writeLineDrawing(answerDrawing(mode, t), format, scale, path);
}

std::string answerFilePath(const std::string& path, int number) {
    if (number <= 1) return path;
    std::filesystem::path file(path);
    const std::string suffix = "-" + std::to_string(number);
    // "tri.svg": stem "tri", extension ".svg". A name that starts with its only point, ".svg",
    // is all stem.
    file.replace_filename(file.stem().string() + suffix + file.extension().string());
    return file.string();
}

}  // namespace solvara
