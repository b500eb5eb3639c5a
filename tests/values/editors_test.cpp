// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "support/harness.h"

namespace solvara {
namespace {

using testing::Harness;

TEST(DecimalEditor, TheRoadOfOneRequestSolvesTheRecord) {
    Harness h;
    h.start();
    h.type("x3\ry4\r");
    h.settle();
    const TriangleValues& v = h.program.values();
    EXPECT_DOUBLE_EQ(v.triangle.z, 5);
    EXPECT_NEAR(v.triangle.a, 53.130102354, 1e-9);
    EXPECT_NEAR(v.triangle.b, 36.869897646, 1e-9);
    EXPECT_EQ(v.triangle.c, 90);
}

TEST(DecimalEditor, SelectingShowsTheValueInBlueWithTheCursorMark) {
    Harness h;
    h.start();
    h.type("x2.5\r");
    h.settle();
    h.type("x");
    h.settle();
    EXPECT_EQ(h.field(20), "2.5\x11") << h.screen();
    EXPECT_EQ(h.textColour(20, 62), 1);
    h.type("\r");
    h.settle();
    EXPECT_EQ(h.program.values().triangle.x, 2.5);
    EXPECT_EQ(h.step(), Step::MainLoop);
}

TEST(DecimalEditor, EmptyEntryShowsOnlyTheCursorMark) {
    Harness h;
    h.start();
    h.type("y");
    h.settle();
    EXPECT_EQ(h.field(21), "\x11");
}

TEST(DecimalEditor, TypingRules) {
    const struct {
        const char* keys;
        double x;
    } cases[] = {
        {"x1.2.3\r", 1.2},                   // parsing stops at the second point
        {"x123456789012\r", 12345678901},    // the twelfth key is ignored
        {"x12345678901\b5\r", 12345678905},  // Backspace still works at eleven
        {"x7\x1b\r", 7},                     // Escape is ignored by this editor
        {"x5\xff"
         "K9\r",
         9},                 // left arrow rubs out like Backspace
        {"x5K8\r", 8},       // and so does a capital K
        {"x3,5\r", 3.5},     // a comma is the point
        {"x1,2.3\r", 1.2},   // and counts as one
        {"x3;5'7 \r", 357},  // other characters are left out
    };
    for (const auto& c : cases) {
        Harness h;
        h.start();
        h.type(c.keys);
        h.settle();
        EXPECT_DOUBLE_EQ(h.program.values().triangle.x, c.x) << c.keys;
    }
}

TEST(DecimalEditor, BackspaceThatEmptiesTheTextClearsMarkerAndNumberAtOnce) {
    Harness h;
    h.start();
    h.type("x3\r");
    h.settle();
    ASSERT_TRUE(h.program.values().markers.on(Entry::X));
    h.type("x\b\b\b");
    h.settle();
    EXPECT_FALSE(h.program.values().markers.on(Entry::X));
    EXPECT_EQ(h.program.values().triangle.x, 0);
    EXPECT_EQ(h.step(), Step::EditDecimalKeys);
}

TEST(DecimalEditor, EnterOnAnEmptyTextShowsZeroAndDeselects) {
    Harness h;
    h.start();
    h.type("z\r");
    h.settle();
    EXPECT_EQ(h.field(22), "0.0");
    EXPECT_EQ(h.program.editors().selected(), std::nullopt);
    EXPECT_EQ(h.step(), Step::MainLoop);
}

TEST(DecimalEditor, RightModeComplementFollowsTheCommittedAngle) {
    Harness h;
    h.start();
    h.type("a40\r");
    h.settle();
    EXPECT_EQ(h.field(25), "50.0");
    h.type("a");
    h.settle();
    EXPECT_EQ(h.field(23), "40.0\x11");
    // While the committed A stands, the panel keeps B at its complement.
    h.type("\b\b");
    h.settle();
    EXPECT_EQ(h.field(25), "50.0") << h.screen();
    // Emptying the field empties A, and B then shows the complement of nothing until the
    // commit: the live complement of the empty text is 90.
    h.type("\b\b30");
    h.settle();
    EXPECT_EQ(h.field(25), "90.0") << h.screen();
    h.type("\r");
    h.settle();
    EXPECT_EQ(h.program.values().triangle.a, 30);
    EXPECT_EQ(h.program.values().triangle.b, 60);
}

TEST(DecimalEditor, AnAngleOf180OrMoreIsRejected) {
    Harness h;
    h.start();
    h.type("o");
    h.type("a200\r");
    h.settle();
    EXPECT_EQ(h.program.values().triangle.a, 0);
    EXPECT_EQ(h.program.values().texts.d, kZeroDms);
    EXPECT_EQ(h.step(), Step::MainLoop);
}

TEST(DmsEditor, TemplateDigitsBackspaceAndCommit) {
    Harness h;
    h.start();
    h.type("d4537");
    h.settle();
    // The cursor mark covers the template digit it stands on.
    EXPECT_EQ(h.program.editors().typedText(), "45d 37m 00s");
    EXPECT_EQ(h.field(24),
              "45d 37m \x11"
              "0s")
        << h.screen();
    h.type("\b");
    h.settle();
    EXPECT_EQ(h.program.editors().typedText(), "45d 30m 00s");
    EXPECT_EQ(h.field(24), "45d 3\x11m 00s");
    h.type("\r");
    h.settle();
    EXPECT_DOUBLE_EQ(h.program.values().triangle.a, 45.5);
    EXPECT_DOUBLE_EQ(h.program.values().triangle.b, 44.5);
}

TEST(DmsEditor, EscapeAndTheUntouchedTemplateChangeNothing) {
    Harness h;
    h.start();
    h.type("a30\r");
    h.settle();
    h.type("d\r");
    h.settle();
    EXPECT_EQ(h.step(), Step::EditDmsKeys);  // Enter on the untouched template is ignored
    h.type("12");
    h.key(keys::kEscape);
    h.settle();
    EXPECT_EQ(h.step(), Step::MainLoop);
    EXPECT_EQ(h.program.values().triangle.a, 30);
    h.type("d\b");
    h.settle();
    EXPECT_EQ(h.step(), Step::MainLoop);  // Backspace before the first digit leaves
    EXPECT_EQ(h.program.values().triangle.a, 30);
}

TEST(ValuesPanel, ObliqueWithAllEntriesEmpty) {
    Harness h;
    h.start();
    h.type("o");
    h.type("x");
    h.settle();
    EXPECT_EQ(h.text(21, 39, 26), "Y = Height           = 0.0");
    EXPECT_EQ(h.text(24, 39, 34), "D = Angle A degrees  = 00d 00m 00s");
    EXPECT_EQ(h.text(27, 39, 26), "C = Angle C decimal  = 0.0");
    EXPECT_EQ(h.text(28, 39, 34), "F = Angle C degrees  = 00d 00m 00s");
}

TEST(ValuesPanel, RightModeShowsCAsNinety) {
    Harness h;
    h.start();
    EXPECT_EQ(h.text(27, 39, 27), "C = Angle C decimal  = 90.0") << h.screen();
    EXPECT_EQ(h.text(28, 39, 32), "F = Angle C degrees  = 90d 0m 0s");
}

TEST(ValuesPanel, SelectingDWithAZeroLightsAAndNotD) {
    Harness h;
    h.start();
    h.type("d");
    h.settle();
    EXPECT_EQ(h.textColour(23, 37), 2) << h.screen();
    EXPECT_EQ(h.textColour(24, 37), 7);
    h.key(keys::kEscape);
    h.type("o");
    h.type("c");
    h.settle();
    EXPECT_EQ(h.textColour(27, 37), 7);  // C selected while 0: both off
    EXPECT_EQ(h.textColour(28, 37), 7);
}

TEST(ValuesPanel, DecimalAndDmsTextsOfAnAngle) {
    Harness h;
    h.start();
    h.type("o");
    h.type("a12.3456\r");
    h.settle();
    EXPECT_EQ(h.field(23), "12.3456");
    EXPECT_EQ(h.field(24), "12d 20m 44s 0.2");
}

TEST(ValuesPanel, AnAngleRubbedOutToZeroShowsTheZeroDegreesText) {
    Harness h;
    h.start();
    h.type("ob50\r");
    h.settle();
    ASSERT_EQ(h.field(26), "50d 0m 0s");
    h.type("b\b\b\b\b\r");
    h.settle();
    EXPECT_EQ(h.field(25), "0.0");
    EXPECT_EQ(h.field(26), "00d 00m 00s");
}

}  // namespace
}  // namespace solvara
