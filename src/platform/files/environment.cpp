// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/environment.h"

#include <fcntl.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <system_error>
#include <vector>

extern char** environ;

#ifndef SOLVARA_INSTALL_BINDIR
#error "the build defines SOLVARA_INSTALL_BINDIR (CMakeLists.txt)"
#endif

namespace solvara {

namespace fs = std::filesystem;

namespace {

// A directory the program may create files in (root included: a read-only mount or an
// immutable directory says no to it as well).
bool writableDirectory(const fs::path& dir) {
    std::error_code ec;
    return !dir.empty() && fs::is_directory(dir, ec) && access(dir.c_str(), W_OK | X_OK) == 0;
}

fs::path userHomeDirectory() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return found->pw_dir;
    return {};
}

// user-dirs.dirs is a few hundred bytes; whatever sits there under that name is read no further
// than this.
constexpr std::streamsize kUserDirsLimit = 64 * 1024;

std::string readUserDirs(const fs::path& configDirectory) {
    std::ifstream in(configDirectory / "user-dirs.dirs", std::ios::binary);
    std::string text(kUserDirsLimit, '\0');
    in.read(text.data(), kUserDirsLimit);
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

}  // namespace

std::optional<fs::path> userDirectory(std::string_view text, std::string_view name,
                                      const fs::path& home) {
    std::optional<fs::path> found;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));

        // XDG_<name>_DIR = "value", blanks allowed around the '='.
        auto skipBlanks = [&line] {
            while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
                line.remove_prefix(1);
        };
        auto take = [&line](std::string_view word) {
            if (!line.starts_with(word)) return false;
            line.remove_prefix(word.size());
            return true;
        };
        skipBlanks();
        if (!take("XDG_") || !take(name) || !take("_DIR")) continue;
        skipBlanks();
        if (!take("=")) continue;
        skipBlanks();
        if (!take("\"")) continue;

        // The value is "$HOME/path" or "/path"; a backslash keeps the character after it.
        const bool inHome = line.starts_with("$HOME") &&
                            (line.substr(5).starts_with('/') || line.substr(5).starts_with('"'));
        if (inHome)
            line.remove_prefix(5);
        else if (!line.starts_with('/'))
            continue;
        std::string value;
        bool closed = false;
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"') {
                closed = true;
                break;
            }
            if (line[i] == '\\' && i + 1 < line.size()) ++i;
            value += line[i];
        }
        if (!closed || (inHome && home.empty())) continue;
        // $HOME stands for the home directory's text, as the shell would put it in.
        found = inHome ? fs::path(home.string() + value) : fs::path(value);
    }
    return found;
}

std::optional<fs::path> Environment::pictureDirectory() const {
    // The install directory by any path to it: /bin for /usr/bin on a merged /usr, a symbolic
    // link, a bind mount.
    std::error_code ec;
    const bool portable = programDirectory.empty() || installDirectory.empty() ||
                          !fs::equivalent(programDirectory, installDirectory, ec);
    if (portable && writableDirectory(programDirectory)) return programDirectory;
    if (!configDirectory.empty()) {
        const auto pictures =
            userDirectory(readUserDirs(configDirectory), "PICTURES", homeDirectory);
        if (pictures && writableDirectory(*pictures)) return *pictures;
    }
    if (writableDirectory(homeDirectory)) return homeDirectory;
    // Nowhere to write: a portable copy's save fails beside the program and says so.
    if (portable) return programDirectory;
    return std::nullopt;
}

Environment Environment::system() {
    Environment env;
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    env.programDirectory = ec ? fs::current_path(ec) : exe.parent_path();
    env.installDirectory = SOLVARA_INSTALL_BINDIR;
    env.homeDirectory = userHomeDirectory();
    // A relative XDG_CONFIG_HOME is not to be used; the default is ~/.config.
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        env.configDirectory = config;
    else if (!env.homeDirectory.empty())
        env.configDirectory = env.homeDirectory / ".config";
    env.runCommand = [](const std::string& command) { return runThroughShell(command); };
    return env;
}

int Environment::runThroughShell(const std::string& command, const char* shell) {
    // The picture command's output would land on the terminal the program was started from.
    posix_spawn_file_actions_t actions;
    if (posix_spawn_file_actions_init(&actions) != 0) return -1;
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    std::string name = "sh";
    std::string dashC = "-c";
    std::string line = command;
    char* argv[] = {name.data(), dashC.data(), line.data(), nullptr};
    pid_t pid = -1;
    // posix_spawn reports a shell that cannot be executed as an error, before any command runs.
    const int spawned = posix_spawn(&pid, shell, &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return -1;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0)
        if (errno != EINTR) return 0;  // the shell ran, but its status was not kept
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace solvara
