// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/marker_rules.h"
#include "values/commit.h"

#include <gtest/gtest.h>

#include <string>

#include "support/table_names.h"

namespace solvara {
namespace {

constexpr const char* kLetters = "XYZADBECF";  // the entries in panel order

Entry idOf(char letter) {
    return kAllEntries[std::string(kLetters).find(letter)];
}

// The marked entries as letters in row order, e.g. "XA".
std::string marked(const TriangleValues& v) {
    std::string letters;
    for (const Entry id : kAllEntries) {
        if (v.markers.on(id)) letters += kLetters[indexOf(id)];
    }
    return letters;
}

// A triangle with every entry filled in and the given markers on.
TriangleValues filled(SolveMode mode, const std::string& on) {
    TriangleValues v;
    v.solveMode = mode;
    v.triangle.x = 3;
    v.triangle.y = 4;
    v.triangle.z = 5;
    v.triangle.a = 30;
    v.triangle.b = 60;
    v.triangle.c = 90;
    for (const char letter : on)
        v.markers.set(idOf(letter), true);
    return v;
}

using testing::O;
using testing::R;

struct SelectionCase {
    SolveMode mode;
    char selected;
    const char* before;
    const char* after;  // markers after the selection and the Right-mode limits
};

TEST(MarkerRules, SelectionAndRightModeLimits) {
    const SelectionCase cases[] = {
        // The selection turns its own marker on; D, E and F mark their decimal angle.
        {R, 'X', "", "X"},
        {R, 'D', "", "A"},
        {R, 'E', "", "B"},
        {R, 'F', "", "C"},
        {O, 'D', "", "A"},
        // One angle at most in Right mode: the selected angle replaces the other.
        {R, 'A', "B", "A"},
        {R, 'B', "A", "B"},
        {R, 'D', "XB", "XA"},
        {R, 'E', "YA", "YB"},
        {O, 'A', "B", "AB"},
        // The 21 limiting rules one by one.
        {R, 'X', "ZB", "XB"},  // 1
        {R, 'X', "YB", "XB"},  // 2
        {R, 'Y', "XB", "YB"},  // 3
        {R, 'Y', "ZB", "YB"},  // 4
        {R, 'Z', "YB", "ZB"},  // 5
        {R, 'Z', "XB", "ZB"},  // 6
        {R, 'X', "YA", "XA"},  // 7
        {R, 'X', "ZA", "XA"},  // 8
        {R, 'Y', "ZA", "YA"},  // 9
        {R, 'Y', "XA", "YA"},  // 10
        {R, 'Z', "XA", "ZA"},  // 11
        {R, 'Z', "YA", "ZA"},  // 12
        {R, 'B', "YZ", "YB"},  // 13
        {R, 'B', "XZ", "ZB"},  // 14
        {R, 'B', "XY", "XB"},  // 15
        {R, 'A', "YZ", "YA"},  // 16
        {R, 'A', "XZ", "ZA"},  // 17
        {R, 'A', "XY", "XA"},  // 18
        {R, 'X', "YZ", "XY"},  // 19
        {R, 'Y', "XZ", "YZ"},  // 20
        {R, 'Z', "XY", "XZ"},  // 21
        // Each rule sees the markers as the rules before it left them.
        {R, 'X', "YZB", "XB"},   // 1 then 2
        {R, 'X', "YZA", "XA"},   // 7 then 8
        {R, 'A', "XYZ", "XA"},   // 16, then 18 (17 no longer applies)
        {R, 'Y', "XZB", "YB"},   // 3 then 4
        {R, 'B', "XYZ", "XB"},   // 13, then 15
        {R, 'Z', "XY", "XZ"},    // 21 alone
        {R, 'X', "YAB", "XAB"},  // 2 turns Y off, so 7 finds nothing
        // The limits name A and B themselves: a selected D or E is not limited by them.
        {R, 'D', "XY", "XYA"},
        // Oblique mode limits nothing.
        {O, 'X', "YZAB", "XYZAB"},
        {O, 'C', "XY", "XYC"},
        {O, 'F', "XYZ", "XYZC"},
    };
    for (const SelectionCase& c : cases) {
        TriangleValues v = filled(c.mode, c.before);
        markSelected(v, idOf(c.selected));
        applySelectionMarkerRules(v, idOf(c.selected));
        EXPECT_EQ(marked(v), c.after) << (c.mode == R ? "Right" : "Oblique") << ", " << c.before
                                      << " on, " << c.selected << " selected";
    }
}

struct EmptyEntryCase {
    SolveMode mode;
    char selected;
    const char* before;
    char emptied;  // this entry's number is 0
    const char* after;
};

TEST(MarkerRules, AnEmptySelectedEntryIsNoInput) {
    const EmptyEntryCase cases[] = {
        {R, 'X', "Y", 'X', "Y"},
        {O, 'Y', "X", 'Y', "X"},
        {O, 'Z', "", 'Z', ""},
        {R, 'A', "X", 'A', "X"},  // A and D both off
        {O, 'B', "", 'B', ""},
        {O, 'C', "", 'C', ""},
        {R, 'D', "", 'A', "A"},  // only A itself selected is tested for zero
        {O, 'F', "", 'C', "C"},
        {R, 'X', "Y", 'Z', "XY"},  // an empty entry that is not selected keeps its marker
    };
    for (const EmptyEntryCase& c : cases) {
        TriangleValues v = filled(c.mode, c.before);
        v.number(idOf(c.emptied)) = 0;
        markSelected(v, idOf(c.selected));
        commitChange(v, idOf(c.selected), Wait{});
        EXPECT_EQ(marked(v), c.after) << c.selected << " selected, " << c.emptied << " empty";
    }
}

TEST(MarkerRules, RightModeKeepsCRightAndTheAnglesComplementary) {
    TriangleValues v = filled(R, "A");
    v.triangle.a = 30;
    v.triangle.b = 0;
    v.triangle.c = 0;
    markSelected(v, Entry::B);
    v.triangle.b = 50;
    commitChange(v, Entry::B, Wait{});
    EXPECT_EQ(marked(v), "B");
    EXPECT_EQ(v.triangle.c, 90);
    EXPECT_EQ(v.triangle.b, 50);
    EXPECT_EQ(v.triangle.a, 40);

    // Marked A sets B; with both marked (Oblique leftovers) B is set first, then A from it.
    TriangleValues both = filled(R, "AB");
    both.triangle.a = 20;
    both.triangle.b = 10;
    applyEmptyEntryMarkerRules(both, Entry::X);
    EXPECT_EQ(both.triangle.b, 70);
    EXPECT_EQ(both.triangle.a, 20);

    TriangleValues oblique = filled(O, "A");
    oblique.triangle.c = 75;
    applyEmptyEntryMarkerRules(oblique, Entry::A);
    EXPECT_EQ(oblique.triangle.c, 75);
    EXPECT_EQ(oblique.triangle.b, 60);
}

struct ToggleCase {
    SolveMode mode;
    char row;
    const char* before;
    char emptied;  // '-' for none
    const char* after;
};

TEST(MarkerRules, ClickOnTheMarkerColumn) {
    const ToggleCase cases[] = {
        {R, 'X', "", '-', "X"},
        {R, 'X', "X", '-', ""},  // a lit marker goes off even with a number
        {R, 'X', "", 'X', ""},   // an empty entry cannot be marked
        {R, 'Y', "Y", 'Y', ""},
        {O, 'B', "", '-', "B"},
        {R, 'A', "", '-', "A"},  // no Right-mode limits on a click
        {R, 'A', "XY", '-', "XYA"},
        {R, 'C', "", '-', ""},  // C is no choice in Right mode
        {R, 'C', "C", '-', "C"},
        {O, 'C', "", '-', "C"},
        {O, 'C', "C", '-', ""},
        {O, 'C', "", 'C', ""},
        {O, 'D', "", '-', ""},  // D, E and F have no marker of their own
        {O, 'E', "B", '-', "B"},
        {O, 'F', "", '-', ""},
    };
    for (const ToggleCase& c : cases) {
        TriangleValues v = filled(c.mode, c.before);
        if (c.emptied != '-') v.number(idOf(c.emptied)) = 0;
        toggleMarker(v, idOf(c.row));
        EXPECT_EQ(marked(v), c.after) << "click on " << c.row << " with " << c.before << " on";
    }
}

TEST(InputCount, CountsMarkedEntriesAboveZeroAndDecidesWhetherToSolve) {
    TriangleValues v = filled(O, "XYZABCDEF");
    v.triangle.z = -1;
    EXPECT_EQ(countInputs(v), 5);  // D, E, F are never counted; negative Z is no input

    struct {
        SolveMode mode;
        int count;
        bool solve;
    } const decisions[] = {{R, 0, true},  {R, 1, false}, {R, 2, true}, {R, 3, true}, {O, 0, true},
                           {O, 1, false}, {O, 2, false}, {O, 3, true}, {O, 4, true}};
    for (const auto& d : decisions) {
        EXPECT_EQ(enoughInputsToSolve(d.mode, d.count), d.solve) << d.count;
    }
}

TEST(AngleCompletion, RightModeFillsAnEmptyAngleFromTheOther) {
    struct {
        double a, b;
        double aAfter, bAfter;
    } const cases[] = {
        {30, 0, 30, 60},  {0, 25, 65, 25}, {90, 0, 90, 0},   {0, 90, 0, 90},
        {100, 0, 100, 0}, {0, -5, 0, -5},  {40, 40, 40, 40}, {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TriangleValues v;
        v.triangle.a = c.a;
        v.triangle.b = c.b;
        completeRightAngles(v);
        EXPECT_EQ(v.triangle.a, c.aAfter) << c.a << ", " << c.b;
        EXPECT_EQ(v.triangle.b, c.bAfter) << c.a << ", " << c.b;
        EXPECT_EQ(v.markers.on(Entry::A), false);
    }
}

TEST(AngleCompletion, TheMainScreenBringsTheRecordInLineWithTheMode) {
    TriangleValues right;
    right.triangle.a = 35;
    alignWithMode(right);
    EXPECT_EQ(right.triangle.b, 55);
    EXPECT_EQ(right.triangle.c, 90);

    for (const double c : {0.0, 90.0}) {
        TriangleValues oblique;
        oblique.solveMode = O;
        oblique.triangle.c = c;
        oblique.texts.f = "90d 0m 0s ";
        alignWithMode(oblique);
        EXPECT_EQ(oblique.triangle.c, 0);
        EXPECT_EQ(oblique.texts.f, kZeroDms);
    }
    // An angle of C the user gave is kept, a right angle too.
    for (const double c : {89.5, 90.0}) {
        TriangleValues kept;
        kept.solveMode = O;
        kept.triangle.c = c;
        kept.markers.set(Entry::C, c == 90);
        kept.texts.f = "89d 30m 0s ";
        alignWithMode(kept);
        EXPECT_EQ(kept.triangle.c, c);
        EXPECT_EQ(kept.texts.f, "89d 30m 0s ");
    }
}

TEST(AngleCompletion, TheSwitchFromRightEmptiesTheFixedRightAngle) {
    // C's marker may still be on from an oblique input made before the switch to Right.
    TriangleValues v;
    v.triangle.c = 90;
    v.texts.f = "90d 0m 0s ";
    v.markers.set(Entry::C, true);
    setSolveMode(v, O);
    EXPECT_EQ(v.solveMode, O);
    EXPECT_EQ(v.triangle.c, 0);
    EXPECT_EQ(v.texts.f, kZeroDms);

    // Oblique to Oblique (and to Right) leaves C alone.
    v.triangle.c = 90;
    setSolveMode(v, O);
    EXPECT_EQ(v.triangle.c, 90);
    setSolveMode(v, SolveMode::Right);
    EXPECT_EQ(v.triangle.c, 90);
}

}  // namespace
}  // namespace solvara
