// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/triangle_layout.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "solver/trig.h"

namespace solvara {

namespace {

// Nearest whole number, halves to the even neighbour (the default rounding mode).
double nearest(double v) {
    return std::nearbyint(v);
}

// Design units to pixels.
constexpr double u(double units) {
    return units * kDesignUnitPx;
}

PointD offset(PointD p, double dx, double dy) {
    return PointD{p.x + dx, p.y + dy};
}

PointD midpoint(PointD p, PointD q) {
    return PointD{(p.x + q.x) / 2, (p.y + q.y) / 2};
}

// One rule of a list: when `holds`, the list's value becomes `value`.
struct Rule {
    bool holds = false;
    double value = 0;
};

// Every rule that holds sets the value, so the last one that holds wins; with none the value
// comes through unchanged.
double applyRules(double value, std::initializer_list<Rule> rules) {
    for (const Rule& rule : rules)
        if (rule.holds) value = rule.value;
    return value;
}

// A margin rule's value, given in design units, as the whole pixels it is kept in.
double marginPx(double units) {
    return nearest(u(units));
}

}  // namespace

RightLayout layOutRightTriangle(double x, double y) {
    RightLayout layout;
    double widthPx = 0;
    double heightPx = 0;
    if (y > x) {
        layout.scalePxPerUnit = kFitLengthPx / y;
        heightPx = kFitLengthPx;
        widthPx = layout.scalePxPerUnit * x;
    } else {
        layout.scalePxPerUnit = kFitLengthPx / x;
        widthPx = kFitLengthPx;
        heightPx = layout.scalePxPerUnit * y;
    }
    layout.vertices.a = PointD{kRightOriginXPx, kBaseLinePx};
    layout.vertices.c = PointD{kRightOriginXPx + widthPx, kBaseLinePx};
    layout.vertices.b = PointD{kRightOriginXPx + widthPx, kBaseLinePx - heightPx};
    return layout;
}

double obliqueOriginX(double a, double b, double c) {
    // Each list moves the picture right for the shapes that lean left of vertex A (an obtuse A,
    // small B and C); the mean with the plain origin softens the move.
    double v = 380;
    const double q1 = v = applyRules(v, {
                                            {a < 40 && c > 90, 400},
                                            {a < 30 && c > 110, 425},
                                            {a > 90 && b < 30, 450},
                                            {a > 100 && b < 20, 460},
                                            {a > 130 && b < 20, 470},
                                            {a > 150 && b < 20, 480},
                                        });
    const double q2 = v = applyRules(v, {
                                            {b > 90, 370},
                                            {b > 120, 400},
                                        });
    const double q3 = v = applyRules(v, {
                                            {c < 50 && b < 50, 450},
                                            {c < 40 && b < 40, 475},
                                            {c < 20 && b < 20, 500},
                                            {c < 10 && b < 15, 525},
                                        });
    const double q4 = v = applyRules(v, {
                                            {b < 20, 450},
                                            {b < 10, 475},
                                        });
    return (q1 + q2 + q3 + q4 + 380) / 5;
}

int obliqueMargin(double a, double b, double c) {
    const bool any75 = a > 75 || b > 75 || c > 75;
    const bool any100 = a > 100 || b > 100 || c > 100;
    const bool any110 = a > 110 || b > 110 || c > 110;
    const bool any140 = a > 140 || b > 140 || c > 140;
    const bool any150 = a > 150 || b > 150 || c > 150;
    const bool any170 = a > 170 || b > 170 || c > 170;
    // Thin shapes with a wide angle at A: A above, B and C below the given bounds.
    auto thin = [&](double aAbove, double bBelow, double cBelow) {
        return a > aAbove && b < bBelow && c < cBelow;
    };

    double v = marginPx(200);
    const double m1 = v = applyRules(v, {
                                            {any75, marginPx(200)},
                                            {any100, marginPx(210)},
                                            {any110, marginPx(220)},
                                            {any140, marginPx(250)},
                                            {any150, marginPx(300)},
                                            {any170, marginPx(500)},
                                            {thin(130, 30, 50), marginPx(500)},
                                            {thin(140, 20, 30), marginPx(700)},
                                            {thin(140, 20, 20), marginPx(800)},
                                            {thin(150, 10, 20), marginPx(950)},
                                            {thin(150, 10, 10), marginPx(950)},
                                            {thin(155, 10, 25), marginPx(1100)},
                                            {thin(160, 10, 10), marginPx(1300)},
                                            {thin(155, 5, 20), marginPx(1400)},
                                            {thin(163, 7, 10), marginPx(1400)},
                                            {thin(151, 9, 20), marginPx(1500)},
                                            {thin(155, 7, 18), marginPx(1700)},
                                            {thin(150, 6, 24), marginPx(1800)},
                                            {thin(150, 4, 26), marginPx(2000)},
                                            {thin(155, 5, 20), marginPx(2000)},
                                            {thin(155, 4, 20), marginPx(2200)},
                                            {thin(145, 8, 30), marginPx(2300)},
                                            {thin(160, 5, 20), marginPx(3000)},
                                        });
    const double m2 = v = applyRules(v, {
                                            {c < 75, marginPx(200)},
                                            {c < 50, marginPx(450)},
                                            {c < 40, marginPx(900)},
                                            {c < 30, marginPx(1100)},
                                            {c < 20, marginPx(1200)},
                                            {c < 10, marginPx(1250)},
                                        });
    const double m3 = v = applyRules(v, {
                                            {b < 75, marginPx(225)},
                                            {b < 50, marginPx(250)},
                                            {b < 40, marginPx(300)},
                                            {b < 30, marginPx(400)},
                                            {b < 20, marginPx(700)},
                                            {b < 10, marginPx(1000)},
                                        });
    const double m4 = v = applyRules(v, {
                                            {a < 75, marginPx(200)},
                                            {a < 50, marginPx(210)},
                                            {a < 40, marginPx(220)},
                                            {a < 30, marginPx(230)},
                                            {a < 20, marginPx(250)},
                                            {a > 90, marginPx(400)},
                                            {a > 110, marginPx(600)},
                                            {a > 130, marginPx(900)},
                                            {a > 150, marginPx(1000)},
                                            {a > 160, marginPx(1100)},
                                        });
    // Every term is a whole number of at most 180 pixels, so the conversion is exact.
    return static_cast<int>(nearest((m1 + m2 + m3 + m4 + 1) / 5));
}

ObliqueLayout fitObliqueTriangle(double x, double y, double a, double b, double c) {
    ObliqueLayout layout;
    layout.originX = obliqueOriginX(a, b, c);
    layout.marginPx = obliqueMargin(a, b, c);
    const double m = layout.marginPx;
    const double tanC = std::tan(c * kRadPerDeg);

    // The fit measures the offset of B's foot from C; with an obtuse A it takes it at 90 + C
    // degrees, which gives a narrower span than the one drawn. The larger margins that the
    // rule lists give such shapes keep them inside the frame all the same.
    layout.height = y * std::sin(c * kRadPerDeg);
    layout.offset =
        a <= 90 ? layout.height / tanC : layout.height / std::tan((90 + c) * kRadPerDeg);
    layout.fitWidth = x;
    if (layout.offset < 0)
        layout.fitWidth = x + std::fabs(layout.offset);
    else if (layout.offset > x)
        layout.fitWidth = layout.offset;

    const double fit = kFitLengthPx - 2 * m;
    layout.scalePxPerUnit =
        layout.height > layout.fitWidth ? fit / layout.height : fit / layout.fitWidth;
    const double w = layout.scalePxPerUnit * x + m;
    const double hh = layout.scalePxPerUnit * layout.height + m;

    const double ox = layout.originX;
    layout.vertices.a = PointD{ox + m, kBaseLinePx - m};
    layout.vertices.c = PointD{ox + w, kBaseLinePx - m};
    layout.vertices.b = PointD{ox + w - (hh - m) / tanC, kBaseLinePx - hh};
    return layout;
}

Figure letterFigure(Letter letter, PointD p, DrawingKind kind) {
    Figure f;
    // A segment between two points given in design units from the anchor.
    auto seg = [&](PointD anchor, double x1, double y1, double x2, double y2) {
        f.segments.push_back(Segment{offset(anchor, u(x1), u(y1)), offset(anchor, u(x2), u(y2))});
    };
    switch (letter) {
        case Letter::A:  // two legs meeting at the top, and the cross bar, left of the anchor
            seg(p, -100, 75, -175, -75);
            seg(p, -250, 75, -175, -75);
            seg(p, -150, 25, -225, 25);
            break;
        case Letter::X:  // below the anchor
            seg(p, -72, 150, 72, 300);
            seg(p, 72, 150, -72, 300);
            break;
        case Letter::Z: {
            const PointD corner = kind == DrawingKind::Right ? offset(p, u(-250), u(-278))
                                                             : offset(p, u(-270), u(-238));
            seg(corner, 0, 0, 144, 0);
            seg(corner, 0, -148, 144, -148);
            seg(corner, 0, 0, 144, -148);
            break;
        }
        case Letter::C: {
            const double dx = kind == DrawingKind::Right ? u(225) : u(250);
            f.arcs.push_back(Arc{offset(p, dx, 0), u(75), 0.75, 5.5});
            break;
        }
        case Letter::Y:
            seg(p, 225, 72, 225, -16);
            seg(p, 300, -72, 225, 0);
            seg(p, 150, -72, 225, 0);
            break;
        case Letter::B: {
            f.arcs.push_back(Arc{offset(p, u(227), u(-113)), u(36), 5, 2});
            f.arcs.push_back(Arc{offset(p, u(227), u(-34)), u(37), 5, 2});
            seg(p, 174, -70, 226, -70);
            // The bars and the stem sit one pixel further left; the right drawing reaches one
            // more pixel left with the bars' left ends.
            const PointD q = offset(p, -1, 0);
            const double barLeft = u(174) - (kind == DrawingKind::Right ? 1 : 0);
            f.segments.push_back(
                Segment{offset(q, barLeft, 1), offset(q, u(227) + 1, 1)});  // bottom bar
            f.segments.push_back(Segment{offset(q, barLeft, u(-150)), offset(q, u(227), u(-150))});
            seg(q, 175, 0, 175, -150);  // stem
            break;
        }
    }
    return f;
}

PointD letterAnchor(Letter letter, const TriangleVertices& v, DrawingKind kind) {
    const bool right = kind == DrawingKind::Right;
    switch (letter) {
        case Letter::A:
            return v.a;
        case Letter::B:
            return right ? offset(v.b, 0, -10) : offset(v.b, -15, -20);
        case Letter::C:
            return right ? v.c : offset(v.c, 0, 3);
        case Letter::X:
            return midpoint(v.a, v.c);
        case Letter::Y:
            return right ? offset(midpoint(v.c, v.b), 0, -10) : offset(midpoint(v.c, v.b), 5, 0);
        case Letter::Z:
            return right ? midpoint(v.a, v.b) : offset(midpoint(v.a, v.b), 0, 15);
    }
    return v.a;
}

namespace {

// Bounds in pixels as the fit works them out, in doubles.
struct BoundsD {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// How far the letters of a drawing reach beyond the vertex or side they stand at: the bounds of
// all six letters when every vertex (and so every side's middle) is at (0, 0). The left and top
// are negative or zero.
BoundsD letterRoom(DrawingKind kind) {
    const TriangleVertices origin{};
    BoundsD room;
    auto reach = [&room](double x0, double y0, double x1, double y1) {
        room.left = std::fmin(room.left, x0);
        room.top = std::fmin(room.top, y0);
        room.right = std::fmax(room.right, x1);
        room.bottom = std::fmax(room.bottom, y1);
    };
    for (const Letter letter : {Letter::A, Letter::B, Letter::C, Letter::X, Letter::Y, Letter::Z}) {
        const Figure f = letterFigure(letter, letterAnchor(letter, origin, kind), kind);
        for (const Segment& s : f.segments)
            for (const PointD p : {s.from, s.to})
                reach(p.x, p.y, p.x, p.y);
        for (const Arc& arc : f.arcs)
            reach(arc.centre.x - arc.radiusPx, arc.centre.y - arc.radiusPx,
                  arc.centre.x + arc.radiusPx, arc.centre.y + arc.radiusPx);
    }
    return room;
}

bool inFrame(PointD p) {
    return p.x >= kDrawingFrame.left && p.x <= kDrawingFrame.right && p.y >= kDrawingFrame.top &&
           p.y <= kDrawingFrame.bottom;
}

bool finite(PointD p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

ObliqueLayout layOutObliqueTriangle(double x, double y, double a, double b, double c) {
    ObliqueLayout layout = fitObliqueTriangle(x, y, a, b, c);
    TriangleVertices& v = layout.vertices;
    const PointD corners[] = {v.a, v.b, v.c};
    // A vertex at no finite place cannot be brought in; the drawing clips what it can.
    if (std::ranges::all_of(corners, inFrame) || !std::ranges::all_of(corners, finite))
        return layout;

    // Where the vertices may go: the frame less the letters' room.
    BoundsD box{double(kDrawingFrame.left), double(kDrawingFrame.top), double(kDrawingFrame.right),
                double(kDrawingFrame.bottom)};
    const BoundsD room = letterRoom(DrawingKind::Oblique);
    box.left -= room.left;
    box.top -= room.top;
    box.right -= room.right;
    box.bottom -= room.bottom;

    const double left = std::fmin(v.a.x, std::fmin(v.b.x, v.c.x));
    const double right = std::fmax(v.a.x, std::fmax(v.b.x, v.c.x));
    const double top = std::fmin(v.a.y, std::fmin(v.b.y, v.c.y));
    const double bottom = std::fmax(v.a.y, std::fmax(v.b.y, v.c.y));
    const double width = right - left;
    const double height = bottom - top;
    const double larger = std::fmax(width, height);
    const double scale =
        larger > 0 ? std::fmin(kFitLengthPx / larger, std::fmin((box.right - box.left) / width,
                                                                (box.bottom - box.top) / height))
                   : 1;
    const PointD from{(left + right) / 2, (top + bottom) / 2};
    const PointD to{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    for (PointD* p : {&v.a, &v.b, &v.c})
        *p = PointD{to.x + (p->x - from.x) * scale, to.y + (p->y - from.y) * scale};
    layout.scalePxPerUnit *= scale;
    return layout;
}

bool arcFitsFrame(const Arc& arc, const Rect& frame) {
    const PointD c = arc.centre;
    const double r = arc.radiusPx;
    if (!std::isfinite(c.x) || !std::isfinite(c.y) || !std::isfinite(r)) return false;
    return c.x - r >= frame.left && c.x + r <= frame.right && c.y - r >= frame.top &&
           c.y + r <= frame.bottom;
}

}  // namespace solvara
