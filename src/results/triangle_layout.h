// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <vector>

#include "platform/geometry.h"

namespace solvara {

// Where the results screen puts the solved triangle and its letters, as pure geometry: pixel
// coordinates (x to the right, y downwards) in doubles, never rounded or converted here. The
// drawing code hands these to the surface, which makes whole pixels of them.
//
// The picture keeps side X horizontal at the bottom, vertex A at its left end, C at its right
// end and B above. All letter shapes are designed in units of 0.06 pixel.

struct PointD {
    double x = 0;
    double y = 0;
};

inline constexpr double kDesignUnitPx = 0.06;
// The larger of the triangle's width and height is drawn this long: nearest(3084 units).
inline constexpr double kFitLengthPx = 185;
// Top of the drawing area and the right drawing's x of vertex A.
inline constexpr double kDrawingTopPx = 70;
inline constexpr double kRightOriginXPx = 410;
// Side X lies on this line before the margin lifts it.
inline constexpr double kBaseLinePx = kDrawingTopPx + kFitLengthPx;

// The frame the drawing owns, corners inclusive: cleared before each drawing, nothing drawn
// outside it.
inline constexpr Rect kDrawingFrame{350, 35, 638, 280};

enum class DrawingKind { Right, Oblique };

struct TriangleVertices {
    PointD a, b, c;
};

struct RightLayout {
    double scalePxPerUnit = 0;
    TriangleVertices vertices;
};

// Right angle at C, lower right; the longer leg is drawn kFitLengthPx long.
RightLayout layOutRightTriangle(double x, double y);

struct ObliqueLayout {
    double originX = 0;  // ox: the frame's horizontal origin, before the margin
    int marginPx = 0;    // m: whole pixels
    double height = 0;   // h: height of B over side X, in the triangle's unit
    double offset = 0;   // t: as the fit uses it (see layOutObliqueTriangle)
    double fitWidth = 0;
    double scalePxPerUnit = 0;
    TriangleVertices vertices;
};

// The horizontal origin and the margin follow from the three angles (degrees) alone: four lists
// of rules each, applied in turn to one carried value.
double obliqueOriginX(double a, double b, double c);
int obliqueMargin(double a, double b, double c);

// Sides X and Y and the three angles of the answer to draw, fitted by the rule lists' origin and
// margin. For a few shapes (a wide angle at A with tiny B and C, say) that fit leaves a vertex
// outside the frame.
ObliqueLayout fitObliqueTriangle(double x, double y, double a, double b, double c);

// The fit above; or, when it leaves a vertex outside the frame, the same triangle scaled and
// placed in the middle of the frame so that it and its letters lie inside, its larger extent at
// most kFitLengthPx.
ObliqueLayout layOutObliqueTriangle(double x, double y, double a, double b, double c);

// A letter as a figure of one-pixel segments and circle arcs, placed at an anchor point.
struct Segment {
    PointD from, to;
};
struct Arc {
    PointD centre;
    double radiusPx = 0;
    double startRad = 0;  // counter-clockwise from start to end, 0 pointing right
    double endRad = 0;
};
struct Figure {
    std::vector<Segment> segments;
    std::vector<Arc> arcs;
};

enum class Letter { A, B, C, X, Y, Z };

Figure letterFigure(Letter letter, PointD anchor, DrawingKind kind);

// Where each letter of a drawing is anchored, from the triangle's vertices.
PointD letterAnchor(Letter letter, const TriangleVertices& v, DrawingKind kind);

// Whether the arc's whole circle lies inside `frame` (never for a non-finite centre or radius):
// a letter's arc is drawn whole or not at all.
bool arcFitsFrame(const Arc& arc, const Rect& frame = kDrawingFrame);

}  // namespace solvara
