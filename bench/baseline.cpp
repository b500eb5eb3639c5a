// SPDX-License-Identifier: GPL-2.0-or-later
// The floor of the stack: the lightest SDL2 program that shows a 643 x 483 borderless window.
// An 8-bit palettized page blitted to the window surface (no GL), one white frame, then events
// polled every 10 ms until Escape or a close request. The benchmark driver measures it beside
// the real program in the same run.
#include <SDL.h>

#include <cstdio>

int main() {
    constexpr int kWidth = 643;
    constexpr int kHeight = 483;

    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "baseline: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Rect bounds{0, 0, kWidth, kHeight};
    SDL_GetDisplayBounds(0, &bounds);
    SDL_Window* window = SDL_CreateWindow("", bounds.x + (bounds.w - kWidth) / 2,
                                          bounds.y + (bounds.h - kHeight) / 2, kWidth, kHeight,
                                          SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    SDL_Surface* page = window != nullptr ? SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 8,
                                                                           SDL_PIXELFORMAT_INDEX8)
                                          : nullptr;
    if (page == nullptr) {
        std::fprintf(stderr, "baseline: %s\n", SDL_GetError());
        SDL_Quit();
        return 1;
    }

    const SDL_Color white{255, 255, 255, 255};
    SDL_SetPaletteColors(page->format->palette, &white, 15, 1);
    SDL_FillRect(page, nullptr, 15);
    auto present = [&] {
        if (SDL_Surface* target = SDL_GetWindowSurface(window)) {
            SDL_BlitSurface(page, nullptr, target, nullptr);
            SDL_UpdateWindowSurface(window);
        }
    };
    present();

    bool running = true;
    while (running) {
        SDL_Event e;
        while (SDL_PollEvent(&e) != 0) {
            if (e.type == SDL_QUIT || (e.type == SDL_KEYDOWN && e.key.keysym.sym == SDLK_ESCAPE))
                running = false;
            else if (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_EXPOSED)
                present();
        }
        if (running) SDL_Delay(10);
    }

    SDL_FreeSurface(page);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
