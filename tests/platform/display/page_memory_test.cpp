// SPDX-License-Identifier: GPL-2.0-or-later
// The display's pages live in memory that is handed back on re-open; every page must read as
// zeros afterwards, whatever was drawn on it.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/display/display.h"
#include "support/scripted_backend.h"

namespace solvara {
namespace {

TEST(DisplayPages, ReopenLeavesEveryPageZero) {
    ScriptedBackend backend;
    Display d{backend};
    std::string error;
    ASSERT_TRUE(d.open(error)) << error;
    constexpr int kPageBytes = Display::kWidth * Display::kHeight;
    for (int page = 0; page < Display::kPages; ++page) {
        const std::uint8_t* p = d.pageData(page);
        EXPECT_EQ(std::count(p, p + kPageBytes, 0), kPageBytes) << "fresh page " << page;
    }
    for (int page = 0; page < Display::kPages; ++page) {
        d.setPages(page, page);
        d.fillBox(Rect{0, 0, Display::kWidth - 1, Display::kHeight - 1},
                  Colour{static_cast<std::uint8_t>(20 + page)});
        const std::uint8_t* p = d.pageData(page);
        ASSERT_EQ(std::count(p, p + kPageBytes, 20 + page), kPageBytes);
    }
    ASSERT_TRUE(d.open(error)) << error;
    for (int page = 0; page < Display::kPages; ++page) {
        const std::uint8_t* p = d.pageData(page);
        EXPECT_EQ(std::count(p, p + kPageBytes, 0), kPageBytes) << "page " << page;
    }
}

}  // namespace
}  // namespace solvara
