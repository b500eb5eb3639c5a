// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/window/input_devices.h"

namespace solvara {

namespace {

bool envSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// A driver that shows nothing. SDL 2.26 falls back to its offscreen driver when no display can
// be reached, which would leave the program running invisibly; it is accepted only when the
// user chose it by name.
bool isHeadlessDriver(const char* driver) {
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

// The PC scan code of a key the program knows as an extended key, 0 for any other.
int extendedScanCode(SDL_Scancode scan, bool numLock) {
    switch (scan) {
        case SDL_SCANCODE_UP:
            return 72;
        case SDL_SCANCODE_LEFT:
            return 75;
        case SDL_SCANCODE_RIGHT:
            return 77;
        case SDL_SCANCODE_DOWN:
            return 80;
        case SDL_SCANCODE_HOME:
            return 71;
        case SDL_SCANCODE_END:
            return 79;
        case SDL_SCANCODE_PAGEUP:
            return 73;
        case SDL_SCANCODE_PAGEDOWN:
            return 81;
        case SDL_SCANCODE_INSERT:
            return 82;
        case SDL_SCANCODE_DELETE:
            return 83;
        case SDL_SCANCODE_F11:
            return 133;
        case SDL_SCANCODE_F12:
            return 134;
        default:
            break;
    }
    if (scan >= SDL_SCANCODE_F1 && scan <= SDL_SCANCODE_F10) return 59 + (scan - SDL_SCANCODE_F1);
    // Without Num Lock the keypad is a second set of cursor keys; with it, its digits arrive as
    // text.
    if (!numLock) {
        switch (scan) {
            case SDL_SCANCODE_KP_8:
                return 72;
            case SDL_SCANCODE_KP_4:
                return 75;
            case SDL_SCANCODE_KP_6:
                return 77;
            case SDL_SCANCODE_KP_2:
                return 80;
            case SDL_SCANCODE_KP_7:
                return 71;
            case SDL_SCANCODE_KP_1:
                return 79;
            case SDL_SCANCODE_KP_9:
                return 73;
            case SDL_SCANCODE_KP_3:
                return 81;
            case SDL_SCANCODE_KP_0:
                return 82;
            case SDL_SCANCODE_KP_PERIOD:
                return 83;
            default:
                break;
        }
    }
    return 0;
}

// The key of a key press that does not come as text, no key for keys the program never sees.
// Printable characters come through text input instead, so that the keyboard layout and Shift
// decide the character.
Key keyOf(const SDL_Keysym& key) {
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
    const int scan = extendedScanCode(key.scancode, (key.mod & KMOD_NUM) != 0);
    return scan != 0 ? Key::extended(scan) : Key();
}

int buttonBit(Uint8 button) {
    if (button == SDL_BUTTON_LEFT) return 1;
    if (button == SDL_BUTTON_RIGHT) return 2;
    return 0;
}

}  // namespace

struct SdlBackend::State {
    bool videoUp = false;
    SDL_Window* window = nullptr;
    // The last page shown, kept palettized so that an expose can be answered without the
    // program's help and so that SDL does the palette conversion on the blit.
    SDL_Surface* page = nullptr;
    std::array<Rgb, 256> palette{};
    bool paletteSet = false;
    int buttons = 0;

    void blitPage() {
        if (window == nullptr || page == nullptr) return;
        SDL_Surface* target = SDL_GetWindowSurface(window);
        if (target == nullptr) return;
        SDL_BlitSurface(page, nullptr, target, nullptr);
        SDL_UpdateWindowSurface(window);
    }
};

SdlBackend::SdlBackend() : state_(std::make_unique<State>()) {}

SdlBackend::~SdlBackend() {
    if (state_->page != nullptr) SDL_FreeSurface(state_->page);
    if (state_->window != nullptr) SDL_DestroyWindow(state_->window);
    if (state_->videoUp) SDL_Quit();
}

bool SdlBackend::openWindow(Size size, std::string& error) {
    State& s = *state_;
    if (s.window != nullptr) return true;

    const char* asked = std::getenv("SDL_VIDEODRIVER");
    const bool driverChosen = asked != nullptr && *asked != '\0';
    if (!driverChosen && !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY")) {
        error = "no display (DISPLAY is not set)";
        return false;
    }
    // The window surface is enough for a palettized page; an accelerated framebuffer would load
    // a GL stack for nothing.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // With only an X display named, ask for X alone: the other drivers SDL would try next print
    // their own complaints and end in the offscreen fallback anyway.
    const bool xOnly = !driverChosen && !envSet("WAYLAND_DISPLAY");
    if (xOnly) SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (!s.videoUp) {
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
        error = std::string("no display (only SDL's ") + driver + " driver is available)";
        SDL_Quit();
        s.videoUp = false;
        return false;
    }

    // Centred on the first display, halves rounded down.
    SDL_Rect bounds{0, 0, size.width, size.height};
    SDL_GetDisplayBounds(0, &bounds);
    const int x = bounds.x + (bounds.w - size.width) / 2;
    const int y = bounds.y + (bounds.h - size.height) / 2;
    s.window = SDL_CreateWindow("", x, y, size.width, size.height,
                                SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (s.window == nullptr) {
        error = SDL_GetError();
        return false;
    }
    s.page = SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 8, SDL_PIXELFORMAT_INDEX8);
    if (s.page == nullptr) {
        error = SDL_GetError();
        SDL_DestroyWindow(s.window);
        s.window = nullptr;
        return false;
    }
    SDL_StartTextInput();
    return true;
}

void SdlBackend::setTitle(std::string_view title) {
    if (state_->window == nullptr) return;
    SDL_SetWindowTitle(state_->window, std::string(title).c_str());
}

Size SdlBackend::desktopSize() {
    SDL_DisplayMode mode{};
    if (!state_->videoUp || SDL_GetDesktopDisplayMode(0, &mode) != 0) return Size{};
    return Size{mode.w, mode.h};
}

Point SdlBackend::windowPosition() {
    Point p{};
    if (state_->window != nullptr) SDL_GetWindowPosition(state_->window, &p.x, &p.y);
    return p;
}

void SdlBackend::moveWindow(Point topLeft) {
    if (state_->window != nullptr) SDL_SetWindowPosition(state_->window, topLeft.x, topLeft.y);
}

void SdlBackend::present(const std::uint8_t* pixels, Size size,
                         const std::array<Rgb, 256>& palette) {
    State& s = *state_;
    if (s.page == nullptr || pixels == nullptr) return;
    bool changed = !s.paletteSet || palette != s.palette;
    if (changed) {
        SDL_Color colours[256];
        for (int i = 0; i < 256; ++i)
            colours[i] = SDL_Color{palette[i].r, palette[i].g, palette[i].b, 255};
        SDL_SetPaletteColors(s.page->format->palette, colours, 0, 256);
        s.palette = palette;
        s.paletteSet = true;
    }
    const int width = std::min(size.width, s.page->w);
    const int height = std::min(size.height, s.page->h);
    SDL_LockSurface(s.page);
    auto* rows = static_cast<std::uint8_t*>(s.page->pixels);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* shown = rows + static_cast<std::ptrdiff_t>(y) * s.page->pitch;
        const std::uint8_t* row = pixels + static_cast<std::ptrdiff_t>(y) * size.width;
        if (std::memcmp(shown, row, static_cast<std::size_t>(width)) == 0) continue;
        std::memcpy(shown, row, static_cast<std::size_t>(width));
        changed = true;
    }
    SDL_UnlockSurface(s.page);
    // A page drawn over with the same pixels is not sent to the window again.
    if (changed) s.blitPage();
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
    // After a button goes down the rest of the queue waits for the next wait, so that the
    // program reads the pressed state at least once even when the release came in the same wait.
    bool holdQueue = false;
    while (!holdQueue && SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
        switch (e.type) {
            case SDL_QUIT:
                input.requestClose();
                break;
            case SDL_WINDOWEVENT:
                switch (e.window.event) {
                    case SDL_WINDOWEVENT_CLOSE:
                        input.requestClose();
                        break;
                    case SDL_WINDOWEVENT_EXPOSED:
                        s.blitPage();
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
                        input.pointerMoved(x, y);
                        break;
                    }
                    default:
                        break;
                }
                break;
            case SDL_TEXTINPUT:
                // Printable ASCII only: the program's font and keys know nothing else.
                for (const char* c = e.text.text; *c != '\0'; ++c) {
                    const auto byte = static_cast<unsigned char>(*c);
                    if (byte >= 32 && byte < 127) input.pushKey(Key::character(byte));
                }
                break;
            case SDL_KEYDOWN:
                input.pushKey(keyOf(e.key.keysym));
                break;
            case SDL_MOUSEMOTION:
                input.pointerMoved(e.motion.x, e.motion.y);
                break;
            case SDL_MOUSEBUTTONDOWN:
                input.pointerMoved(e.button.x, e.button.y);
                s.buttons |= buttonBit(e.button.button);
                input.pointerButtons(s.buttons);
                holdQueue = true;
                break;
            case SDL_MOUSEBUTTONUP:
                input.pointerMoved(e.button.x, e.button.y);
                s.buttons &= ~buttonBit(e.button.button);
                input.pointerButtons(s.buttons);
                break;
            default:
                break;
        }
    }
}

void SdlBackend::warpPointer(Point position) {
    if (state_->window != nullptr) SDL_WarpMouseInWindow(state_->window, position.x, position.y);
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
