// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace solvara {

// What the command line asks of the window program.
struct Options {
    // --scale N: each page pixel shown as an N x N block, 1 to 4; unset when not given.
    std::optional<int> scale;
};

// `solvara solve ...`: triangles solved without a window.
struct SolveRequest {
    // "right", "x=3", "y=4"; or "-" alone for one problem a line on standard input.
    std::vector<std::string> words;
    // Answers as JSON objects rather than the printed page.
    bool json = false;
    // The printed page followed by the figures of the triangle (JSON always carries them).
    bool more = false;
    // After the printed page, how the answer was found.
    bool explain = false;
    // The drawing of the answer written to these files too (a second answer's beside it, with
    // "-2" before the extension); one problem only, not "-".
    std::optional<std::string> svgFile;
    std::optional<std::string> pngFile;
};

// The command line read: either the window program runs with `options`, or the solve command
// runs, or the process ends at once with `exitStatus` after `output` went to standard output and
// `error` to standard error (--help and --version with status 0, a usage error with status 2 and
// one line of error).
struct CommandLine {
    Options options;
    std::optional<SolveRequest> solve;
    std::optional<int> exitStatus;
    std::string output;
    std::string error;
};

// Reads argv (argv[0] is the program's name and is not looked at). Opens no window and prints
// nothing itself, so the whole table of command lines can be tried in a test.
CommandLine readCommandLine(int argc, const char* const* argv);

// The exit status of a usage error.
inline constexpr int kExitUsage = 2;

}  // namespace solvara
