// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/display_scale.h"

#include <gtest/gtest.h>

#include "support/private_spooler.h"

namespace solvara {
namespace {

using testing::ScopedEnv;

TEST(DisplayScale, OptionThenSolvaraScaleThenGdkScaleThenOne) {
    const struct {
        std::optional<int> option;
        std::optional<std::string> solvaraScale, gdkScale;
        int chosen;
    } cases[] = {
        {std::nullopt, std::nullopt, std::nullopt, 1},
        {std::nullopt, std::nullopt, "2", 2},
        {std::nullopt, "3", "2", 3},
        {2, "3", "4", 2},
        // Not a whole number: passed over for the next source.
        {std::nullopt, "2x", "3", 3},
        {std::nullopt, "", "2", 2},
        {std::nullopt, "1.5", std::nullopt, 1},
        {std::nullopt, " 2", std::nullopt, 1},
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
        EXPECT_EQ(chooseDisplayScale(c.option), c.chosen)
            << "option " << c.option.value_or(0) << ", SOLVARA_SCALE "
            << c.solvaraScale.value_or("(unset)") << ", GDK_SCALE "
            << c.gdkScale.value_or("(unset)");
    }
}

}  // namespace
}  // namespace solvara
