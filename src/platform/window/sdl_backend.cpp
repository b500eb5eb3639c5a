// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/sdl_backend.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/window/display_scale.h"
#include "platform/window/input_devices.h"
#include "platform/window/private/page_enlarger.h"
#include "platform/window/private/wayland_window.h"
#include "platform/window/private/x11_window.h"

namespace solvara {

namespace {

bool envSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Whether libwayland can look for the socket WAYLAND_DISPLAY names: a name that is not a path
// lies in XDG_RUNTIME_DIR, and without that directory libwayland complains on standard error
// before it gives up.
bool waylandNamed() {
    const char* name = std::getenv("WAYLAND_DISPLAY");
    if (name == nullptr || *name == '\0') return false;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return *name == '/' || (runtime != nullptr && *runtime == '/');
}

// The displays named in the environment that SDL could not reach, for the one line of error.
std::string unreachableDisplays() {
    std::string names;
    if (envSet("DISPLAY")) names = std::string("the X display \"") + std::getenv("DISPLAY") + "\"";
    if (envSet("WAYLAND_DISPLAY"))
        names += (names.empty() ? "" : " nor ") + std::string("the Wayland display \"") +
                 std::getenv("WAYLAND_DISPLAY") + "\"";
    return "cannot connect to " + names;
}

// A driver that shows nothing. SDL 2.26 falls back to its offscreen driver when no display can
// be reached, which would leave the program running invisibly; it is accepted only when the
// user chose it by name.
bool isHeadlessDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool isWaylandDriver(const char* driver) {
    return driver != nullptr && std::strcmp(driver, "wayland") == 0;
}

// The extended key of a key the program knows as one (arrows, function keys, ...), no key for any
// other.
Key extendedKey(SDL_Scancode scan, bool numLock) {
    switch (scan) {
        case SDL_SCANCODE_UP:
            return keys::kUp;
        case SDL_SCANCODE_LEFT:
            return keys::kLeft;
        case SDL_SCANCODE_RIGHT:
            return keys::kRight;
        case SDL_SCANCODE_DOWN:
            return keys::kDown;
        case SDL_SCANCODE_HOME:
            return keys::kHome;
        case SDL_SCANCODE_END:
            return keys::kEnd;
        case SDL_SCANCODE_PAGEUP:
            return keys::kPageUp;
        case SDL_SCANCODE_PAGEDOWN:
            return keys::kPageDown;
        case SDL_SCANCODE_INSERT:
            return keys::kInsert;
        case SDL_SCANCODE_DELETE:
            return keys::kDelete;
        case SDL_SCANCODE_F11:
            return keys::kF11;
        case SDL_SCANCODE_F12:
            return keys::kF12;
        default:
            break;
    }
    if (scan >= SDL_SCANCODE_F1 && scan <= SDL_SCANCODE_F10)
        return keys::function(scan - SDL_SCANCODE_F1 + 1);
    // Without Num Lock the keypad is a second set of cursor keys; with it, its digits arrive as
    // text.
    if (!numLock) {
        switch (scan) {
            case SDL_SCANCODE_KP_8:
                return keys::kUp;
            case SDL_SCANCODE_KP_4:
                return keys::kLeft;
            case SDL_SCANCODE_KP_6:
                return keys::kRight;
            case SDL_SCANCODE_KP_2:
                return keys::kDown;
            case SDL_SCANCODE_KP_7:
                return keys::kHome;
            case SDL_SCANCODE_KP_1:
                return keys::kEnd;
            case SDL_SCANCODE_KP_9:
                return keys::kPageUp;
            case SDL_SCANCODE_KP_3:
                return keys::kPageDown;
            case SDL_SCANCODE_KP_0:
                return keys::kInsert;
            case SDL_SCANCODE_KP_PERIOD:
                return keys::kDelete;
            default:
                break;
        }
    }
    return Key();
}

// The keypad's decimal key with Num Lock on. Layouts give it ".", "," or a character of their own
// (U+066B, a thin space) as text, or none; whatever it gives, the key types the point.
bool isKeypadPoint(const SDL_Keysym& key) {
    return key.scancode == SDL_SCANCODE_KP_PERIOD && (key.mod & KMOD_NUM) != 0;
}

// The key of a key press that does not come as text, no key for keys the program never sees.
// Printable characters come through text input instead, so that the keyboard layout and Shift
// decide the character; the keypad's decimal key is the one printable key taken from the press.
Key keyOf(const SDL_Keysym& key) {
    if (isKeypadPoint(key)) return Key::character('.');
    const bool ctrl = (key.mod & KMOD_CTRL) != 0;
    const bool alt = (key.mod & KMOD_ALT) != 0;
    switch (key.sym) {
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return keys::kEnter;
        case SDLK_BACKSPACE:
            return keys::kBackspace;
        case SDLK_ESCAPE:
            return keys::kEscape;
        case SDLK_TAB:
            return keys::kTab;
        default:
            break;
    }
    // Ctrl+C reaches the program as the control character it stands for.
    if (ctrl && !alt && key.sym == SDLK_c) return keys::kCtrlC;
    return extendedKey(key.scancode, (key.mod & KMOD_NUM) != 0);
}

int buttonBit(Uint8 button) {
    if (button == SDL_BUTTON_LEFT) return 1;
    if (button == SDL_BUTTON_RIGHT) return 2;
    return 0;
}

// Whether libdbus would find a session bus without starting one: an address in the environment,
// or the per-user bus socket of a systemd session.
bool sessionBusAround() {
    if (envSet("DBUS_SESSION_BUS_ADDRESS")) return true;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime == nullptr || *runtime == '\0') return false;
    struct stat bus {};
    return stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode);
}

// How the window's pixels reach the screen, decided once SDL has chosen its driver. On X11 the
// window surface is plain memory, which is all a palettized page needs; an accelerated
// framebuffer would load a GL stack for nothing. Wayland has no such surface: SDL backs it with a
// GL texture, and forbidden to, it hands out no surface at all (with an empty error) and the
// window never shows.
void chooseWindowSurface(bool onWayland) {
    if (!onWayland) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

// SDL connects to the session bus as it starts. With no bus around, libdbus would start one
// (dbus-launch --autolaunch and a dbus-daemon) that outlives the program; the program needs
// nothing from the bus, so for SDL's start it is given an address that connects nowhere, and the
// environment is put back afterwards for the commands the program runs.
class NoBusStarted {
  public:
    NoBusStarted() : replaced_(!sessionBusAround()) {
        if (replaced_) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
    }
    ~NoBusStarted() {
        if (replaced_) unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
    NoBusStarted(const NoBusStarted&) = delete;
    NoBusStarted& operator=(const NoBusStarted&) = delete;

  private:
    bool replaced_;
};

Area areaOf(const SDL_Rect& r) {
    return Area{Point{r.x, r.y}, Size{r.w, r.h}};
}

// The monitors of the window's desktop: RandR's on X, which knows them better, else SDL's
// displays, of which the first is the primary one.
std::vector<Monitor> monitorsOf(SDL_Window* window) {
    std::vector<Monitor> found = x11::monitors(window);
    if (!found.empty()) return found;
    const int count = SDL_GetNumVideoDisplays();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(i, &bounds) != 0) continue;
        SDL_Rect usable{};
        if (SDL_GetDisplayUsableBounds(i, &usable) != 0) usable = bounds;
        found.push_back(Monitor{areaOf(bounds), areaOf(usable), i == 0});
    }
    return found;
}

}  // namespace

struct SdlBackend::State {
    explicit State(ScaleRequest asked)
        : request(asked), scale(std::clamp(asked.scale.value_or(1), 1, kLargestDisplayScale)) {}

    const ScaleRequest request;
    // The scale asked for until the window opens, then the one it opened with.
    int scale;
    bool videoUp = false;
    SDL_Window* window = nullptr;
    // On Wayland the desktop places the window and drags it by this area, in page pixels.
    bool onWayland = false;
    Rect dragArea{};
    Size pageSize{};
    // The last page shown and its palette, kept so that an expose can be answered without the
    // program's help and so that a page drawn over with the same pixels is not sent again.
    std::vector<std::uint8_t> shown;
    std::array<Rgb, 256> palette{};
    bool paletteSet = false;
    // The palette as pixel values of the window surface, made for `madeFor`.
    std::array<std::uint32_t, 256> colours{};
    SDL_Surface* madeFor = nullptr;
    int buttons = 0;
    // The last pointer event's position, in window pixels.
    Point pointer{};
    std::optional<x11::LeftButton> leftButton;
    // The keypad's decimal key was pressed and typed the point: the text its layout gives it
    // comes next and is not typed again. Any other press ends the wait, for a layout that gives
    // the key no text.
    bool keypadTextDue = false;

    Size windowSize() const { return Size{pageSize.width * scale, pageSize.height * scale}; }

    // Shows page rows [top, bottom) of `shown`, enlarged, in the window.
    void showRows(int top, int bottom) {
        if (window == nullptr || shown.empty() || top >= bottom) return;
        SDL_Surface* target = SDL_GetWindowSurface(window);
        if (target == nullptr || target->w < windowSize().width || target->h < windowSize().height)
            return;
        if (target != madeFor) {
            // A new window surface holds nothing yet: all of it is drawn.
            for (int i = 0; i < 256; ++i)
                colours[i] = SDL_MapRGB(target->format, palette[i].r, palette[i].g, palette[i].b);
            madeFor = target;
            top = 0;
            bottom = pageSize.height;
        }
        if (SDL_MUSTLOCK(target)) SDL_LockSurface(target);
        enlargeRows(shown.data(), pageSize.width, top, bottom, colours, scale, target);
        if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
        const SDL_Rect rows{0, top * scale, windowSize().width, (bottom - top) * scale};
        SDL_UpdateWindowSurfaceRects(window, &rows, 1);
    }

    void showAll() { showRows(0, pageSize.height); }

    // Settles the scale and the place of the window, which was made hidden at the scale asked
    // for: the scale (else the desktop's from its X resources) is lowered until the window fits
    // the part of the primary monitor free for windows, and the window goes to the middle of that
    // part. A scale the user gave on the command line is not lowered without a word.
    void fitToPrimaryMonitor() {
        const std::vector<Monitor> monitors = monitorsOf(window);
        const Monitor* primary = primaryMonitor(monitors);
        if (primary == nullptr) return;
        const int wanted =
            request.scale ? scale : scaleOfResources(x11::resources(window)).value_or(1);
        const Size room = primary->usable.size;
        const int fitting = largestScaleFitting(pageSize, room, wanted);
        if (fitting < wanted && request.fromCommandLine)
            std::fprintf(stderr,
                         "solvara: --scale %d does not fit the monitor (%dx%d against %dx%d free "
                         "for windows); using --scale %d\n",
                         wanted, pageSize.width * wanted, pageSize.height * wanted, room.width,
                         room.height, fitting);
        if (fitting != scale) {
            scale = fitting;
            SDL_SetWindowSize(window, windowSize().width, windowSize().height);
        }
        const Point at = centredIn(primary->usable, windowSize());
        SDL_SetWindowPosition(window, at.x, at.y);
    }
};

SdlBackend::SdlBackend(ScaleRequest scale) : state_(std::make_unique<State>(scale)) {}

SdlBackend::~SdlBackend() {
    if (state_->window != nullptr) SDL_DestroyWindow(state_->window);
    state_->leftButton.reset();
    if (state_->videoUp) SDL_Quit();
}

bool SdlBackend::openWindow(Size size, std::string& error) {
    State& s = *state_;
    if (s.window != nullptr) return true;

    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const bool driverChosen = asked != nullptr && *asked != '\0';
    if (!driverChosen && !envSet("DISPLAY") && !waylandNamed()) {
        error = envSet("WAYLAND_DISPLAY")
                    ? "no display (DISPLAY is not set, and WAYLAND_DISPLAY names a socket in "
                      "XDG_RUNTIME_DIR, which is not set)"
                    : "no display (DISPLAY is not set)";
        return false;
    }
    // The click that brings the window to the front also acts, as in other programs.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // A calculator left open must not keep the screen from blanking.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // On Wayland libdecor would only draw a frame that a borderless window hides again; without
    // it no cairo, pango or font cache is loaded for nothing.
    SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
    // With only an X display named (or a Wayland socket that cannot be looked for), ask for X
    // alone: the other drivers SDL would try next print their own complaints and end in the
    // offscreen fallback anyway.
    const bool xOnly = !driverChosen && !waylandNamed();
    if (xOnly) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (!s.videoUp) {
        const NoBusStarted noBus;
        if (SDL_Init(SDL_INIT_VIDEO) != 0) {
            error = xOnly ? std::string("cannot connect to the X display \"") +
                                std::getenv("DISPLAY") + "\""
                          : std::string(SDL_GetError());
            return false;
        }
        s.videoUp = true;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (isHeadlessDriver(driver) && !driverChosen) {
        error = unreachableDisplays();
        SDL_Quit();
        s.videoUp = false;
        return false;
    }
    s.onWayland = isWaylandDriver(driver);
    chooseWindowSurface(s.onWayland);

    s.pageSize = size;
    const Size window = s.windowSize();
    // Centred on the first display, halves rounded down.
    SDL_Rect bounds{0, 0, window.width, window.height};
    SDL_GetDisplayBounds(0, &bounds);
    const int x = bounds.x + (bounds.w - window.width) / 2;
    const int y = bounds.y + (bounds.h - window.height) / 2;
    // Hidden until it is marked frameless, so that a window manager sees it so from the start.
    s.window = SDL_CreateWindow("", x, y, window.width, window.height,
                                SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (s.window == nullptr) {
        error = SDL_GetError();
        return false;
    }
    s.fitToPrimaryMonitor();
    x11::keepUndecorated(s.window);
    s.leftButton.emplace();
    SDL_ShowWindow(s.window);
    s.shown.assign(static_cast<std::size_t>(size.width) * size.height, 0);
    SDL_StartTextInput();
    return true;
}

void SdlBackend::setTitle(std::string_view title) {
    if (state_->window == nullptr) return;
    SDL_SetWindowTitle(state_->window, std::string(title).c_str());
}

std::vector<Monitor> SdlBackend::monitors() {
    if (!state_->videoUp) return {};
    return monitorsOf(state_->window);
}

Size SdlBackend::windowSize() {
    return state_->windowSize();
}

Point SdlBackend::windowPosition() {
    Point p{};
    if (state_->window != nullptr) SDL_GetWindowPosition(state_->window, &p.x, &p.y);
    return p;
}

void SdlBackend::moveWindow(Point topLeft) {
    if (state_->window != nullptr) SDL_SetWindowPosition(state_->window, topLeft.x, topLeft.y);
}

bool SdlBackend::canPlaceWindow() {
    return !state_->onWayland;
}

void SdlBackend::setDragArea(Rect area) {
    State& s = *state_;
    if (s.window == nullptr) return;
    s.dragArea = area;
    // SDL asks this at every press of a button and starts the desktop's move for a draggable
    // point (on Wayland the move of the toplevel, on X11 the window manager's).
    const auto hitTest = [](SDL_Window*, const SDL_Point* at, void* data) {
        const State& state = *static_cast<const State*>(data);
        const Point onPage{at->x / state.scale, at->y / state.scale};
        return state.dragArea.containsInside(onPage) ? SDL_HITTEST_DRAGGABLE : SDL_HITTEST_NORMAL;
    };
    SDL_SetWindowHitTest(s.window, hitTest, &s);
}

void SdlBackend::present(const std::uint8_t* pixels, Size size,
                         const std::array<Rgb, 256>& palette) {
    State& s = *state_;
    if (s.window == nullptr || pixels == nullptr || size != s.pageSize) return;
    const bool newPalette = !s.paletteSet || palette != s.palette;
    if (newPalette) {
        s.palette = palette;
        s.paletteSet = true;
        s.madeFor = nullptr;  // the colours are made again, and every row drawn
    }
    // Only the band of rows that changed is drawn and sent; a page drawn over with the same
    // pixels is not sent at all.
    const auto rowBytes = static_cast<std::size_t>(size.width);
    int top = size.height;
    int bottom = 0;
    for (int y = 0; y < size.height; ++y) {
        std::uint8_t* shown = s.shown.data() + y * rowBytes;
        const std::uint8_t* row = pixels + y * rowBytes;
        if (std::memcmp(shown, row, rowBytes) == 0) continue;
        std::memcpy(shown, row, rowBytes);
        top = std::min(top, y);
        bottom = y + 1;
    }
    if (newPalette)
        s.showAll();
    else
        s.showRows(top, bottom);
}

void SdlBackend::wait(int ms, InputDevices& input) {
    State& s = *state_;
    // Sleep through the whole wait and then take what arrived in one pump of the X connection:
    // the program looks at its input only between waits, and waiting on the event queue instead
    // would pump the connection several times per wait, which at a hundred waits a second makes
    // the idle program noticeably dearer than a bare SDL loop.
    if (ms > 0) SDL_Delay(static_cast<Uint32>(ms));
    if (!s.videoUp) return;
    SDL_PumpEvents();
    SDL_Event e;
    // Pointer positions reach the program in page pixels.
    const auto pointerAt = [&](int x, int y) {
        s.pointer = Point{x, y};
        input.pointerMoved(x / s.scale, y / s.scale);
    };
    // After a button goes down the rest of the queue waits for the next wait, so that the
    // program reads the pressed state at least once even when the release came in the same wait.
    bool holdQueue = false;
    while (!holdQueue && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        switch (e.type) {
            case SDL_QUIT:
                // SDL's Wayland driver says so too when the compositor went away.
                if (const auto failure = wayland::connectionFailure(s.window))
                    input.displayLost(*failure);
                else
                    input.requestClose();
                break;
            case SDL_WINDOWEVENT:
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        input.requestClose();
                        break;
                    case SDL_WINDOWEVENT_EXPOSED:
                        s.showAll();
                        break;
                    case SDL_WINDOWEVENT_LEAVE:
                        // SDL keeps the pointer in the window while a button is held, so a
                        // drag never reads as leaving.
                        input.pointerLeft();
                        break;
                    case SDL_WINDOWEVENT_ENTER: {
                        int x = 0;
                        int y = 0;
                        SDL_GetMouseState(&x, &y);
                        pointerAt(x, y);
                        break;
                    }
                    default:
                        break;
                }
                break;
            case SDL_TEXTINPUT:
                if (std::exchange(s.keypadTextDue, false)) break;
                // Printable ASCII only: the program's font and keys know nothing else.
                for (const char* c = e.text.text; *c != '\0'; ++c) {
                    const auto byte = static_cast<unsigned char>(*c);
                    if (byte >= 32 && byte < 127) input.pushKey(Key::character(byte));
                }
                break;
            case SDL_KEYDOWN:
                s.keypadTextDue = isKeypadPoint(e.key.keysym);
                input.pushKey(keyOf(e.key.keysym));
                break;
            case SDL_MOUSEMOTION:
                pointerAt(e.motion.x, e.motion.y);
                break;
            case SDL_MOUSEBUTTONDOWN:
                pointerAt(e.button.x, e.button.y);
                s.buttons |= buttonBit(e.button.button);
                input.pointerButtons(s.buttons);
                holdQueue = true;
                break;
            case SDL_MOUSEBUTTONUP:
                pointerAt(e.button.x, e.button.y);
                s.buttons &= ~buttonBit(e.button.button);
                input.pointerButtons(s.buttons);
                break;
            default:
                break;
        }
    }
}

void SdlBackend::warpPointer(Point position) {
    State& s = *state_;
    if (s.window == nullptr) return;
    // To the middle of the page pixel's block, which reads back as that page pixel.
    s.pointer = Point{position.x * s.scale + s.scale / 2, position.y * s.scale + s.scale / 2};
    SDL_WarpMouseInWindow(s.window, s.pointer.x, s.pointer.y);
}

Point SdlBackend::pointerOnDesktop() {
    State& s = *state_;
    if (const auto onX = x11::pointerOnDesktop(s.window)) {
        if (onX->leftHeld) return onX->at;
        // The button is up and the pointer may have moved on since. Its release reached this
        // connection before the answer did, so one pump hands it over with where it was made.
        SDL_PumpEvents();
        if (s.leftButton) return s.leftButton->releasedOnDesktop().value_or(onX->at);
        return onX->at;
    }
    Point p;
    if (s.videoUp) SDL_GetGlobalMouseState(&p.x, &p.y);
    return p;
}

Point SdlBackend::pointerInWindow() {
    const State& s = *state_;
    if (s.leftButton && s.leftButton->pressedInWindow()) return *s.leftButton->pressedInWindow();
    return s.pointer;
}

void SdlBackend::showPointer(bool visible) {
    if (state_->videoUp) SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

std::uint64_t SdlBackend::nowMs() {
    return SDL_GetTicks64();
}

void SdlBackend::setClipboardText(std::string_view text) {
    // SDL serves the clipboard from this process: it is there for pasting while the program
    // runs.
    if (state_->videoUp) SDL_SetClipboardText(std::string(text).c_str());
}

}  // namespace solvara
