// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/program.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

extern char** environ;

namespace solvara {

const char* stepName(Step step) {
    switch (step) {
        case Step::Restart:
            return "Restart";
        case Step::MainScreen:
            return "MainScreen";
        case Step::RefreshValues:
            return "RefreshValues";
        case Step::MarkerStep:
            return "MarkerStep";
        case Step::MainLoop:
            return "MainLoop";
        case Step::EditDecimal:
            return "EditDecimal";
        case Step::EditDecimalKeys:
            return "EditDecimalKeys";
        case Step::EditDms:
            return "EditDms";
        case Step::EditDmsKeys:
            return "EditDmsKeys";
        case Step::InputCount:
            return "InputCount";
        case Step::ResultsLoop:
            return "ResultsLoop";
        case Step::ResultsLoopCycle:
            return "ResultsLoopCycle";
        case Step::Exit:
            return "Exit";
    }
    return "?";
}

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

Program::Program(WindowBackend& backend, Environment environment)
    : backend_(backend),
      environment_(std::move(environment)),
      display_(backend),
      input_(backend, display_) {}

int Program::run() {
    Step step = startProgram();
    while (step != Step::Exit)
        step = runStep(step);
    return exitStatus_;
}

Step Program::startProgram() {
    values_.solveMode = SolveMode::Right;
    return restartProgram();
}

Step Program::runStep(Step step) {
    // The desktop's close request ends the program wherever it is, as EXIT does.
    if (input_.closeRequested() && step != Step::Exit) return exitProgram(false);
    switch (step) {
        case Step::Restart:
            return restartProgram();
        case Step::MainScreen:
            return showMainScreen();
        case Step::RefreshValues:
            return refreshValues();
        case Step::MarkerStep:
            return markerStep();
        case Step::MainLoop:
            return mainLoopCycle();
        case Step::EditDecimal:
            return editDecimalEntry();
        case Step::EditDecimalKeys:
            return editDecimalKey();
        case Step::EditDms:
            return editDmsEntry();
        case Step::EditDmsKeys:
            return editDmsKey();
        case Step::InputCount:
            return inputCount();
        case Step::ResultsLoop:
            return runResultsLoop();
        case Step::ResultsLoopCycle:
            return resultsLoopCycle();
        case Step::Exit:
            return Step::Exit;
    }
    return Step::Exit;
}

Step Program::exitProgram(bool clearFirst) {
    if (clearFirst) display_.clear();
    display_.presentIfChanged();
    exitStatus_ = 0;
    return Step::Exit;
}

}  // namespace solvara
