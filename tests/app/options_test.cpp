// SPDX-License-Identifier: GPL-2.0-or-later
// The command line as a table: what each one runs with, or how the process ends at once.
#include "app/options.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace solvara {
namespace {

CommandLine read(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{"/usr/bin/solvara"};
    for (const std::string& a : arguments)
        argv.push_back(a.c_str());
    return readCommandLine(static_cast<int>(argv.size()), argv.data());
}

std::string bracketed(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments)
        text += "[" + a + "]";
    return text;
}

TEST(CommandLine, RunsWithTheScaleItWasGiven) {
    const struct {
        std::vector<std::string> arguments;
        std::optional<int> scale;
    } table[] = {
        {{}, std::nullopt}, {{"--scale", "1"}, 1}, {{"--scale", "2"}, 2},
        {{"--scale=3"}, 3}, {{"--scale", "4"}, 4}, {{"--scale", "02"}, 2},  // decimal, not octal
    };
    for (const auto& row : table) {
        const CommandLine c = read(row.arguments);
        EXPECT_FALSE(c.exitStatus.has_value()) << bracketed(row.arguments) << ": " << c.error;
        EXPECT_EQ(c.options.scale, row.scale) << bracketed(row.arguments);
        EXPECT_EQ(c.output + c.error, "") << bracketed(row.arguments);
    }
}

TEST(CommandLine, UsageErrorsAreOneLineOnStandardErrorAndStatusTwo) {
    const struct {
        std::vector<std::string> arguments;
        std::string named;  // the error line names what was wrong
    } table[] = {
        {{"--scale", "0"}, "0"},      {{"--scale", "5"}, "5"},
        {{"--scale", "-1"}, "-1"},    {{"--scale", "2.0"}, "2.0"},
        {{"--scale", "0x2"}, "0x2"},  {{"--scale", " 2"}, " 2"},
        {{"--scale", "+2"}, "+2"},    {{"--scale", ""}, "--scale"},
        {{"--scale", "two"}, "two"},  {{"--scale", "99999999999999999999"}, "99999999999999999999"},
        {{"--scale"}, "--scale"},     {{"--scale", "2", "--scale", "3"}, "--scale"},
        {{"--bogus"}, "--bogus"},     {{"-s", "2"}, "-s"},
        {{"--sc", "2"}, "--sc"},      {{"-V"}, "-V"},
        {{"extra"}, "extra"},         {{"--scale", "2", "extra"}, "extra"},
        {{"--scale", "5\n6"}, "5 6"},
    };
    for (const auto& row : table) {
        const CommandLine c = read(row.arguments);
        const std::string what = bracketed(row.arguments);
        EXPECT_EQ(c.exitStatus, kExitUsage) << what;
        EXPECT_EQ(c.output, "") << what;
        ASSERT_FALSE(c.error.empty()) << what;
        EXPECT_EQ(c.error.find('\n'), c.error.size() - 1) << what << ": " << c.error;
        EXPECT_TRUE(c.error.starts_with("solvara: ")) << what << ": " << c.error;
        EXPECT_NE(c.error.find(row.named), std::string::npos) << what << ": " << c.error;
    }
}

TEST(CommandLine, VersionAndHelpEndAtOnceWithStatusZero) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--version"}, {"--scale", "9", "--version"}}) {
        const CommandLine c = read(arguments);
        EXPECT_EQ(c.exitStatus, 0) << bracketed(arguments);
        EXPECT_EQ(c.output, "solvara 4.1\n") << bracketed(arguments);
        EXPECT_EQ(c.error, "") << bracketed(arguments);
    }
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"--bogus", "--help"}}) {
        const CommandLine c = read(arguments);
        EXPECT_EQ(c.exitStatus, 0) << bracketed(arguments);
        EXPECT_EQ(c.error, "") << bracketed(arguments);
        EXPECT_NE(c.output.find("Usage: solvara [OPTIONS]"), std::string::npos) << c.output;
    }
}

// The help is the short manual: the options, the keys, the environment and the exit statuses.
TEST(CommandLine, HelpNamesTheOptionsKeysEnvironmentAndExitStatuses) {
    const std::string help = read({"--help"}).output;
    for (const char* wanted : {"--help", "--version", "--scale N", "Keys", "Escape",
                               "Environment:", "SOLVARA_SCALE", "GDK_SCALE", "PRINTER", "LPDEST",
                               "CUPS_SERVER", "PAPERSIZE", "Files:", "Exit status:", "  2    "})
        EXPECT_NE(help.find(wanted), std::string::npos) << wanted << " in\n" << help;
    for (const std::string& text : {help, read({"solve", "--help"}).output}) {
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            EXPECT_LE(line.size(), 100u) << line;
    }
}

}  // namespace
}  // namespace solvara
