// SPDX-License-Identifier: GPL-2.0-or-later
// Ctrl+C on the results screen puts the printed lines of the answer on screen on the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "results/printing.h"
#include "support/harness.h"

namespace solvara {
namespace {

using testing::Harness;

using keys::kCtrlC;

std::vector<std::uint8_t> visiblePage(Harness& h) {
    const Display& d = h.program.display();
    const std::uint8_t* page = d.pageData(d.visiblePage());
    return {page, page + Display::kWidth * Display::kHeight};
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

TEST(CopyResults, RightTriangleCopiesTheFifteenPrintedLinesAndLeavesTheScreen) {
    Harness h;
    h.start();
    h.type("x3\ry4\r");
    h.settle();
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();
    const auto before = visiblePage(h);

    h.key(kCtrlC);
    h.settle();

    EXPECT_EQ(
        h.backend.clipboard(),
        joined({
            "",
            "",
            "           Solvara",
            "",
            "           X = Length           = 3.0",
            "           Y = Height           = 4.0",
            "           Z = Length of angle  = 5.0",
            "           A = Angle A decimal  = 53.13010235",
            "           D = Angle A degrees  = 53d 7m 48s 0.4",
            "           B = Angle B decimal  = 36.869897646",
            "           E = Angle B degrees  = 36d 52m 11s 0.6",
            "           C = Angle C decimal  = 90.0",
            "           F = Angle C degrees  = 90d 0m 0s ",  // the text keeps its blank tenths
            "           Area of Triangle     = 6.0",
            "",
        }));
    EXPECT_EQ(visiblePage(h), before) << "Ctrl+C changed the screen";
    EXPECT_EQ(h.step(), Step::ResultsCycle);
}

TEST(CopyResults, SecondAnswerCopiesWhatIsOnScreenWithHeightAndWidth) {
    Harness h;
    h.start();
    h.type("o");
    h.type("x10\ry7\ra30\r");
    h.settle();
    h.type("S");
    h.settle();
    ASSERT_TRUE(h.program.results().secondChosen()) << h.screen();

    h.key(kCtrlC);
    h.settle();

    const std::string copied = h.backend.clipboard();
    const AnswerTexts& second = h.program.results().secondTexts();
    EXPECT_EQ(copied,
              joined(printedLines(SolveMode::Oblique, second, h.program.results().lines())));
    EXPECT_NE(copied.find("           Z = Length of angle  = " + second.z + "\n"),
              std::string::npos)
        << copied;
    EXPECT_NE(copied.find("           Area of Triangle     = " + second.area + "\n"),
              std::string::npos)
        << copied;
    EXPECT_NE(copied.find("           Triangle Height      = "), std::string::npos);
    EXPECT_NE(copied.find("           Triangle Width       = "), std::string::npos);
    // Seventeen lines for an oblique triangle.
    EXPECT_EQ(std::count(copied.begin(), copied.end(), '\n'), 17);
}

TEST(CopyResults, CtrlCElsewhereCopiesNothing) {
    Harness h;
    h.start();
    h.key(kCtrlC);
    h.settle();
    EXPECT_EQ(h.backend.clipboard(), "");
    EXPECT_EQ(h.step(), Step::MainLoop);
}

}  // namespace
}  // namespace solvara
