// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/triangle_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace solvara {
namespace {

constexpr double kDeg = 3.141592653589793 / 180;

struct Angles {
    double a, b, c;
};

// The angles of three sides (X opposite B, Y opposite A, Z opposite C), by the law of cosines.
Angles anglesOfSides(double x, double y, double z) {
    const double a = std::acos((z * z + x * x - y * y) / (2 * z * x)) / kDeg;
    const double b = std::acos((y * y + z * z - x * x) / (2 * y * z)) / kDeg;
    return Angles{a, b, 180 - (a + b)};
}

void expectNear(PointD actual, double x, double y, double tolerance, const char* what) {
    EXPECT_NEAR(actual.x, x, tolerance) << what;
    EXPECT_NEAR(actual.y, y, tolerance) << what;
}

TEST(RightLayout, LongerLegIsDrawn185PixelsWithTheRightAngleAtLowerRight) {
    const RightLayout wide = layOutRightTriangle(4, 3);
    expectNear(wide.vertices.a, 410, 255, 1e-12, "A");
    expectNear(wide.vertices.c, 595, 255, 1e-12, "C");
    expectNear(wide.vertices.b, 595, 116.25, 1e-12, "B");

    const RightLayout tall = layOutRightTriangle(3, 4);
    EXPECT_DOUBLE_EQ(tall.vertices.c.y - tall.vertices.b.y, 185) << "CB";
    EXPECT_DOUBLE_EQ(tall.vertices.c.x - tall.vertices.a.x, 138.75) << "AC";
    EXPECT_DOUBLE_EQ(tall.vertices.b.x, tall.vertices.c.x);

    const RightLayout square = layOutRightTriangle(2, 2);
    expectNear(square.vertices.b, 595, 70, 1e-12, "B of equal legs");
}

TEST(RightLayout, LettersSitAtTheirVertices) {
    const TriangleVertices v = layOutRightTriangle(4, 3).vertices;

    // The right angle's mark is an arc of 75 units a little right of C.
    const Figure c =
        letterFigure(Letter::C, letterAnchor(Letter::C, v, DrawingKind::Right), DrawingKind::Right);
    ASSERT_EQ(c.arcs.size(), 1u);
    EXPECT_TRUE(c.segments.empty());
    expectNear(c.arcs[0].centre, 608.5, 255, 1e-9, "C arc centre");
    EXPECT_DOUBLE_EQ(c.arcs[0].radiusPx, 4.5);
    EXPECT_DOUBLE_EQ(c.arcs[0].startRad, 0.75);
    EXPECT_DOUBLE_EQ(c.arcs[0].endRad, 5.5);

    // Z beside the middle of AB, from its corner point up and right.
    const Figure z =
        letterFigure(Letter::Z, letterAnchor(Letter::Z, v, DrawingKind::Right), DrawingKind::Right);
    ASSERT_EQ(z.segments.size(), 3u);
    expectNear(z.segments[0].from, 487.5, 168.945, 1e-9, "Z corner");
    expectNear(z.segments[1].to, 487.5 + 8.64, 168.945 - 8.88, 1e-9, "Z top right");

    // B sits 10 pixels above its vertex; its stem one pixel left of the design position.
    const Figure b =
        letterFigure(Letter::B, letterAnchor(Letter::B, v, DrawingKind::Right), DrawingKind::Right);
    ASSERT_EQ(b.arcs.size(), 2u);
    expectNear(b.arcs[0].centre, 595 + 13.62, 106.25 - 6.78, 1e-9, "B upper bowl");
    ASSERT_EQ(b.segments.size(), 4u);
    expectNear(b.segments[1].from, 595 - 1 + 10.44 - 1, 107.25, 1e-9, "bottom bar, left end");
    expectNear(b.segments[1].to, 595 - 1 + 13.62 + 1, 107.25, 1e-9, "bottom bar, right end");
    expectNear(b.segments[3].from, 595 - 1 + 10.5, 106.25, 1e-9, "stem foot");
}

struct ObliqueCase {
    const char* name;
    double x, y, a, b, c;
    double originX;
    int margin;
    double ax, ay, cx, bx, by;  // expected vertices (A and C share y)
    double fitWidth;
};

ObliqueCase sidesCase(const char* name, double x, double y, double z, double ox, int m, double ax,
                      double ay, double cx, double bx, double by, double fit) {
    const Angles t = anglesOfSides(x, y, z);
    return ObliqueCase{name, x, y, t.a, t.b, t.c, ox, m, ax, ay, cx, bx, by, fit};
}

ObliqueCase ssaCase(const char* name, double x, double y, double a, bool second, double ox, int m,
                    double ax, double ay, double cx, double bx, double by, double fit) {
    double b = std::asin(std::sin(a * kDeg) * x / y) / kDeg;
    if (second) b = 180 - b;
    return ObliqueCase{name, x, y, a, b, 180 - (a + b), ox, m, ax, ay, cx, bx, by, fit};
}

TEST(ObliqueLayout, OriginMarginAndVerticesOfKnownTriangles) {
    const ObliqueCase cases[] = {
        sidesCase("5,6,7", 5, 6, 7, 380, 10, 390, 245, 530.3353, 496.6549, 80, 5),
        // C is obtuse: B lies right of C, and the fit takes X and the overhang.
        ssaCase("10,7,30 first", 10, 7, 30, false, 396, 11, 407, 244, 545.8103, 570.0, 149.8919,
                11.742640687),
        ssaCase("10,7,30 second", 10, 7, 30, true, 392, 34, 426, 221, 543, 464.1111, 198.9965, 10),
        // A is obtuse: B lies left of A.
        sidesCase("4,10,7", 4, 10, 7, 445, 29, 474, 226, 541.1487, 400.5561, 134.2686, 7.565298507),
    };
    for (const ObliqueCase& t : cases) {
        SCOPED_TRACE(t.name);
        const ObliqueLayout layout = layOutObliqueTriangle(t.x, t.y, t.a, t.b, t.c);
        EXPECT_DOUBLE_EQ(layout.originX, t.originX);
        EXPECT_EQ(layout.marginPx, t.margin);
        EXPECT_NEAR(layout.fitWidth, t.fitWidth, 1e-8);
        expectNear(layout.vertices.a, t.ax, t.ay, 1e-9, "A");
        expectNear(layout.vertices.c, t.cx, t.ay, 1e-4, "C");
        expectNear(layout.vertices.b, t.bx, t.by, 1e-4, "B");
    }
}

TEST(ObliqueLayout, HeightOfFiveSixSeven) {
    const Angles t = anglesOfSides(5, 6, 7);
    // Twice the area (sqrt 216) over the base 5.
    EXPECT_NEAR(layOutObliqueTriangle(5, 6, t.a, t.b, t.c).height, 2 * std::sqrt(216.0) / 5, 1e-12);
}

TEST(ObliqueLayout, RuleListsCarryTheirValueAndLaterRulesWin) {
    // List 1 gives 400, then 425 (the later rule wins); no later list applies, so the 425 is
    // carried through all four: (4 * 425 + 380) / 5. Starting each list afresh would give 389.
    EXPECT_DOUBLE_EQ(obliqueOriginX(20, 40, 120), 416);
    // A wide A with small B and C: list 1 ends on its last rule, list 2 carries it, lists 3
    // and 4 each end on their own later rules.
    EXPECT_DOUBLE_EQ(obliqueOriginX(160, 5, 15), (480 + 480 + 500 + 475 + 380) / 5.0);

    // A thin shape with a wide A: margins 138, 72, 60 and 66 pixels.
    EXPECT_EQ(obliqueMargin(161, 6, 13), 67);
    // An equilateral triangle keeps near the starting margin of 12: 12, 12, 14 (13.5 to even),
    // 12.
    EXPECT_EQ(obliqueMargin(60, 60, 60), 10);
}

bool insideFrame(PointD p) {
    constexpr double kSlack = 1e-9;
    return p.x >= 350 - kSlack && p.x <= 638 + kSlack && p.y >= 35 - kSlack && p.y <= 280 + kSlack;
}

bool verticesInFrame(const TriangleVertices& v) {
    return insideFrame(v.a) && insideFrame(v.b) && insideFrame(v.c);
}

// Whether every side and every letter, arcs whole, lies inside the frame: nothing is clipped.
bool drawingInFrame(const TriangleVertices& v) {
    if (!verticesInFrame(v)) return false;
    for (const Letter letter : {Letter::A, Letter::B, Letter::C, Letter::X, Letter::Y, Letter::Z}) {
        const Figure f = letterFigure(letter, letterAnchor(letter, v, DrawingKind::Oblique),
                                      DrawingKind::Oblique);
        for (const Segment& s : f.segments)
            if (!insideFrame(s.from) || !insideFrame(s.to)) return false;
        for (const Arc& arc : f.arcs)
            if (!insideFrame({arc.centre.x - arc.radiusPx, arc.centre.y - arc.radiusPx}) ||
                !insideFrame({arc.centre.x + arc.radiusPx, arc.centre.y + arc.radiusPx}))
                return false;
    }
    return true;
}

TEST(ObliqueLayout, ATriangleTheFitLeavesOutsideIsBroughtInWithItsLetters) {
    // Random shapes: those the fit places inside the frame keep their exact vertices (and so
    // their pixels); the others are scaled and placed so that nothing of them is cut off.
    std::mt19937_64 random(14);
    std::uniform_real_distribution<double> unit(0, 1);
    int broughtIn = 0;
    auto check = [&](double a, double b) {
        const double c = 180 - (a + b);
        const double x = std::sin(b * kDeg);  // X opposite B, Y opposite A
        const double y = std::sin(a * kDeg);
        const ObliqueLayout fit = fitObliqueTriangle(x, y, a, b, c);
        const ObliqueLayout laid = layOutObliqueTriangle(x, y, a, b, c);
        const TriangleVertices& v = laid.vertices;
        if (verticesInFrame(fit.vertices)) {
            EXPECT_TRUE(v.a.x == fit.vertices.a.x && v.a.y == fit.vertices.a.y &&
                        v.b.x == fit.vertices.b.x && v.b.y == fit.vertices.b.y &&
                        v.c.x == fit.vertices.c.x && v.c.y == fit.vertices.c.y)
                << a << ", " << b;
            return;
        }
        ++broughtIn;
        EXPECT_TRUE(drawingInFrame(v)) << a << ", " << b;
        // The same shape: side X level at the bottom, the angles kept.
        EXPECT_DOUBLE_EQ(v.a.y, v.c.y);
        EXPECT_LT(v.b.y, v.a.y);
        EXPECT_NEAR(std::atan2(v.a.y - v.b.y, v.b.x - v.a.x) / kDeg, a, 1e-6);
        EXPECT_LE(std::fmax(v.c.x, v.b.x) - std::fmin(v.a.x, v.b.x), kFitLengthPx + 1e-9);
    };
    check(176, 0.05);  // Z = 10, A = 176, B = .05: B, Y and Z were cut off
    for (int i = 0; i < 20000; ++i) {
        const double a = 180 * unit(random);
        check(a, (180 - a) * unit(random));
    }
    RecordProperty("brought_in", broughtIn);
    EXPECT_GT(broughtIn, 100);
}

// A letter's arc is drawn whole or not at all.
TEST(Clipping, AnArcIsDrawnOnlyWhenItsCircleFitsTheFrame) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(arcFitsFrame(Arc{PointD{nan, 100}, 4.5, 0.75, 5.5}));
    EXPECT_FALSE(arcFitsFrame(Arc{PointD{636, 100}, 4.5, 0.75, 5.5}));
    EXPECT_TRUE(arcFitsFrame(Arc{PointD{608.5, 255}, 4.5, 0.75, 5.5}));
}

// Extreme but valid answers: a vertex may be anywhere, even at no finite place (the display's
// clip keeps what is drawn of them inside the frame: results_screen_test), but side X always
// starts inside the frame.
TEST(Clipping, ExtremeTrianglesKeepSideXInTheFrame) {
    struct Extreme {
        const char* name;
        double x, y, a, b, c;
        bool bIsNowhere = false;
    };
    const double tiny = 0.0001;
    const Extreme cases[] = {
        {"tiny A", 99999999999, 99999999999 * std::sin(tiny * kDeg), tiny, 90 - tiny / 2,
         90 - tiny / 2},
        {"tiny C", 1, 1, 90 - tiny / 2, 90 - tiny / 2, tiny},
        {"tiny B", 0.00000001, 99999999999, 179.9998, tiny, tiny},
        {"wide C", 99999999999, 0.00000001, tiny, tiny, 179.9998},
        {"C near 1e-300", 1, 1, 90, 90 - 1e-300, 1e-300},
        // The fit scales by the height; B then lies an infinite way left of C.
        {"B at no finite place", 0.000000001, 1e300, 100, 80, 1e-306, true},
    };
    for (const Extreme& e : cases) {
        SCOPED_TRACE(e.name);
        const TriangleVertices v = layOutObliqueTriangle(e.x, e.y, e.a, e.b, e.c).vertices;
        EXPECT_EQ(std::isinf(v.b.x), e.bIsNowhere);
        EXPECT_TRUE(insideFrame(v.a));
    }
}

}  // namespace
}  // namespace solvara
