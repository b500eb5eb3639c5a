// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/private/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace solvara::x11 {

namespace {

struct XWindow {
    ::Display* display = nullptr;
    ::Window window = 0;
};

std::optional<XWindow> xWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    return XWindow{info.info.x11.display, info.info.x11.window};
}

}  // namespace

void keepUndecorated(SDL_Window* window) {
    const auto x = xWindowOf(window);
    if (!x) return;
    // SDL sets the Motif hints only when the server already knows their atom, which it does only
    // once some window manager has asked for it; on a desktop whose window manager starts after
    // the program, the window would be framed. Creating the atom here makes the hints stay on
    // the window for whichever manager comes: flags = decorations, decorations = none.
    const Atom motifHints = XInternAtom(x->display, "_MOTIF_WM_HINTS", False);
    long hints[5] = {2, 0, 0, 0, 0};
    XChangeProperty(x->display, x->window, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(hints), 5);
    // Without the atom SDL marks the window transient for the root window instead, which would
    // only make a window manager take it for a dialog.
    XDeleteProperty(x->display, x->window, XA_WM_TRANSIENT_FOR);
    XFlush(x->display);
}

std::optional<DesktopPointer> pointerOnDesktop(SDL_Window* window) {
    const auto x = xWindowOf(window);
    if (!x) return std::nullopt;
    ::Window root = 0;
    ::Window child = 0;
    Point desktop;
    Point inWindow;
    unsigned int buttons = 0;
    if (!XQueryPointer(x->display, x->window, &root, &child, &desktop.x, &desktop.y, &inWindow.x,
                       &inWindow.y, &buttons))
        return std::nullopt;
    return DesktopPointer{desktop, (buttons & Button1Mask) != 0};
}

LeftButton::LeftButton() {
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_AddEventWatch(&LeftButton::watch, this);
}

LeftButton::~LeftButton() {
    SDL_DelEventWatch(&LeftButton::watch, this);
    SDL_EventState(SDL_SYSWMEVENT, SDL_DISABLE);
}

int LeftButton::watch(void* self, SDL_Event* event) {
    if (event->type != SDL_SYSWMEVENT || event->syswm.msg->subsystem != SDL_SYSWM_X11) return 0;
    const XEvent& x = event->syswm.msg->msg.x11.event;
    if ((x.type != ButtonPress && x.type != ButtonRelease) || x.xbutton.button != Button1) return 0;
    auto& left = *static_cast<LeftButton*>(self);
    if (x.type == ButtonPress) {
        left.pressedInWindow_ = Point{x.xbutton.x, x.xbutton.y};
        left.releasedOnDesktop_.reset();
    } else {
        left.releasedOnDesktop_ = Point{x.xbutton.x_root, x.xbutton.y_root};
    }
    return 0;
}

}  // namespace solvara::x11
