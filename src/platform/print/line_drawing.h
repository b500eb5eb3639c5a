// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/geometry.h"

namespace solvara {

// A drawing made of straight lines and circle arcs on a plain ground, in its own units with y
// growing downwards, written to an SVG or a PNG file. It is drawn by cairo, opened with the
// print libraries (print_libraries.h): nothing is loaded before the first file is written.

struct DrawingPoint {
    double x = 0;
    double y = 0;
};

// A line through `points` in turn; a closed one goes back to its first point with a join.
struct DrawingLine {
    std::vector<DrawingPoint> points;
    bool closed = false;
};

// An arc from `startRad` to `endRad` counter-clockwise as seen, 0 pointing right, as the display
// draws its arcs.
struct DrawingArc {
    DrawingPoint centre;
    double radius = 0;
    double startRad = 0;
    double endRad = 0;
};

// What one pen draws: in an SVG one path element, its lines first, then its arcs.
struct DrawingStroke {
    Rgb colour;
    double width = 1;
    std::vector<DrawingLine> lines;
    std::vector<DrawingArc> arcs;
};

struct LineDrawing {
    // The part of the plane the picture shows.
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    Rgb ground{255, 255, 255};
    std::vector<DrawingStroke> strokes;  // drawn in this order
};

enum class PictureFormat { Svg, Png };

// Writes the drawing `pixelsPerUnit` pixels to its unit: an SVG of that size in pixels, with
// the coordinates of its paths in those pixels from its top-left corner, or an antialiased RGB
// PNG. A line or arc with a coordinate that is no finite number is left out. The file is opened
// only once the whole picture is made, and written through (a device such as /dev/stdout too).
// Returns why the file could not be written ("No such file or directory"), empty when it was.
std::string writeLineDrawing(const LineDrawing& drawing, PictureFormat format, double pixelsPerUnit,
                             const std::string& path);

}  // namespace solvara
