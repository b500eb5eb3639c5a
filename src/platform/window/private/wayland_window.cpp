// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/private/wayland_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <dlfcn.h>

#include <cstdlib>
#include <cstring>

namespace solvara::wayland {

namespace {

using GetError = int (*)(wl_display*);

// libwayland-client's wl_display_get_error, from the copy SDL loaded for its Wayland driver: the
// program does not link the library, which an X desktop does not need.
GetError displayGetError() {
    static const GetError found = [] {
        void* library = dlopen("libwayland-client.so.0", RTLD_LAZY | RTLD_NOLOAD);
        return library != nullptr
                   ? reinterpret_cast<GetError>(dlsym(library, "wl_display_get_error"))
                   : nullptr;
    }();
    return found;
}

}  // namespace

std::optional<std::string> connectionFailure(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) ||
        info.subsystem != SDL_SYSWM_WAYLAND)
        return std::nullopt;
    const GetError getError = displayGetError();
    const int error = getError != nullptr ? getError(info.info.wl.display) : 0;
    if (error == 0) return std::nullopt;
    const char* name = std::getenv("WAYLAND_DISPLAY");
    return std::string("the connection to the Wayland display \"") +
           (name != nullptr ? name : "wayland-0") + "\" failed (" + std::strerror(error) + ")";
}

}  // namespace solvara::wayland
