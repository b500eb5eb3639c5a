// SPDX-License-Identifier: GPL-2.0-or-later
// Hand-checked triangles through both solvers, the derived quantities and the solution check.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/number_format.h"
#include "results/explanation.h"
#include "solver/cases.h"
#include "solver/figures.h"
#include "solver/solver.h"
#include "solver/trig.h"
#include "support/table_names.h"
#include "values/values_panel.h"

namespace solvara::worked_examples {
namespace {

using testing::kInf;
using testing::kNaN;
// X, Y and Z name the sides, A, B and C the angles: this file's namespace keeps them here.
enum Letter { X, Y, Z, A, B, C };
struct Given {
    Letter letter;
    double value;
};

double& numberOf(Triangle& t, Letter l) {
    double* numbers[] = {&t.x, &t.y, &t.z, &t.a, &t.b, &t.c};
    return *numbers[l];
}

SolveOutcome solveWith(SolveMode mode, std::initializer_list<Given> inputs) {
    Triangle t;
    Marks marks;
    bool* marked[] = {&marks.x, &marks.y, &marks.z, &marks.a, &marks.b, &marks.c};
    for (const Given& g : inputs) {
        numberOf(t, g.letter) = g.value;
        *marked[g.letter] = true;
    }
    // As the marker rules leave a Right-mode record: C is 90, and a marked B has made an unmarked
    // A its complement.
    if (mode == SolveMode::Right) {
        t.c = 90;
        if (marks.b && !marks.a) t.a = 90 - t.b;
    }
    return solve(mode, t, marks);
}

// The figures below are rounded to nine decimals.
void expectNine(double actual, double expected, const char* what) {
    EXPECT_NEAR(actual, expected, 1e-9) << what;
}

void expectTriangle(const Triangle& t, const Triangle& expected, const char* which = "") {
    expectNine(t.x, expected.x, which);
    expectNine(t.y, expected.y, which);
    expectNine(t.z, expected.z, which);
    expectNine(t.a, expected.a, which);
    expectNine(t.b, expected.b, which);
    expectNine(t.c, expected.c, which);
}

using Kind = SolveOutcome::Kind;

// The angle is reduced in degrees before it becomes radians, so the sines and cosines that are
// whole fractions come out exactly.
TEST(Trig, WholeAnglesAreExact) {
    struct {
        double degrees, value;
    } const sines[] = {{0, 0},      {30, 0.5}, {90, 1},    {150, 0.5}, {180, 0},
                       {210, -0.5}, {270, -1}, {390, 0.5}, {-30, -0.5}},
            cosines[] = {{0, 1}, {60, 0.5}, {90, 0}, {120, -0.5}, {180, -1}, {270, 0}, {-60, 0.5}};
    for (const auto& c : sines)
        EXPECT_EQ(sinDeg(c.degrees), c.value) << c.degrees;
    for (const auto& c : cosines)
        EXPECT_EQ(cosDeg(c.degrees), c.value) << c.degrees;
    EXPECT_EQ(tanDeg(45), 1);
    EXPECT_EQ(tanDeg(90), kInf);
    // The cosine of an angle near 90 is the sine of the exact difference, to the last digit.
    EXPECT_EQ(cosDeg(89.9999999), sinDeg(90 - 89.9999999));
}

TEST(Trig, DegreeFunctionsAndTheirDomains) {
    EXPECT_EQ(asinDeg(1), 90);
    EXPECT_EQ(asinDeg(-1), -90);
    EXPECT_EQ(acosDeg(1), 0);
    EXPECT_EQ(acosDeg(-1), 180);
    EXPECT_EQ(atanDeg(kInf), 90);
    EXPECT_EQ(atanDeg(-kInf), -90);
    EXPECT_EQ(atan2Deg(1, 0), 90);
    EXPECT_EQ(atan2Deg(0, -1), 180);
    for (const double outside : {1.0000000000000002, -1.5, kNaN, kInf}) {
        EXPECT_TRUE(std::isnan(asinDeg(outside))) << outside;
        EXPECT_TRUE(std::isnan(acosDeg(outside))) << outside;
    }
    EXPECT_NEAR(sinDeg(30), 0.5, 1e-15);
    EXPECT_NEAR(cosDeg(60), 0.5, 1e-15);
    EXPECT_NEAR(tanDeg(45), 1, 1e-15);
}

TEST(RightSolver, WorkedExamples) {
    struct {
        std::initializer_list<Given> inputs;
        Triangle solved;
    } const cases[] = {
        {{{X, 3}, {Y, 4}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
        {{{Y, 5}, {Z, 13}}, {12, 5, 13, 22.619864948, 67.380135052, 90}},
        {{{X, 12}, {Z, 13}}, {12, 5, 13, 22.619864948, 67.380135052, 90}},
        {{{Z, 10}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        {{{X, 10}, {A, 30}}, {10, 5.773502692, 11.547005384, 30, 60, 90}},
        {{{Y, 5}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        // With B marked the marker rules have already set A to 90 - B.
        {{{Z, 10}, {B, 60}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        {{{X, 10}, {B, 60}, {A, 30}}, {10, 5.773502692, 11.547005384, 30, 60, 90}},
        {{{Y, 5}, {B, 60}, {A, 30}}, {8.660254038, 5, 10, 30, 60, 90}},
        // More inputs than two: the earliest case wins and the rest is overwritten.
        {{{X, 3}, {Y, 4}, {Z, 9}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
    };
    for (const auto& c : cases) {
        const SolveOutcome o = solveWith(SolveMode::Right, c.inputs);
        ASSERT_EQ(o.kind, Kind::Solved);
        expectTriangle(o.first, c.solved);
        EXPECT_FALSE(o.second);
    }
}

TEST(RightSolver, ImpossibleInputsAreLeftForTheCheckToReject) {
    const SolveOutcome equalLegAndHypotenuse = solveWith(SolveMode::Right, {{Y, 7}, {Z, 7}});
    EXPECT_EQ(equalLegAndHypotenuse.kind, Kind::CannotDoIt);
    EXPECT_EQ(equalLegAndHypotenuse.first.x, 0);
    EXPECT_EQ(equalLegAndHypotenuse.first.a, 90);
    EXPECT_EQ(equalLegAndHypotenuse.first.b, 0);

    for (const auto& inputs : {std::initializer_list<Given>{{Y, 8}, {Z, 7}},
                               std::initializer_list<Given>{{X, 8}, {Z, 7}},
                               std::initializer_list<Given>{{Z, 7}, {A, 90}},
                               std::initializer_list<Given>{{X, 7}, {A, 120}},
                               std::initializer_list<Given>{{Y, 7}, {A, 95}},
                               std::initializer_list<Given>{{Y, 7}, {B, 95}, {A, -5}}}) {
        const SolveOutcome o = solveWith(SolveMode::Right, inputs);
        EXPECT_EQ(o.kind, Kind::CannotDoIt) << o.first.x << " " << o.first.y << " " << o.first.z;
    }
}

TEST(RightSolver, NoCaseForAnglesAlone) {
    for (const auto& inputs :
         {std::initializer_list<Given>{{A, 30}, {C, 90}},
          std::initializer_list<Given>{{A, 30}, {B, 60}}, std::initializer_list<Given>{}}) {
        EXPECT_EQ(solveWith(SolveMode::Right, inputs).kind, Kind::NoCase);
    }
    // A marked entry that is zero is no input.
    EXPECT_EQ(solveWith(SolveMode::Right, {{X, 3}, {Y, 0}}).kind, Kind::NoCase);
}

TEST(ObliqueSolver, WorkedExamples) {
    struct {
        std::initializer_list<Given> inputs;
        Triangle solved;
    } const cases[] = {
        {{{X, 3}, {Y, 4}, {Z, 5}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
        // B is obtuse: it comes from the law of cosines, not from the arcsine's 49.458398126.
        {{{X, 10}, {Y, 5}, {Z, 6}}, {10, 5, 6, 22.331645009, 130.541601874, 27.126753117}},
        {{{X, 4}, {Y, 10}, {Z, 7}}, {4, 10, 7, 128.682187453, 18.194872339, 33.122940208}},
        // B is obtuse: the two-argument arctangent keeps it, where the quotient gave -41.46.
        {{{X, 10}, {Z, 3}, {A, 30}}, {10, 7.552382126, 3, 30, 138.544147078, 11.455852922}},
        // Y, Z and the angle B between them, and X, Y and C between them, with obtuse angles.
        {{{Y, 5}, {Z, 6}, {B, 130.541601874}},
         {10, 5, 6, 22.331645009, 130.541601874, 27.126753117}},
        {{{X, 10}, {Y, 5}, {C, 27.126753117}},
         {10, 5, 6, 22.331645009, 130.541601874, 27.126753117}},
        {{{Y, 10}, {A, 40}, {B, 60}}, {13.472963553, 10, 15.320888862, 40, 60, 80}},
        {{{X, 13.472963553}, {A, 40}, {B, 60}}, {13.472963553, 10, 15.320888862, 40, 60, 80}},
        {{{Z, 10}, {A, 40}, {B, 60}}, {8.793852416, 6.527036447, 10, 40, 60, 80}},
        // Four inputs: the three sides win and A is recomputed.
        {{{X, 3}, {Y, 4}, {Z, 5}, {A, 10}}, {3, 4, 5, 53.130102354, 36.869897646, 90}},
    };
    for (const auto& c : cases) {
        const SolveOutcome o = solveWith(SolveMode::Oblique, c.inputs);
        ASSERT_EQ(o.kind, Kind::Solved);
        expectTriangle(o.first, c.solved);
        EXPECT_FALSE(o.second);
    }
}

TEST(ObliqueSolver, TwoSidesAndAnAngleOppositeOneGiveBothTriangles) {
    struct {
        std::initializer_list<Given> inputs;
        Triangle first;
        Triangle second;
    } const cases[] = {
        {{{X, 10}, {Y, 7}, {A, 30}},
         {10, 7, 13.559233523, 30, 45.584691403, 104.415308597},
         {10, 7, 3.761274552, 30, 134.415308597, 15.584691403}},
        {{{Y, 7}, {Z, 10}, {A, 30}},
         {13.559233523, 7, 10, 30, 104.415308597, 45.584691403},
         {3.761274552, 7, 10, 30, 15.584691403, 134.415308597}},
        {{{X, 7}, {Y, 10}, {B, 30}},
         {7, 10, 13.559233523, 45.584691403, 30, 104.415308597},
         {7, 10, 3.761274552, 134.415308597, 30, 15.584691403}},
        {{{X, 7}, {Z, 10}, {B, 30}},
         {7, 13.559233523, 10, 104.415308597, 30, 45.584691403},
         {7, 3.761274552, 10, 15.584691403, 30, 134.415308597}},
    };
    for (const auto& c : cases) {
        const SolveOutcome o = solveWith(SolveMode::Oblique, c.inputs);
        ASSERT_EQ(o.kind, Kind::Solved);
        expectTriangle(o.first, c.first, "first");
        ASSERT_TRUE(o.second);
        expectTriangle(*o.second, c.second, "second");
    }
}

TEST(ObliqueSolver, OneTriangleOrNone) {
    // The angle faces the longer side: the supplement leaves no room, no second answer.
    const SolveOutcome one = solveWith(SolveMode::Oblique, {{X, 7}, {Y, 10}, {A, 30}});
    EXPECT_EQ(one.kind, Kind::Solved);
    EXPECT_FALSE(one.second);

    // X sin A above Y: no triangle at all.
    const SolveOutcome none = solveWith(SolveMode::Oblique, {{X, 10}, {Y, 3}, {A, 30}});
    EXPECT_EQ(none.kind, Kind::CannotDoIt);
    EXPECT_TRUE(std::isnan(none.first.b));
    EXPECT_FALSE(none.second);

    // Cases 12 and 13 give only the triangle with the acute angle.
    const SolveOutcome acuteOnly = solveWith(SolveMode::Oblique, {{X, 10}, {Z, 7}, {C, 30}});
    ASSERT_EQ(acuteOnly.kind, Kind::Solved);
    expectTriangle(acuteOnly.first, {10, 13.559233523, 7, 104.415308597, 45.584691403, 30});
    EXPECT_FALSE(acuteOnly.second);

    for (const auto& inputs : {std::initializer_list<Given>{{X, 3}, {Y, 4}, {Z, 8}},
                               std::initializer_list<Given>{{Y, 10}, {A, 100}, {B, 90}},
                               std::initializer_list<Given>{{Z, 10}, {C, 120}, {A, 60}},
                               std::initializer_list<Given>{{X, 10}, {Z, 3}, {A, 180}}}) {
        const SolveOutcome o = solveWith(SolveMode::Oblique, inputs);
        EXPECT_EQ(o.kind, Kind::CannotDoIt) << o.first.a << " " << o.first.b << " " << o.first.c;
    }
}

TEST(ObliqueSolver, NoCaseForAnglesAloneOrTooFewInputs) {
    for (const auto& inputs :
         {std::initializer_list<Given>{{A, 40}, {B, 60}, {C, 80}},
          std::initializer_list<Given>{{X, 3}, {Y, 4}}, std::initializer_list<Given>{}}) {
        const SolveOutcome o = solveWith(SolveMode::Oblique, inputs);
        EXPECT_EQ(o.kind, Kind::NoCase);
        EXPECT_FALSE(o.second);
    }
}

// The figure each explanation line finds: the letter after its last ", so ", else the one it
// starts with ("  C = ...", "  Y^2 = ..."); none for a line about a sine or cosine, a note or a
// line after the second answer's heading.
std::string figuresFound(const std::vector<std::string>& lines) {
    std::string found;
    for (const std::string& line : lines) {
        if (line.starts_with("Second answer")) break;
        if (!line.starts_with("  ") || line.starts_with("   ")) continue;
        const std::size_t so = line.rfind(", so ");
        const std::size_t at = so == std::string::npos ? 2 : so + 5;
        const char letter = line[at];
        const std::string_view rest = std::string_view(line).substr(at + 1);
        if (std::string_view("XYZABC").find(letter) != std::string_view::npos &&
            (rest.starts_with(" = ") || rest.starts_with("^2 = ")))
            found += letter;
    }
    std::sort(found.begin(), found.end());
    return found;
}

// Every case of both tables by the inputs it takes and the name it goes by; with more inputs
// than a case takes, the earliest case wins. Its explanation finds each figure that was not given
// once: a step that worked from the wrong corner would find a given figure, or one twice.
TEST(SolveCases, EachCaseByItsInputsAndName) {
    const char* legs = "two legs: Pythagoras";
    const char* hypotenuseLeg = "hypotenuse and a leg: Pythagoras";
    const char* hypotenuseAngle = "hypotenuse and an angle: right-triangle relations";
    const char* legAngle = "a leg and an angle: right-triangle relations";
    const char* sides = "three sides: law of cosines";
    const char* between = "two sides and the angle between them: law of cosines";
    const char* opposite = "two sides and an angle opposite one: law of sines";
    const char* angles = "two angles and a side: angle sum and law of sines";
    constexpr SolveMode R = SolveMode::Right, O = SolveMode::Oblique;
    struct {
        SolveMode mode;
        std::initializer_list<Given> inputs;
        const char* used;
        const char* name;
        const char* found;  // the figures the explanation finds, in letter order
    } const cases[] = {
        {R, {{X, 3}, {Y, 4}}, "xy", legs, "ABCZ"},
        {R, {{Y, 5}, {Z, 13}}, "yz", hypotenuseLeg, "ABCX"},
        {R, {{X, 12}, {Z, 13}}, "xz", hypotenuseLeg, "ABCY"},
        {R, {{Z, 10}, {A, 30}}, "za", hypotenuseAngle, "BCXY"},
        {R, {{X, 10}, {A, 30}}, "xa", legAngle, "BCYZ"},
        {R, {{Y, 5}, {A, 30}}, "ya", legAngle, "BCXZ"},
        {R, {{Z, 10}, {B, 60}}, "zb", hypotenuseAngle, "ACXY"},
        {R, {{X, 10}, {B, 60}}, "xb", legAngle, "ACYZ"},
        {R, {{Y, 5}, {B, 60}}, "yb", legAngle, "ACXZ"},
        {R, {{X, 3}, {Y, 4}, {Z, 9}}, "xy", legs, "ABCZ"},
        {O, {{X, 5}, {Y, 6}, {Z, 7}}, "xyz", sides, "ABC"},
        {O, {{X, 10}, {Y, 7}, {A, 30}}, "xya", opposite, "BCZ"},
        {O, {{X, 10}, {Z, 3}, {A, 30}}, "xza", between, "BCY"},
        {O, {{Y, 7}, {Z, 10}, {A, 30}}, "yza", opposite, "BCX"},
        {O, {{X, 7}, {Y, 10}, {B, 30}}, "xyb", opposite, "ACZ"},
        {O, {{Y, 5}, {Z, 6}, {B, 130}}, "yzb", between, "ACX"},
        {O, {{X, 7}, {Z, 10}, {B, 30}}, "xzb", opposite, "ACY"},
        {O, {{Y, 10}, {A, 40}, {B, 60}}, "yab", angles, "CXZ"},
        {O, {{X, 10}, {A, 40}, {B, 60}}, "xab", angles, "CYZ"},
        {O, {{Z, 10}, {A, 40}, {B, 60}}, "zab", angles, "CXY"},
        {O, {{X, 10}, {Y, 5}, {C, 27}}, "xyc", between, "ABZ"},
        {O, {{X, 10}, {Z, 7}, {C, 30}}, "xzc", opposite, "ABY"},
        {O, {{Y, 10}, {Z, 7}, {C, 30}}, "yzc", opposite, "ABX"},
        {O, {{Z, 10}, {C, 80}, {A, 40}}, "zca", angles, "BXY"},
        {O, {{Y, 10}, {C, 80}, {A, 40}}, "yca", angles, "BXZ"},
        {O, {{X, 10}, {C, 80}, {A, 40}}, "xca", angles, "BYZ"},
        {O, {{Z, 10}, {C, 80}, {B, 40}}, "zcb", angles, "AXY"},
        {O, {{Y, 10}, {C, 80}, {B, 40}}, "ycb", angles, "AXZ"},
        {O, {{X, 10}, {C, 80}, {B, 40}}, "xcb", angles, "AYZ"},
        {O, {{X, 3}, {Y, 4}, {Z, 5}, {A, 10}}, "xyz", sides, "ABC"},
        {O, {{Y, 10}, {A, 40}, {B, 60}, {C, 80}}, "yab", angles, "CXZ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.used);
        const SolveOutcome o = solveWith(c.mode, c.inputs);
        ASSERT_EQ(o.kind, Kind::Solved);
        EXPECT_EQ(o.solvedBy.inputs, marksOf(c.used));
        EXPECT_STREQ(caseName(o.solvedBy.kind), c.name);
        const std::vector<std::string> lines =
            explanationLines(o.solvedBy, o.first, o.second ? &*o.second : nullptr);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), std::string("Case: ") + c.name);
        EXPECT_EQ(figuresFound(lines), c.found) << ::testing::PrintToString(lines);
    }
    // A case that gives no triangle is still the case that applied; no case names none.
    EXPECT_STREQ(caseName(solveWith(O, {{X, 1}, {Y, 1}, {Z, 5}}).solvedBy.kind), sides);
    EXPECT_EQ(solveWith(O, {{A, 40}, {B, 60}, {C, 80}}).solvedBy, SolvedCase{});
}

// The figures named in `expected` ("Z 8.66025404 area 21.65063509") as the results screen
// shows them for the answer t: eight decimals, nine for B and C.
std::string shown(const std::string& expected, SolveMode mode, const Triangle& t) {
    double area = 0;
    HeightAndWidth hw;
    if (mode == SolveMode::Right) {
        area = rightTriangleArea(t.x, t.y);
    } else {
        area = obliqueTriangleArea(t);
        hw = obliqueHeightAndWidth(t);
    }
    std::istringstream names(expected);
    std::string out;
    for (std::string name, value; names >> name >> value;) {
        const std::pair<const char*, double> figures[] = {
            {"X", t.x},         {"Y", t.y}, {"Z", t.z},     {"A", t.a},
            {"B", t.b},         {"C", t.c}, {"area", area}, {"height", hw.height},
            {"width", hw.width}};
        for (const auto& [n, v] : figures) {
            if (name != n) continue;
            const char* mask = name == "B" || name == "C" ? kMask9 : kMask8;
            out += (out.empty() ? "" : " ") + name + " " +
                   formatMaskedToFit(v, mask, panel::kValueFieldWidth);
        }
    }
    return out;
}

// Inputs at the edges where the answers used to be plainly wrong, each with the display of the
// true triangle (worked out to 60 digits). Before: a false second answer with B 90.000001207
// and Z 8.66025414; a second answer with Z = 0; a triangle with a zero side where none exists; a
// genuine second triangle lost; a segment shown as a sliver with A 179.99999879; needle angles
// off in their second digit or rejected; Y 4.0 for 4.05773053; Z off by 2.8 from a rounded
// 90 - B; a cosine near 90 and a leg near the hypotenuse off in their fourth digit.
TEST(EdgeAnswers, ShowTheTrueDigits) {
    struct {
        SolveMode mode;
        std::initializer_list<Given> inputs;
        const char* first;   // nullptr: no triangle
        const char* second;  // nullptr: no second answer
    } const cases[] = {
        // X sin A = Y exactly: the two triangles touch, one right-angled answer.
        {SolveMode::Oblique,
         {{X, 10}, {Y, 5}, {A, 30}},
         "Z 8.66025404 B 90.0 C 60.0 area 21.65063509 height 4.33012702",
         nullptr},
        // Two equal sides: the supplement leaves no room for a second triangle.
        {SolveMode::Oblique, {{X, 66}, {Y, 66}, {A, 77}}, "Z 29.69353917 B 77.0 C 26.0", nullptr},
        // An obtuse angle opposite the shorter or equal side: no triangle.
        {SolveMode::Oblique, {{X, 8.3}, {Y, 8.3}, {A, 91.4}}, nullptr, nullptr},
        {SolveMode::Oblique,
         {{X, 221}, {Y, 66.9}, {A, 11.3}},
         "Z 267.70961472 B 40.338035659 C 128.361964341",
         "Z 165.72206436 B 139.661964341 C 29.038035659 area 3588.22224776"},
        // 18.6 + 14 = 32.6: a segment.
        {SolveMode::Oblique, {{X, 18.6}, {Y, 32.6}, {Z, 14}}, nullptr, nullptr},
        // Needles from three sides, and from two sides and the tiny angle between them.
        {SolveMode::Oblique,
         {{X, 1000}, {Y, 1000}, {Z, 0.0000177}},
         "A 89.99999949 B 89.999999493 C .000001014 area .00885 height .0000177",
         nullptr},
        {SolveMode::Oblique,
         {{X, 17.25}, {Y, 12345678901}, {Z, 12345678901}},
         "A 89.99999996 B .00000008 C 89.99999996 height 12345678901.0 width 17.25",
         nullptr},
        {SolveMode::Oblique,
         {{X, 39071207.01651158}, {Z, 39071210.18627164}, {A, 3.715e-6}},
         "Y 4.05773053 B 38.632564877 C 141.367431408 height 2.53333748",
         nullptr},
        // A typed B is worked from as typed, not from its rounded complement.
        {SolveMode::Right,
         {{X, 1000}, {B, 0.00001}},
         "Y 5729577951.3081732 Z 5729577951.3082609 A 89.99999",
         nullptr},
        {SolveMode::Right, {{Z, 1e9}, {A, 89.9999999}}, "X 1.74532915 B .0000001", nullptr},
        {SolveMode::Right,
         {{Y, 12345678.9}, {Z, 12345678.900001}},
         "X 4.96963728 A 89.99997694 B .000023064",
         nullptr},
    };
    for (const auto& c : cases) {
        const SolveOutcome o = solveWith(c.mode, c.inputs);
        SCOPED_TRACE(c.first ? c.first : "no triangle");
        if (!c.first) {
            EXPECT_EQ(o.kind, Kind::CannotDoIt);
        } else {
            ASSERT_EQ(o.kind, Kind::Solved);
            EXPECT_EQ(shown(c.first, c.mode, o.first), c.first);
        }
        ASSERT_EQ(o.second.has_value(), c.second != nullptr);
        if (c.second) {
            EXPECT_EQ(shown(c.second, c.mode, *o.second), c.second);
        }
    }
}

// Triangles at the ends of the doubles' range, with every figure worked out to 60 digits: sides
// whose squares, products or sums pass the largest double or the smallest normal one, an angle
// whose radians are a denormal, and answers with a figure beyond the range, which are none. Before,
// the first five were rejected, 1e-140 lost digits in Kahan's products and the angle in its sine,
// the area of 1e200 was infinite and the second answer below had a denormal area.
TEST(EdgeAnswers, EndsOfTheRange) {
    struct Figures {
        double x, y, z, a, b, c, area, height, width;
    };
    struct {
        SolveMode mode;
        std::initializer_list<Given> inputs;
        std::optional<Figures> first;  // none: the figure below is out of range
        const char* outOfRange = nullptr;
        bool tooLarge = false;
    } const cases[] = {
        {SolveMode::Right,
         {{X, 1e154}, {Y, 1e154}},
         Figures{1e154, 1e154, 1.4142135623730951e154, 45, 45, 90, 5e307, 1e154, 1e154}},
        {SolveMode::Oblique,
         {{X, 1e154}, {Y, 1e154}, {Z, 1e154}},
         Figures{1e154, 1e154, 1e154, 60, 60, 60, 4.3301270189221936e307, 8.6602540378443868e153,
                 1e154}},
        {SolveMode::Oblique,
         {{X, 1e155}, {Y, 1e155}, {Z, 1e140}},
         Figures{1e155, 1e155, 1e140, 89.999999999999971, 89.999999999999971,
                 5.7295779513082324e-14, 5.0000000000000003e294, 1e140, 1e155}},
        // Two sides and a tiny angle between them: the half-angle's sine squared is 1e-405.
        {SolveMode::Oblique,
         {{X, 1}, {Y, 1}, {C, 1e-200}},
         Figures{1, 1, 1.7453292519943295e-202, 90, 90, 1e-200, 8.7266462599716477e-203,
                 1.7453292519943295e-202, 1}},
        {SolveMode::Oblique,
         {{X, 1e-140}, {Y, 1e-140}, {Z, 1e-155}},
         Figures{1e-140, 1e-140, 1e-155, 89.999999999999971, 89.999999999999971,
                 5.7295779513082323e-14, 5e-296, 1e-155, 1e-140}},
        {SolveMode::Right,
         {{Z, 1e10}, {A, 2.5e-308}},
         Figures{1e10, 4.3633231299858235e-300, 1e10, 2.5e-308, 90, 90, 2.1816615649929118e-290,
                 4.3633231299858235e-300, 1e10}},
        // Y / X is a denormal, A a normal double.
        {SolveMode::Right,
         {{X, 1e300}, {Y, 5e-10}},
         Figures{1e300, 5e-10, 1e300, 2.8647889756541161e-308, 90, 90, 2.5000000000000003e290,
                 5e-10, 1e300}},
        // The second triangle's C is 3.3e-7 degrees and its area 2.9e-309: only the first.
        {SolveMode::Oblique,
         {{X, 1.00000001e-150}, {Y, 1e-150}, {A, 30}},
         Figures{1.00000001e-150, 1e-150, 1.7320508133423800e-150, 30, 30.000000330797340,
                 119.99999966920266, 4.3301270766572206e-301, 8.6602540667119000e-151,
                 1.500000005e-150}},
        {SolveMode::Right, {{X, 1e200}, {A, 30}}, std::nullopt, "area", true},
        {SolveMode::Oblique, {{X, 1e200}, {Y, 1e200}, {Z, 1e200}}, std::nullopt, "area", true},
        {SolveMode::Right, {{X, 1e-160}, {Y, 1e-160}}, std::nullopt, "area", false},
        {SolveMode::Right, {{X, 1e300}, {A, 89.9999999}}, std::nullopt, "Y", true},
        {SolveMode::Right, {{X, 1e300}, {Y, 1e-300}}, std::nullopt, "A", false},
        {SolveMode::Right, {{X, 1e-320}, {Y, 1}}, std::nullopt, "X", false},
        // A sliver with an area of 8.7e300 whose circumradius is 2.9e308.
        {SolveMode::Oblique,
         {{X, 1e10}, {Y, 1e300}, {C, 179.9999999}},
         std::nullopt,
         "circumradius",
         true},
    };
    for (const auto& c : cases) {
        const SolveOutcome o = solveWith(c.mode, c.inputs);
        SCOPED_TRACE(::testing::Message() << "X " << c.inputs.begin()->value);
        EXPECT_FALSE(o.second);
        if (!c.first) {
            EXPECT_EQ(o.kind, Kind::CannotDoIt);
            ASSERT_TRUE(o.outOfRange);
            EXPECT_STREQ(o.outOfRange->figure, c.outOfRange);
            EXPECT_EQ(o.outOfRange->tooLarge, c.tooLarge);
            continue;
        }
        ASSERT_EQ(o.kind, Kind::Solved);
        const Triangle& t = o.first;
        const HeightAndWidth hw = heightAndWidth(c.mode, t);
        const Figures& e = *c.first;
        const double got[] = {t.x,       t.y,     t.z, t.a, t.b, t.c, triangleArea(c.mode, t),
                              hw.height, hw.width};
        const double exact[] = {e.x, e.y, e.z, e.a, e.b, e.c, e.area, e.height, e.width};
        for (int i = 0; i < 9; ++i)
            EXPECT_NEAR(got[i], exact[i], 1e-15 * exact[i]) << "figure " << i;
    }
}

TEST(DerivedQuantities, AreaHeightAndWidth) {
    const Triangle right = solveWith(SolveMode::Right, {{X, 3}, {Y, 4}}).first;
    EXPECT_EQ(rightTriangleArea(right.x, right.y), 6);

    // The oblique figures are taken from the solved triangles, as the results screen takes them.
    const Triangle pythagorean = solveWith(SolveMode::Oblique, {{X, 3}, {Y, 4}, {Z, 5}}).first;
    const SolveOutcome ambiguousBoth = solveWith(SolveMode::Oblique, {{X, 10}, {Y, 7}, {A, 30}});
    const Triangle obtuseA = solveWith(SolveMode::Oblique, {{X, 4}, {Y, 10}, {Z, 7}}).first;
    ASSERT_TRUE(ambiguousBoth.second);
    const Triangle ambiguous = ambiguousBoth.first;
    const Triangle second = *ambiguousBoth.second;

    struct {
        Triangle t;
        double height, width, area;
    } const cases[] = {
        // C = 90 within rounding: the foot of the height is at the vertex of C.
        {pythagorean, 4, 3, 6},
        // C obtuse: the foot lies beyond C, 1.742640687 outside X.
        {ambiguous, 6.779616762, 11.742640687, 33.898083809},
        // The second answer: C acute, the foot inside X.
        {second, 1.880637276, 10, 9.403186381},
        // A obtuse: the foot lies beyond A, at 8.375 from C.
        {obtuseA, 5.464373249, 8.375, 10.928746497},
    };
    for (const auto& c : cases) {
        const HeightAndWidth hw = obliqueHeightAndWidth(c.t);
        expectNine(hw.height, c.height, "height");
        expectNine(hw.width, c.width, "width");
        expectNine(obliqueTriangleArea(c.t), c.area, "area");
    }
    EXPECT_EQ(obliqueHeightAndWidth(pythagorean).width, 3);
}

// The figures of the triangle of solved answers, against the 60-digit reference (bench/accuracy)
// in the order of figuresOf: perimeter, heights onto X, Y, Z, medians to X, Y, Z, bisectors of
// A, B, C, inradius, circumradius. Beside the worked triangles: a cap, whose median to Z and
// bisector of C the textbook formulas lose to cancellation, a needle, and sides whose squares
// and products lie beyond the doubles. Each of these figures moves by about a unit in the last
// place when an input does, so the solver's may be a few units off and no more.
TEST(TriangleFigures, AgainstTheReference) {
    struct {
        SolveMode mode;
        std::initializer_list<Given> inputs;
        bool second;  // the figures of the second answer
        std::array<double, kFigureCount> exact;
    } const cases[] = {
        {SolveMode::Right,
         {{X, 3}, {Y, 4}},
         false,
         {12, 4, 3, 2.4, 4.2720018726587652, 3.6055512754639891, 2.5, 3.3541019662496847,
          4.2163702135578394, 2.424366106925306, 1, 2.5}},
        {SolveMode::Oblique,
         {{X, 10}, {Y, 7}, {A, 30}},
         false,
         {30.559233523410743, 6.7796167617053715, 9.6851668024362443, 5, 9.5617156865906061,
          11.387554911884854, 5.3419843283562312, 11.118539855664059, 8.5123034399997604,
          5.0466004995630787, 2.2185166249381414, 7}},
        {SolveMode::Oblique,
         {{X, 10}, {Y, 7}, {A, 30}},
         true,
         {20.761274552278032, 1.8806372761390151, 2.6866246801985931, 5, 2.5639019343194756,
          6.6950424292014121, 8.4239660158144289, 5.2801972898764369, 1.8956165349499616,
          8.1592491008155381, 0.90583902804399952, 7}},
        {SolveMode::Oblique,
         {{X, 4}, {Y, 10}, {Z, 7}},
         false,
         {21, 5.4643732485985987, 2.1857492994394394, 3.1224989991991992, 8.3964278118733322,
          2.7386127875258306, 6.7638746292343415, 2.2044283005422076, 8.1317013886423819,
          5.4772255750516612, 1.0408329997330663, 6.4051261522034855}},
        {SolveMode::Oblique,
         {{Z, 2}, {A, 1e-6}, {B, 1e-6}},
         false,
         {4, 3.4906585039886589e-08, 3.4906585039886589e-08, 1.7453292519943298e-08, 1.5, 1.5,
          1.7453292519943298e-08, 1.3333333333333335, 1.3333333333333335, 1.7453292519943298e-08,
          8.7266462599716473e-09, 28647889.756541166}},
        {SolveMode::Oblique,
         {{X, 1000}, {Y, 1000}, {Z, 0.0000177}},
         false,
         {2000.0000176999999, 1.77e-05, 1.77e-05, 1000, 500.00000000000017, 500.00000000000017,
          1000, 2.5031579721709563e-05, 2.5031579721709563e-05, 1000, 8.849999921677501e-06, 500}},
        {SolveMode::Oblique,
         {{X, 1e155}, {Y, 1e155}, {Z, 1e140}},
         false,
         {2.000000000000001e+155, 1.0000000000000001e+140, 1.0000000000000001e+140, 1e+155, 5e+154,
          5e+154, 1e+155, 1.414213562373094e+140, 1.414213562373094e+140, 1e+155,
          4.9999999999999982e+139, 5e+154}},
        {SolveMode::Right,
         {{X, 1e-150}, {Y, 3e-150}},
         false,
         {7.1622776601683801e-150, 3.0000000000000002e-150, 1e-150, 9.486832980505138e-151,
          3.0413812651491101e-150, 1.8027756377319948e-150, 1.5811388300841898e-150,
          1.2326775139086118e-150, 3.0392443716995706e-150, 1.0606601717798213e-150,
          4.1886116991581033e-151, 1.5811388300841898e-150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "X " << c.inputs.begin()->value << (c.second ? ", second answer" : ""));
        const SolveOutcome o = solveWith(c.mode, c.inputs);
        ASSERT_EQ(o.kind, Kind::Solved);
        ASSERT_EQ(o.second.has_value(), c.second || c.inputs.begin()->value == 10);
        const Triangle& t = c.second ? *o.second : o.first;
        const TriangleFigures f = figuresOf(c.mode, t);
        // What the solver hands on is what figuresOf gives.
        EXPECT_EQ((c.second ? o.secondFigures : o.firstFigures).values, f.values);
        for (std::size_t i = 0; i < kFigureCount; ++i) {
            const double ulp = std::nextafter(c.exact[i], kInf) - c.exact[i];
            EXPECT_NEAR(f.values[i], c.exact[i], 8 * ulp) << kFigureNames[i].label;
        }
    }
}

TEST(SolutionCheck, RejectsWhatIsNoTriangle) {
    const Triangle good{3, 4, 5, 50, 60, 70};
    ASSERT_TRUE(checkSolution(SolveMode::Oblique, good).accepted);

    // An infinite side and a denormal side or angle make a triangle whose figure is out of range.
    for (const Letter l : {X, Y, Z, A, B, C}) {
        for (const double bad : {0.0, -0.0, -1.0, kNaN, kInf, -kInf, 1e-310}) {
            Triangle t = good;
            numberOf(t, l) = bad;
            const SolutionCheck check = checkSolution(SolveMode::Oblique, t);
            EXPECT_FALSE(check.accepted) << l << " = " << bad;
            EXPECT_EQ(check.outOfRange.has_value(), bad == 1e-310 || (bad == kInf && l <= Z))
                << l << " = " << bad;
        }
    }
    for (const Letter l : {A, B, C}) {
        for (const double bad : {180.0, 200.0}) {
            Triangle t = good;
            numberOf(t, l) = bad;
            EXPECT_FALSE(checkSolution(SolveMode::Oblique, t).accepted) << l << " = " << bad;
        }
        Triangle justBelow = good;
        numberOf(justBelow, l) = std::nextafter(180.0, 0.0);
        EXPECT_TRUE(checkSolution(SolveMode::Oblique, justBelow).accepted);
    }
}

TEST(SolutionCheck, AngleTotalNoticeAboveTheThreshold) {
    Triangle t{3, 4, 5, 60, 60, 180.00001 - 120};
    ASSERT_EQ(t.b + t.a + t.c, 180.00001);
    const SolutionCheck atThreshold = checkSolution(SolveMode::Oblique, t);
    EXPECT_TRUE(atThreshold.accepted);
    EXPECT_FALSE(atThreshold.angleTotalNotice.has_value());

    // The next total a double can hold.
    while (t.b + t.a + t.c <= 180.00001)
        t.c = std::nextafter(t.c, 180.0);
    ASSERT_EQ(t.b + t.a + t.c, std::nextafter(180.00001, 181.0));
    const SolutionCheck above = checkSolution(SolveMode::Oblique, t);
    EXPECT_TRUE(above.accepted);  // a notice only
    ASSERT_TRUE(above.angleTotalNotice.has_value());
    EXPECT_EQ(*above.angleTotalNotice, t.b + t.a + t.c);

    t.c = 60;
    EXPECT_FALSE(checkSolution(SolveMode::Oblique, t).angleTotalNotice.has_value());
}

}  // namespace
}  // namespace solvara::worked_examples
