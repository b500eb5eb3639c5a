// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/display_scale.h"

#include <gtest/gtest.h>

#include "platform/window/monitors.h"
#include "support/private_spooler.h"

namespace solvara {
namespace {

using testing::ScopedEnv;

TEST(DisplayScale, OptionThenSolvaraScaleThenGdkScaleThenTheDesktopsResources) {
    const struct {
        std::optional<int> option;
        std::optional<std::string> solvaraScale, gdkScale;
        std::optional<int> chosen;  // nothing: the X resources decide, else 1
    } cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {std::nullopt, std::nullopt, "2", 2},
        {std::nullopt, "3", "2", 3},
        {2, "3", "4", 2},
        // Not a whole number: passed over for the next source.
        {std::nullopt, "2x", "3", 3},
        {std::nullopt, "", "2", 2},
        {std::nullopt, "1.5", std::nullopt, std::nullopt},
        {std::nullopt, " 2", std::nullopt, std::nullopt},
        // Outside 1..4: brought to the nearer end.
        {std::nullopt, "0", "3", 1},
        {std::nullopt, "9", std::nullopt, 4},
        {std::nullopt, "-2", std::nullopt, 1},
        {7, std::nullopt, std::nullopt, 4},
        {std::nullopt, "99999999999999999999", "2", 2},
    };
    for (const auto& c : cases) {
        const ScopedEnv solvara("SOLVARA_SCALE", c.solvaraScale);
        const ScopedEnv gdk("GDK_SCALE", c.gdkScale);
        const ScaleRequest request = requestDisplayScale(c.option);
        EXPECT_EQ(request.scale, c.chosen)
            << "option " << c.option.value_or(0) << ", SOLVARA_SCALE "
            << c.solvaraScale.value_or("(unset)") << ", GDK_SCALE "
            << c.gdkScale.value_or("(unset)");
        // Only the command line's scale is the user's own word, told when it cannot be had.
        EXPECT_EQ(request.fromCommandLine, c.option.has_value());
    }
}

TEST(DisplayScale, XftDpiOfTheResourcesIsTheDesktopsScale) {
    const struct {
        const char* resources;
        std::optional<int> scale;
    } cases[] = {
        {"", std::nullopt},
        {"*background:\tgrey\nXft.dpi:\t192\nXft.hinting:\t1\n", 2},
        {"Xft.dpi: 144", 2},  // halves round up; no newline after the last line
        {"Xft.dpi:\t120\n", 1},
        {"Xft.dpi:\t1000\n", 4},  // brought into 1 to 4
        // Other resources that end in dpi, and values that are no positive number.
        {"Xft.dpix:\t192\nXTerm*dpi:\t192\n", std::nullopt},
        {"Xft.dpi:\t0\n", std::nullopt},
        {"Xft.dpi:\t192 dots\n", std::nullopt},
        {"Xft.dpi:\tinf\n", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scaleOfResources(c.resources), c.scale) << c.resources;
}

TEST(DisplayScale, LoweredUntilThePageFitsWhatTheMonitorLeavesFree) {
    const struct {
        Size usable;
        int wanted, fitting;
    } cases[] = {
        {{2572, 1932}, 4, 4}, {{2571, 1932}, 4, 3}, {{2572, 1931}, 4, 3},  // to the pixel
        {{1280, 1024}, 4, 1}, {{600, 400}, 2, 1},   {{3840, 2160}, 0, 1},  // never below 1
    };
    for (const auto& c : cases)
        EXPECT_EQ(largestScaleFitting(Size{643, 483}, c.usable, c.wanted), c.fitting)
            << c.usable.width << "x" << c.usable.height << " at " << c.wanted;
}

}  // namespace
}  // namespace solvara
