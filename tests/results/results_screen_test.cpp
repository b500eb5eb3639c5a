// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "platform/display/display.h"
#include "solver/trig.h"
#include "support/harness.h"
#include "support/table_names.h"
#include "values/values_panel.h"

namespace solvara {
namespace {

using testing::Harness;

using testing::kBlack;
using testing::kGreen;

std::string heightLine(const Harness& h) {
    return h.drawnText(45, 250, 38);
}
std::string widthLine(const Harness& h) {
    return h.drawnText(45, 265, 38);
}
std::string areaLine(const Harness& h) {
    return h.drawnText(45, 280, 38);
}

// The value written after the label of a panel row, trailing blanks removed.
std::string valueOf(const Harness& h, int row) {
    std::string text = h.text(row, 62, 18);
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

// Whether a side passes through the pixel of a vertex or one of its eight neighbours.
bool greenAt(const Harness& h, double x, double y) {
    const int cx = static_cast<int>(std::lround(x));
    const int cy = static_cast<int>(std::lround(y));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (h.pixel(cx + dx, cy + dy) == kGreen) return true;
    return false;
}

void expectTriangleAt(const Harness& h, double ax, double ay, double cx, double cy, double bx,
                      double by) {
    EXPECT_TRUE(greenAt(h, ax, ay)) << "A at " << ax << "," << ay;
    EXPECT_TRUE(greenAt(h, cx, cy)) << "C at " << cx << "," << cy;
    EXPECT_TRUE(greenAt(h, bx, by)) << "B at " << bx << "," << by;
    // The sides run between them.
    EXPECT_TRUE(greenAt(h, (ax + cx) / 2, (ay + cy) / 2)) << "side X";
    EXPECT_TRUE(greenAt(h, (cx + bx) / 2, (cy + by) / 2)) << "side Y";
    EXPECT_TRUE(greenAt(h, (ax + bx) / 2, (ay + by) / 2)) << "side Z";
}

// Puts a triangle on the results screen as a solve would leave it.
void showRight(Harness& h, double x, double y) {
    TriangleValues& v = h.program.values();
    v.solveMode = SolveMode::Right;
    v.triangle.x = x;
    v.triangle.y = y;
    v.triangle.z = std::sqrt(x * x + y * y);
    v.triangle.a = std::atan(y / x) * 180 / std::numbers::pi;
    v.triangle.c = 90;
    v.triangle.b = 90 - v.triangle.a;
    h.runFrom(Step::ShowResults);
}

// Marks X, Y and Z, A, B, C as the inputs given and runs the oblique solve.
Step solveOblique(Harness& h, double x, double y, double z, double a) {
    TriangleValues& v = h.program.values();
    v.solveMode = SolveMode::Oblique;
    v.triangle.x = x;
    v.triangle.y = y;
    v.triangle.z = z;
    v.triangle.a = a;
    v.triangle.b = v.triangle.c = 0;
    for (Entry id : {Entry::X, Entry::Y, Entry::Z, Entry::A})
        v.markers.set(id, v.number(id) != 0);
    return h.runFrom(Step::Solve);
}

TEST(ResultsRoad, XThreeYFourEndsOnTheResultsScreen) {
    Harness h;
    h.start();
    h.type("x3\r");
    h.type("y4\r");
    h.settle();
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();

    // Seven-# format for X, Y, Z and A, nine-# for B and C, degree texts for D, E, F.
    EXPECT_EQ(h.text(20, 39, 26), "X = Length           = 3.0");
    EXPECT_EQ(valueOf(h, 21), "4.0");
    EXPECT_EQ(valueOf(h, 22), "5.0");
    EXPECT_EQ(valueOf(h, 23), "53.13010235");
    EXPECT_EQ(valueOf(h, 24), "53d 7m 48s 0.4");
    EXPECT_EQ(valueOf(h, 25), "36.869897646");
    EXPECT_EQ(valueOf(h, 26), "36d 52m 11s 0.6");
    EXPECT_EQ(h.text(27, 39, 27), "C = Angle C decimal  = 90.0");
    EXPECT_EQ(valueOf(h, 28), "90d 0m 0s");
    EXPECT_EQ(valueOf(h, 29), "");
    EXPECT_EQ(h.textColour(20, 62), kBlack);

    EXPECT_EQ(h.program.results().firstTexts().area, "6.0");
    EXPECT_EQ(heightLine(h), "Triangle Height  = 4.0");
    EXPECT_EQ(widthLine(h), "Triangle Width   = 3.0");
    EXPECT_EQ(areaLine(h), "Area of Triangle = 6.0");

    // Y is the longer leg: CB is 185 pixels and AC 138.75.
    expectTriangleAt(h, 410, 255, 548.75, 255, 548.75, 70);

    EXPECT_EQ(h.text(28, 7, 7), " Print ");
    EXPECT_EQ(h.text(15, 24, 4), "EDIT");
    EXPECT_EQ(h.textColour(15, 24), kBlack);
    EXPECT_EQ(h.pixel(46, 428), kBlack);
    EXPECT_EQ(h.pixel(226, 242), kBlack);
}

TEST(RightDrawing, FourByThreeWithItsLetters) {
    Harness h;
    h.start();
    showRight(h, 4, 3);
    expectTriangleAt(h, 410, 255, 595, 255, 595, 116.25);
    // Only the frame's inside is green on the right of the screen.
    EXPECT_NE(h.pixel(596, 255), kGreen);

    // The right angle's letter C, an arc of radius 4.5 round (608.5, 255), opens to the right.
    auto blackIn = [&](int left, int top, int right, int bottom) {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (h.pixel(x, y) == kBlack) return true;
        return false;
    };
    EXPECT_TRUE(blackIn(602, 254, 605, 256));
    EXPECT_FALSE(blackIn(611, 253, 615, 257));
    EXPECT_FALSE(blackIn(607, 254, 609, 256));
    // Z beside the middle of AB: its bottom stroke from (487.5, 168.9) 8.6 pixels right.
    EXPECT_EQ(h.pixel(490, 169), kBlack);
    EXPECT_EQ(h.pixel(490, 160), kBlack);
    // A left of its vertex, X under the middle of AC.
    EXPECT_TRUE(blackIn(397, 256, 400, 256));  // A's cross bar, 1.5 pixels below its vertex
    EXPECT_TRUE(blackIn(502, 268, 503, 269));  // where the strokes of X cross
}

struct ObliqueFigure {
    const char* name;
    double x, y, z, a;
    double ax, ay, cx, bx, by;
    const char* height;
    const char* width;
};

TEST(ObliqueDrawing, KnownTrianglesOnTheSurface) {
    const ObliqueFigure figures[] = {
        // 2 * sqrt(216) / 5 = 5.878775382...
        {"5,6,7", 5, 6, 7, 0, 390, 245, 530.34, 496.65, 80, "5.87877538", "5.0"},
        // C is obtuse: the width is X and the overhang of B beyond C.
        {"10,7,30", 10, 7, 0, 30, 407, 244, 545.81, 570, 149.89, "6.77961676", "11.74264069"},
        // A is obtuse: B lies left of A, and the width is the offset of B's foot from C.
        {"4,10,7", 4, 10, 7, 0, 474, 226, 541.15, 400.56, 134.27, "5.46437325", "8.375"},
    };
    for (const ObliqueFigure& f : figures) {
        SCOPED_TRACE(f.name);
        Harness h;
        h.start();
        EXPECT_EQ(solveOblique(h, f.x, f.y, f.z, f.a), Step::ResultsCycle);
        expectTriangleAt(h, f.ax, f.ay, f.cx, f.ay, f.bx, f.by);
        EXPECT_EQ(heightLine(h), std::string("Triangle Height  = ") + f.height);
        EXPECT_EQ(widthLine(h), std::string("Triangle Width   = ") + f.width);
    }
}

TEST(ResultsScreen, TheSecondAnswerIsOnScreenOnlyWhenOfferedAndChosenInObliqueMode) {
    const struct {
        SolveMode mode;
        bool offered, chosen, onScreen;
    } table[] = {
        {SolveMode::Oblique, true, true, true},
        {SolveMode::Oblique, true, false, false},
        {SolveMode::Oblique, false, true, false},  // a choice left over from an earlier solve
        {SolveMode::Right, true, true, false},
    };
    ScriptedBackend backend;
    Display display(backend);
    for (const auto& row : table) {
        ResultsScreen screen(display);
        if (row.offered) screen.offer(Triangle{1, 1, 1, 60, 60, 60});
        if (row.chosen) screen.chooseOtherAnswer();
        EXPECT_EQ(screen.secondOnScreen(row.mode), row.onScreen) << row.offered << row.chosen;
    }
}

TEST(ResultsScreen, AreasOfRightAndObliqueTriangles) {
    Harness right;
    right.start();
    showRight(right, 3, 4);
    EXPECT_EQ(right.program.results().firstTexts().area, "6.0");

    Harness oblique;
    oblique.start();
    solveOblique(oblique, 5, 0, 7, 90);
    EXPECT_EQ(oblique.program.results().firstTexts().area, "17.5");
    EXPECT_EQ(areaLine(oblique), "Area of Triangle = 17.5");
}

TEST(ResultsScreen, AShorterValueLeavesNothingOfALongerOne) {
    Harness h;
    h.start();
    showRight(h, 1.23456789, 2.34567891);
    ASSERT_EQ(valueOf(h, 20), "1.23456789");
    showRight(h, 3, 4);
    EXPECT_EQ(h.text(20, 62, 18), "3.0               ");
    EXPECT_EQ(h.text(22, 62, 18), "5.0               ");
    EXPECT_EQ(h.text(27, 62, 18), "90.0              ");

    // The same on the second answer: a long one first, then a short one.
    h.program.values().solveMode = SolveMode::Oblique;
    ResultsScreen& results = h.program.results();
    Triangle second{3.76127455212, 7.123456789,   10.987654321,
                    30.123456789,  134.123456789, 15.75308642};
    results.offer(second);
    results.chooseOtherAnswer();
    h.runFrom(Step::ShowSecondAnswer);
    ASSERT_EQ(valueOf(h, 21), "7.12345679");
    second.y = 7;
    second.z = 10;
    second.b = 135;
    results.offer(second);
    h.runFrom(Step::ShowSecondAnswer);
    EXPECT_EQ(h.text(21, 62, 18), "7.0               ");
    EXPECT_EQ(h.text(22, 62, 18), "10.0              ");
    EXPECT_EQ(h.text(25, 62, 18), "135.0             ");
}

TEST(ResultsScreen, TheTwoAnswersOfASideSideAngleInput) {
    Harness h;
    h.start();
    h.type("o");
    h.type("x10\r");
    h.type("y7\r");
    h.type("a30\r");
    h.settle();
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();
    EXPECT_EQ(h.text(19, 60, 18), "Show other answer ");
    EXPECT_EQ(h.textColour(19, 60), kGreen);
    EXPECT_EQ(valueOf(h, 22), "13.55923352");
    EXPECT_EQ(areaLine(h), "Area of Triangle = 33.89808381");

    // "S": the second answer, its own area, height and width and drawing.
    h.type("s");
    h.settle();
    EXPECT_TRUE(h.program.results().editBlocked());
    EXPECT_EQ(valueOf(h, 20), "10.0");
    EXPECT_EQ(valueOf(h, 22), "3.76127455");
    EXPECT_EQ(valueOf(h, 25), "134.415308597");
    EXPECT_EQ(areaLine(h), "Area of Triangle = 9.40318638");
    EXPECT_EQ(heightLine(h), "Triangle Height  = 1.88063728");
    EXPECT_EQ(widthLine(h), "Triangle Width   = 10.0");
    expectTriangleAt(h, 426, 221, 543, 221, 464.11, 199);
    EXPECT_EQ(h.program.results().secondTexts().area, "9.40318638");
    // The first answer's texts are kept for the way back.
    EXPECT_EQ(h.program.results().firstTexts().z, "13.55923352");
    // No EDIT in black: the main screen's grey one is left.
    EXPECT_EQ(h.textColour(15, 24), 7);
    EXPECT_EQ(h.backend.warps().back(), (Point{320, 240}));

    // "I" does nothing while the second answer is shown.
    h.type("i");
    h.settle();
    EXPECT_EQ(h.step(), Step::ResultsCycle);
    EXPECT_EQ(valueOf(h, 22), "3.76127455");

    // "S" again: the first answer, checked anew, with EDIT available.
    h.type("s");
    h.settle();
    EXPECT_FALSE(h.program.results().editBlocked());
    EXPECT_EQ(valueOf(h, 22), "13.55923352");
    EXPECT_EQ(areaLine(h), "Area of Triangle = 33.89808381");
    EXPECT_EQ(widthLine(h), "Triangle Width   = 11.74264069");
    expectTriangleAt(h, 407, 244, 545.81, 244, 570, 149.89);
    EXPECT_EQ(h.textColour(15, 24), kBlack);

    h.type("i");
    h.settle();
    EXPECT_EQ(h.step(), Step::MainLoop);
    EXPECT_EQ(h.text(7, 45, 5), "Edit:");
}

TEST(ResultsScreen, TheOtherAnswerBoxSwitchesOnceAClick) {
    Harness h;
    h.start();
    h.type("o");
    h.type("x10\r");
    h.type("y7\r");
    h.type("a30\r");
    h.settle();
    // The button is still held when the switch has moved the pointer away: no second switch.
    h.click(625, 295);
    h.settle();
    EXPECT_TRUE(h.program.results().secondChosen());
    EXPECT_EQ(valueOf(h, 22), "3.76127455");
    h.click(625, 295);
    h.settle();
    EXPECT_FALSE(h.program.results().secondChosen());
    EXPECT_EQ(valueOf(h, 22), "13.55923352");
}

TEST(ResultsScreen, ANewSolveOpensOnTheSecondAnswerWhenItWasLastShown) {
    Harness h;
    h.start();
    h.program.results().chooseOtherAnswer();
    EXPECT_EQ(solveOblique(h, 10, 7, 0, 30), Step::ResultsCycle);
    EXPECT_EQ(valueOf(h, 22), "3.76127455");
    EXPECT_EQ(areaLine(h), "Area of Triangle = 9.40318638");
    expectTriangleAt(h, 426, 221, 543, 221, 464.11, 199);
}

TEST(CheckSolutionStep, ATotalAboveTheThresholdIsNoticedAndTheSolveGoesOn) {
    Harness h;
    h.start();
    TriangleValues& v = h.program.values();
    v.solveMode = SolveMode::Oblique;
    v.triangle.x = 5;
    v.triangle.y = 6;
    v.triangle.z = 7;
    v.triangle.a = 60;
    v.triangle.b = 60;
    v.triangle.c = 60.5;
    EXPECT_EQ(h.runFrom(Step::CheckSolution), Step::ResultsCycle);
    EXPECT_EQ(h.text(2, 39, 24), "Total Of Angles =  180.5");
    EXPECT_EQ(valueOf(h, 27), "60.5");
}

// Pixels that no result of a solve may touch: everything outside the drawing frame, the result
// lines and the value field.
std::vector<std::uint8_t> outsideTheResults(const Harness& h) {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < Display::kHeight; ++y)
        for (int x = 0; x < Display::kWidth; ++x) {
            const bool frame = x >= 350 && x <= 638 && y >= 35 && y <= 280;
            const bool lines = x >= 40 && x <= 350 && y >= 249 && y <= 295;
            const bool field = x >= 488 && y >= 304 && y < 464;
            if (!frame && !lines && !field) pixels.push_back(h.pixel(x, y));
        }
    return pixels;
}

TEST(ResultsScreen, ExtremeTrianglesAreWrittenAndDrawnOnlyInTheFrame) {
    struct Extreme {
        const char* name;
        double x, y, z, a, b, c;
    };
    const double tiny = 0.0001;
    const Extreme extremes[] = {
        {"tiny A", 99999999999, 99999999999 * std::sin(tiny * kRadPerDeg), 99999999999, tiny,
         90 - tiny / 2, 90 - tiny / 2},
        {"tiny B and C", 0.00000001, 99999999999, 99999999999, 179.9998, tiny, tiny},
        {"wide C", 99999999999, 0.00000001, 99999999999, tiny, tiny, 179.9998},
        {"flat SSA", 10, 5.0000000001, 8.66, 30, 89.9999, 60.0001},
    };
    Harness reference;
    reference.start();
    solveOblique(reference, 5, 6, 7, 0);
    const std::vector<std::uint8_t> expected = outsideTheResults(reference);

    for (const Extreme& e : extremes) {
        SCOPED_TRACE(e.name);
        Harness h;
        h.start();
        TriangleValues& v = h.program.values();
        v.solveMode = SolveMode::Oblique;
        v.triangle.x = e.x;
        v.triangle.y = e.y;
        v.triangle.z = e.z;
        v.triangle.a = e.a;
        v.triangle.b = e.b;
        v.triangle.c = e.c;
        EXPECT_EQ(h.runFrom(Step::ShowResults), Step::ResultsCycle);
        EXPECT_TRUE(outsideTheResults(h) == expected) << "drawn outside the frame";
        EXPECT_EQ(h.text(20, 39, 23), "X = Length           = ");
        EXPECT_FALSE(valueOf(h, 20).empty());
        EXPECT_EQ(areaLine(h).rfind("Area of Triangle = ", 0), 0u);
    }
}

TEST(CannotDoIt, FlashesFiveTimesThenStartsAfresh) {
    Harness h;
    h.start();
    struct Seen {
        std::uint64_t at;
        int colour;
    };
    std::vector<Seen> seen;
    h.backend.onWait = [&](std::uint64_t now) {
        const int colour = h.textColour(28, 11);  // the C of CAN
        if (seen.empty() || seen.back().colour != colour) seen.push_back(Seen{now, colour});
    };
    h.type("y7\r");
    h.type("z7\r");
    h.settle();
    h.backend.onWait = nullptr;

    // Five showings, 900 ms each, light red and black in turn, then the blanks.
    std::vector<int> colours;
    std::size_t first = 0;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (seen[i].colour == 12 && colours.empty()) first = i;
        if (!colours.empty() || seen[i].colour == 12) colours.push_back(seen[i].colour);
    }
    ASSERT_GE(colours.size(), 6u) << h.screen();
    EXPECT_EQ(std::vector<int>(colours.begin(), colours.begin() + 6),
              (std::vector<int>{12, 0, 12, 0, 12, -1}));
    const std::uint64_t flash = seen[first + 5].at - seen[first].at;
    EXPECT_NEAR(static_cast<double>(flash), 4500, 60);
    for (int i = 1; i < 5; ++i)
        EXPECT_NEAR(static_cast<double>(seen[first + i].at - seen[first + i - 1].at), 900, 60);

    // A fresh main screen: every entry empty, every marker off.
    EXPECT_EQ(h.step(), Step::MainLoop);
    EXPECT_EQ(h.text(28, 5, 29), std::string(29, ' '));
    const TriangleValues& v = h.program.values();
    for (const Entry id : kAllEntries) {
        EXPECT_FALSE(v.markers.on(id)) << indexOf(id);
        EXPECT_EQ(h.text(panel::rowOf(id), 37, 1), " ") << indexOf(id);
    }
    for (Entry id : {Entry::X, Entry::Y, Entry::Z, Entry::A, Entry::B})
        EXPECT_EQ(v.number(id), 0) << indexOf(id);
    EXPECT_EQ(valueOf(h, 20), "0.0");
    EXPECT_EQ(valueOf(h, 21), "0.0");
}

TEST(CannotDoIt, AKeyCutsTheFlashShort) {
    Harness h;
    h.start();
    std::uint64_t shown = 0;
    std::uint64_t erased = 0;
    h.backend.onWait = [&](std::uint64_t now) {
        const int colour = h.textColour(28, 11);
        if (shown == 0 && colour == 12) {
            shown = now;
            h.backend.keyAt(now + 1000, Key::character('q'));
        }
        if (shown != 0 && erased == 0 && colour == -1) erased = now;
    };
    h.type("y7\r");
    h.type("z7\r");
    h.settle();
    h.backend.onWait = nullptr;
    ASSERT_NE(shown, 0u);
    ASSERT_NE(erased, 0u);
    // The pause the key came in ends at once: about 800 ms less than the 4.5 s.
    EXPECT_LT(erased - shown, 3800u);
    EXPECT_GT(erased - shown, 3500u);
    EXPECT_EQ(h.step(), Step::MainLoop);
}

}  // namespace
}  // namespace solvara
