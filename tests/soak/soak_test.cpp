// SPDX-License-Identifier: GPL-2.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "soak/soak.h"
#include "support/private_spooler.h"

namespace solvara::soak {
namespace {

// The short soak of every test run. SOLVARA_SOAK_EVENTS and SOLVARA_SOAK_SEED choose another
// length and seed; a failure names the seed, so `solvara_soak --seed N` replays it.
std::uint64_t fromEnvironment(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

TEST(Soak, RandomInputKeepsEveryInvariant) {
    // About 3 s in the normal build and 16 s under the sanitizers, on an idle machine.
    constexpr std::uint64_t kEvents = 100000;
    // Printing fails at once, and the rest of the process keeps its own spooler setting.
    testing::ScopedEnv spooler("CUPS_SERVER", "/nonexistent/solvara-soak/cups.sock");
    SoakOptions options;
    options.seed = fromEnvironment("SOLVARA_SOAK_SEED", 20261208);
    options.events = fromEnvironment("SOLVARA_SOAK_EVENTS", kEvents);
    const SoakReport report = runSoak(options);
    std::cout << summary(report) << std::endl;
    ASSERT_TRUE(report.ok) << report.failure;
    EXPECT_EQ(report.events, options.events);
    // The generator reaches every screen, not just the main loop.
    EXPECT_GT(report.resultScreens, 0u);
    EXPECT_GT(report.helpScreens, 0u);
    EXPECT_GT(report.programs, 1u);
}

}  // namespace
}  // namespace solvara::soak
