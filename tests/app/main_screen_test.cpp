// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include "support/harness.h"
#include "support/table_names.h"

namespace solvara {
namespace {

using testing::Harness;

constexpr int kBrown = 6;
using testing::kBlack;
using testing::kGreen;
constexpr int kGrey = 7;

TEST(MainScreen, RightModeShowsItsButtonInBrownAndItsInstructions) {
    Harness h;
    h.start();
    EXPECT_EQ(h.text(4, 8, 35), "Select a Right or Oblique Triangle.");
    EXPECT_EQ(h.text(6, 8, 30), "Enter two values to find the  ");
    EXPECT_EQ(h.text(10, 8, 14), "press ENTER.  ");
    EXPECT_EQ(h.textColour(13, 25), kBrown) << h.screen();  // "RIGHT"
    EXPECT_EQ(h.textColour(13, 34), kBlack);                // "OBLIQUE"
    EXPECT_EQ(h.pixel(180, 190), kBrown);                   // RIGHT box
    EXPECT_EQ(h.pixel(254, 190), kBlack);                   // OBLIQUE box
    // The button boxes cross the blanks between the captions.
    EXPECT_EQ(h.text(13, 8, 4), "EXIT");
    EXPECT_EQ(h.text(13, 16, 5), "CLEAR");
    EXPECT_EQ(h.text(15, 8, 4), "HELP");
    EXPECT_EQ(h.textColour(15, 24), kGrey);  // EDIT does nothing here
    EXPECT_EQ(h.text(30, 3, 7), "Solvara");
}

TEST(MainScreen, ObliqueModeSwapsTheButtonsAndLeavesNoOldCharacters) {
    Harness h;
    h.start();
    h.type("o");
    h.settle();
    EXPECT_EQ(h.textColour(13, 34), kBrown) << h.screen();
    EXPECT_EQ(h.textColour(13, 25), kBlack);
    EXPECT_EQ(h.pixel(254, 190), kBrown);
    EXPECT_EQ(h.pixel(180, 190), kBlack);
    EXPECT_EQ(h.text(7, 8, 36), "remaining values of an OBLIQUE      ");
    EXPECT_EQ(h.text(10, 8, 14), "press ENTER.  ");
    h.type("r");
    h.settle();
    EXPECT_EQ(h.text(7, 8, 36), "remaining values of a 90 degree     ");
}

TEST(MainScreen, FrameTitleBarAndCloseBlocks) {
    Harness h;
    h.start();
    EXPECT_EQ(h.pixel(642, 482), 3);
    EXPECT_EQ(h.pixel(641, 481), 3);
    EXPECT_EQ(h.pixel(640, 480), 1);
    EXPECT_EQ(h.pixel(300, 16), 3);  // the rule under the title bar
    EXPECT_EQ(h.pixel(300, 17), 1);
    EXPECT_EQ(h.pixel(300, 24), 15);
    EXPECT_EQ(h.pixel(569, 10), 6);  // brown block around " Exit "
    EXPECT_EQ(h.pixel(636, 12), 4);  // red block
    EXPECT_EQ(h.pixel(200, 10), 7);  // grey bar
    EXPECT_EQ(h.program.display().palette()[2], (Rgb{4, 161, 0}));
    EXPECT_EQ(h.backend.title(), "Solvara");
}

TEST(MainScreen, MarkerColumnIsBlankAfterStartAndAfterClear) {
    Harness h;
    h.start();
    for (int row = 20; row <= 28; ++row)
        EXPECT_EQ(h.text(row, 37, 1), " ") << row;
    h.type("x3\r");
    h.settle();
    EXPECT_EQ(h.textColour(20, 37), kGreen) << h.screen();
    h.click(140, 198);  // CLEAR
    h.settle();
    for (int row = 20; row <= 28; ++row)
        EXPECT_EQ(h.text(row, 37, 1), " ") << row;
    EXPECT_EQ(h.program.values().triangle.x, 0);
}

TEST(MainScreen, EditButtonCommandShowsTheEditHelpOnce) {
    Harness h;
    h.start();
    h.type("x3\ry4\r");
    h.settle();
    h.type("i");
    h.settle();
    EXPECT_EQ(h.text(7, 45, 5), "Edit:") << h.screen();
    EXPECT_EQ(h.text(10, 45, 30), "for an Oblique Triangle. Turn ");
}

}  // namespace
}  // namespace solvara
