// SPDX-License-Identifier: GPL-2.0-or-later
#include <cstdio>

#include "app/options.h"
#include "app/program.h"
#include "app/solve_command.h"
#include "platform/window/display_scale.h"
#include "platform/window/sdl_backend.h"

int main(int argc, char** argv) {
    const solvara::CommandLine commandLine = solvara::readCommandLine(argc, argv);
    std::fputs(commandLine.output.c_str(), stdout);
    std::fputs(commandLine.error.c_str(), stderr);
    if (commandLine.exitStatus) return *commandLine.exitStatus;
    // Solving from the command line needs no window: the backend is never made.
    if (commandLine.solve)
        return solvara::runSolveCommand(*commandLine.solve, solvara::standardStreams());

    solvara::SdlBackend backend(solvara::requestDisplayScale(commandLine.options.scale));
    const solvara::Environment environment = solvara::Environment::system();
    solvara::Program program(backend, environment);
    const int status = program.run();
    if (!program.openError().empty())
        std::fprintf(stderr, "solvara: cannot open a window: %s\n", program.openError().c_str());
    if (!program.input().lostDisplay().empty())
        std::fprintf(stderr, "solvara: the display went away: %s\n",
                     program.input().lostDisplay().c_str());
    return status;
}
