// SPDX-License-Identifier: GPL-2.0-or-later
#include <cstdio>

#include "app/program.h"
#include "platform/window/display_scale.h"
#include "platform/window/sdl_backend.h"

int main() {
    solvara::SdlBackend backend(solvara::chooseDisplayScale(std::nullopt));
    solvara::Program program(backend, solvara::Environment::system());
    const int status = program.run();
    if (!program.openError().empty())
        std::fprintf(stderr, "solvara: cannot open a window: %s\n", program.openError().c_str());
    return status;
}
