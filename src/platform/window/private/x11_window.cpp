// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/private/x11_window.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

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

// A property of 32-bit cardinals on the root window, empty when it is not there. Atoms the server
// does not know yet are not created: no window manager has set the property then.
std::vector<long> rootCardinals(::Display* display, const char* name) {
    std::vector<long> values;
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None) return values;
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, DefaultRootWindow(display), atom, 0, 1024, False, XA_CARDINAL,
                           &type, &format, &count, &after, &data) == Success &&
        data != nullptr) {
        // Xlib hands 32-bit items over as longs.
        if (format == 32)
            values.assign(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
        XFree(data);
    }
    return values;
}

// The window manager's work area of the current desktop: the desktop less its panels and docks.
std::optional<Area> workArea(::Display* display) {
    const std::vector<long> areas = rootCardinals(display, "_NET_WORKAREA");
    const std::vector<long> current = rootCardinals(display, "_NET_CURRENT_DESKTOP");
    if (areas.size() < 4) return std::nullopt;
    std::size_t desktop = current.empty() ? 0 : static_cast<std::size_t>(current[0]);
    if (desktop >= areas.size() / 4) desktop = 0;
    const long* a = &areas[4 * desktop];
    return Area{Point{static_cast<int>(a[0]), static_cast<int>(a[1])},
                Size{static_cast<int>(a[2]), static_cast<int>(a[3])}};
}

}  // namespace

std::vector<Monitor> monitors(SDL_Window* window) {
    std::vector<Monitor> found;
    const auto x = xWindowOf(window);
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    if (!x || !XRRQueryExtension(x->display, &eventBase, &errorBase) ||
        !XRRQueryVersion(x->display, &major, &minor) || major < 1 || (major == 1 && minor < 5))
        return found;
    int count = 0;
    XRRMonitorInfo* listed =
        XRRGetMonitors(x->display, DefaultRootWindow(x->display), True, &count);
    if (listed == nullptr) return found;
    const std::optional<Area> work = workArea(x->display);
    for (int i = 0; i < count; ++i) {
        const Area bounds{Point{listed[i].x, listed[i].y}, Size{listed[i].width, listed[i].height}};
        // A work area that misses the monitor altogether says nothing about it.
        Area usable = work ? bounds.intersectedWith(*work) : bounds;
        if (usable.empty()) usable = bounds;
        found.push_back(Monitor{bounds, usable, listed[i].primary != 0});
    }
    XRRFreeMonitors(listed);
    return found;
}

std::string resources(SDL_Window* window) {
    const auto x = xWindowOf(window);
    if (!x) return {};
    const char* text = XResourceManagerString(x->display);
    return text != nullptr ? std::string(text) : std::string();
}

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
