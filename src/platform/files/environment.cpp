// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/environment.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

extern char** environ;

namespace solvara {

Environment Environment::system() {
    Environment env;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    env.programDirectory = ec ? std::filesystem::current_path(ec) : exe.parent_path();
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
