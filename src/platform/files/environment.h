// SPDX-License-Identifier: GPL-2.0-or-later
// The files room: where the program lives, how it runs a command, the BMP picture writer.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace solvara {

// What the program reaches outside its window: where it lives and how it runs a command. Tests
// point these at temporary places.
struct Environment {
    // The directory that holds the program file; the picture is saved there.
    std::filesystem::path programDirectory;
    // Runs a command line through the system shell and returns its exit status, or -1 when the
    // shell cannot be started.
    std::function<int(const std::string&)> runCommand;

    // The defaults for the real program: /proc/self/exe's directory and /bin/sh.
    static Environment system();
    // Runs `command` with `shell -c`, its standard output and error sent to /dev/null, and waits
    // for it: the exit status, 128 + the signal that ended it, or -1 when the shell cannot be
    // started.
    static int runThroughShell(const std::string& command, const char* shell = "/bin/sh");
};

}  // namespace solvara
