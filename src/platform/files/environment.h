// SPDX-License-Identifier: GPL-2.0-or-later
// The files room: where the program lives, how it runs a command, the BMP picture writer.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace solvara {

// What the program reaches outside its window: where it lives, where the user keeps pictures and
// how it runs a command. Tests point these at temporary places.
struct Environment {
    // The directory that holds the program file.
    std::filesystem::path programDirectory;
    // The directory the build installs the program to (the install prefix's bin directory);
    // empty when there is none.
    std::filesystem::path installDirectory;
    // The user's home ($HOME, else the password database's) and the directory that holds
    // user-dirs.dirs ($XDG_CONFIG_HOME, else ~/.config); empty when unknown.
    std::filesystem::path homeDirectory;
    std::filesystem::path configDirectory;
    // Runs a command line through the system shell and returns its exit status, or -1 when the
    // shell cannot be started.
    std::function<int(const std::string&)> runCommand;

    // Where the picture goes: beside the program when that directory is writable and is not
    // the install directory (a copy run from a folder of its own), else the user's pictures
    // directory, else the home directory. An installed copy never saves beside itself, not even
    // for root, for whom /usr/bin is writable: the package manager would leave the picture
    // behind. Nullopt when an installed copy finds nowhere to write. Asked at every save, so a
    // directory made writable or a pictures directory created meanwhile counts.
    std::optional<std::filesystem::path> pictureDirectory() const;

    // The defaults for the real program: /proc/self/exe's directory, the install directory the
    // build was configured with, the user's directories from the process environment and
    // /bin/sh.
    static Environment system();
    // Runs `command` with `shell -c`, its standard output and error sent to /dev/null, and waits
    // for it: the exit status, 128 + the signal that ended it, or -1 when the shell cannot be
    // started.
    static int runThroughShell(const std::string& command, const char* shell = "/bin/sh");
};

// The directory user-dirs.dirs text sets for `name` (PICTURES, DESKTOP, ...): the last line
// XDG_<name>_DIR="..." whose value is "$HOME/..." (made absolute with `home`) or "/...", with
// backslash escapes undone; nullopt when no line sets it.
std::optional<std::filesystem::path> userDirectory(std::string_view userDirsText,
                                                   std::string_view name,
                                                   const std::filesystem::path& home);

}  // namespace solvara
