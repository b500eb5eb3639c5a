// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
#include <string>

struct SDL_Window;

namespace solvara::wayland {

// What SDL does not tell of the program's window on a Wayland desktop: why its connection to the
// compositor failed (the compositor went away, or closed it), nothing while it holds or when the
// window is not a Wayland window. SDL reports such a failure only as a quit event, which a
// signal or a close request sends too.
std::optional<std::string> connectionFailure(SDL_Window* window);

}  // namespace solvara::wayland
