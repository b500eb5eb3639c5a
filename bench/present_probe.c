// SPDX-License-Identifier: GPL-2.0-or-later
/* Preloaded by the benchmark driver into the program it measures (LD_PRELOAD). Every window
 * update is passed on to SDL and then logged to the file named by SOLVARA_PROBE_LOG as one line:
 * the CLOCK_MONOTONIC time in nanoseconds after the update returned, and a hash of the window
 * surface's pixels, so that the driver can tell which update first showed the finished screen.
 * Without SOLVARA_PROBE_LOG it only passes the calls on. */
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

typedef int (*UpdateFn)(SDL_Window*);
typedef int (*UpdateRectsFn)(SDL_Window*, const SDL_Rect*, int);

static int logFd = -2;

static uint64_t nowNs(void) {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (uint64_t)ts.tv_sec * 1000000000u + (uint64_t)ts.tv_nsec;
}

/* FNV-1a over 64-bit words: quick enough to run on every update of a 1.2 MB surface. */
static uint64_t surfaceHash(SDL_Surface* s) {
    uint64_t h = 1469598103934665603u;
    if (s == NULL || s->pixels == NULL) return 0;
    const size_t rowBytes = (size_t)s->w * s->format->BytesPerPixel;
    for (int y = 0; y < s->h; ++y) {
        const uint8_t* row = (const uint8_t*)s->pixels + (size_t)y * s->pitch;
        size_t i = 0;
        for (; i + 8 <= rowBytes; i += 8) {
            uint64_t w;
            __builtin_memcpy(&w, row + i, 8);
            h = (h ^ w) * 1099511628211u;
        }
        for (; i < rowBytes; ++i)
            h = (h ^ row[i]) * 1099511628211u;
    }
    return h;
}

static void logUpdate(SDL_Window* window) {
    const uint64_t t = nowNs();
    if (logFd == -2) {
        const char* path = getenv("SOLVARA_PROBE_LOG");
        logFd = path != NULL && *path != '\0'
                    ? open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644)
                    : -1;
    }
    if (logFd >= 0) {
        char line[64];
        const int n = snprintf(line, sizeof line, "%llu %016llx\n", (unsigned long long)t,
                               (unsigned long long)surfaceHash(SDL_GetWindowSurface(window)));
        if (n > 0) (void)!write(logFd, line, (size_t)n);
    }
}

int SDL_UpdateWindowSurface(SDL_Window* window) {
    static UpdateFn real = NULL;
    if (real == NULL) {
        /* POSIX guarantees that a function's address survives the trip through void*. */
        void* symbol = dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
        __builtin_memcpy(&real, &symbol, sizeof real);
    }
    const int result = real(window);
    logUpdate(window);
    return result;
}

/* The program sends only the rows that changed. */
int SDL_UpdateWindowSurfaceRects(SDL_Window* window, const SDL_Rect* rects, int count) {
    static UpdateRectsFn real = NULL;
    if (real == NULL) {
        void* symbol = dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
        __builtin_memcpy(&real, &symbol, sizeof real);
    }
    const int result = real(window, rects, count);
    logUpdate(window);
    return result;
}
