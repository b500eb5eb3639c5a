// SPDX-License-Identifier: GPL-2.0-or-later
// Micro-benchmarks of the hot paths: drawing the screens, showing a page in a real window,
// writing the picture and formatting numbers. They print figures and judge nothing; the driver
// (run_bench.py) puts them beside the targets.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_screen.h"
#include "app/program.h"
#include "platform/files/bmp_writer.h"
#include "platform/text/number_format.h"
#include "platform/window/null_backend.h"
#include "platform/window/private/page_enlarger.h"
#include "platform/window/sdl_backend.h"
#include "values/values_panel.h"

namespace solvara {
namespace {

// A program on the null backend, started and waiting in its main loop. The null backend's waits
// cost nothing, so only the drawing is timed.
struct StartedProgram {
    NullBackend backend;
    Environment environment = Environment::system();
    Program program{backend, environment};

    StartedProgram() {
        Next next = program.startProgram();
        while (next != Step::MainLoop && next != Step::Exit)
            next = program.runStep(next);
    }

    void drawMainScreenWithPanel() {
        drawMainScreen(program.display(), program.input(), program.values().solveMode, false);
        drawValuesPanel(program.display(), program.values());
    }

    // The main screen with the values panel, then a solve of the marked sides.
    void solve(SolveMode mode, double x, double y, double z) {
        TriangleValues& v = program.values();
        v.solveMode = mode;
        v.triangle.x = x;
        v.triangle.y = y;
        v.triangle.z = z;
        v.markers.set(Entry::X, true);
        v.markers.set(Entry::Y, true);
        if (z != 0) v.markers.set(Entry::Z, true);
        drawMainScreenWithPanel();
        Next next = Step::Solve;
        do {
            next = program.runStep(next);
        } while (next != Step::ResultsCycle && next != Step::MainLoop && next != Step::Exit);
        if (next != Step::ResultsCycle) std::fprintf(stderr, "microbench: the solve failed\n");
    }
};

void BM_DrawMainScreenWithPanel(benchmark::State& state) {
    StartedProgram p;
    for (auto _ : state) {
        p.drawMainScreenWithPanel();
        p.program.display().presentIfChanged();
    }
}
BENCHMARK(BM_DrawMainScreenWithPanel)->Unit(benchmark::kMicrosecond);

void BM_ResultsScreenRight(benchmark::State& state) {
    StartedProgram p;
    p.solve(SolveMode::Right, 3, 4, 0);
    for (auto _ : state) {
        p.program.runStep(Step::ShowResults);
        p.program.display().presentIfChanged();
    }
}
BENCHMARK(BM_ResultsScreenRight)->Unit(benchmark::kMicrosecond);

void BM_ResultsScreenOblique(benchmark::State& state) {
    StartedProgram p;
    p.solve(SolveMode::Oblique, 5, 6, 7);
    for (auto _ : state) {
        p.program.runStep(Step::ShowResults);
        p.program.display().presentIfChanged();
    }
}
BENCHMARK(BM_ResultsScreenOblique)->Unit(benchmark::kMicrosecond);

// One full page through the real window: palette to pixels on SDL's blit and the upload to the
// X server (shared memory where the server offers it). The main screen and a results screen take
// turns, since the backend does not send a page that shows nothing new. Needs a display.
void BM_PresentFullPage(benchmark::State& state) {
    StartedProgram mainScreen;
    StartedProgram results;
    results.solve(SolveMode::Right, 3, 4, 0);
    results.program.display().presentIfChanged();
    SdlBackend backend;
    std::string error;
    if (!backend.openWindow(Size{Display::kWidth, Display::kHeight}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const Display* pages[] = {&mainScreen.program.display(), &results.program.display()};
    int turn = 0;
    for (auto _ : state) {
        const Display& d = *pages[turn];
        turn ^= 1;
        backend.present(d.pageData(0), Size{Display::kWidth, Display::kHeight}, d.palette());
    }
}
BENCHMARK(BM_PresentFullPage)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Every row of the page changed, through a real window whose page is enlarged 2 times: each page
// pixel written as a 2 x 2 block into the window surface, and all of it sent to the X server. The
// second page is the main screen with its white and grey swapped, so that no row is left out.
void BM_PresentFullPageScale2(benchmark::State& state) {
    StartedProgram screen;
    const Display& d = screen.program.display();
    const std::size_t bytes = static_cast<std::size_t>(Display::kWidth) * Display::kHeight;
    std::vector<std::uint8_t> swapped(d.pageData(0), d.pageData(0) + bytes);
    for (std::uint8_t& index : swapped)
        index = index == 15 ? 7 : index == 7 ? 15 : index;
    SdlBackend backend(ScaleRequest{2});
    std::string error;
    if (!backend.openWindow(Size{Display::kWidth, Display::kHeight}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::uint8_t* pages[] = {d.pageData(0), swapped.data()};
    int turn = 0;
    for (auto _ : state) {
        backend.present(pages[turn], Size{Display::kWidth, Display::kHeight}, d.palette());
        turn ^= 1;
    }
}
BENCHMARK(BM_PresentFullPageScale2)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The enlargement alone, into a surface in memory of the kind an X window surface is: the part of
// the present above that is this program's own work; the rest is the X server's copy.
void BM_EnlargePageScale2(benchmark::State& state) {
    StartedProgram screen;
    const Display& d = screen.program.display();
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(
        0, 2 * Display::kWidth, 2 * Display::kHeight, 32, SDL_PIXELFORMAT_RGB888);
    std::array<std::uint32_t, 256> colours{};
    for (int i = 0; i < 256; ++i)
        colours[i] =
            SDL_MapRGB(target->format, d.palette()[i].r, d.palette()[i].g, d.palette()[i].b);
    for (auto _ : state) {
        enlargeRows(d.pageData(0), Display::kWidth, 0, Display::kHeight, colours, 2, target);
        benchmark::DoNotOptimize(target->pixels);
        benchmark::ClobberMemory();
    }
    SDL_FreeSurface(target);
}
BENCHMARK(BM_EnlargePageScale2)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A page drawn over with the same pixels: compared with what the window shows, not sent.
void BM_PresentSamePixels(benchmark::State& state) {
    StartedProgram screen;
    SdlBackend backend;
    std::string error;
    if (!backend.openWindow(Size{Display::kWidth, Display::kHeight}, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const Display& d = screen.program.display();
    for (auto _ : state)
        backend.present(d.pageData(0), Size{Display::kWidth, Display::kHeight}, d.palette());
}
BENCHMARK(BM_PresentSamePixels)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The bare SDL2 way, for comparison: an 8-bit surface blitted to the window surface and the
// window updated, as the baseline program does.
void BM_PresentBareSdl(benchmark::State& state) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_Window* window = SDL_CreateWindow("", 0, 0, Display::kWidth, Display::kHeight,
                                          SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    SDL_Surface* page = SDL_CreateRGBSurfaceWithFormat(0, Display::kWidth, Display::kHeight, 8,
                                                       SDL_PIXELFORMAT_INDEX8);
    if (window != nullptr && page != nullptr) {
        for (auto _ : state) {
            SDL_Surface* target = SDL_GetWindowSurface(window);
            SDL_BlitSurface(page, nullptr, target, nullptr);
            SDL_UpdateWindowSurface(window);
        }
    } else {
        state.SkipWithError(SDL_GetError());
    }
    if (page != nullptr) SDL_FreeSurface(page);
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_Quit();
}
BENCHMARK(BM_PresentBareSdl)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_PresentUnchangedPage(benchmark::State& state) {
    StartedProgram p;
    for (auto _ : state)
        p.program.display().presentIfChanged();
}
BENCHMARK(BM_PresentUnchangedPage);

void BM_BmpWriterSavePage(benchmark::State& state) {
    StartedProgram p;
    p.solve(SolveMode::Right, 3, 4, 0);
    const auto path = std::filesystem::temp_directory_path() /
                      ("solvara-bench-" + std::to_string(getpid()) + ".bmp");
    for (auto _ : state)
        benchmark::DoNotOptimize(BmpWriter::savePage(p.program.display(), path.string()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_BmpWriterSavePage)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_FormatMasked(benchmark::State& state) {
    const double values[] = {0, 3, 4.5, 53.13010235415598, 0.000123456789, 1234567.891};
    for (auto _ : state)
        for (const double v : values)
            benchmark::DoNotOptimize(formatMasked(v, kMask9));
    state.SetItemsProcessed(state.iterations() * std::size(values));
}
BENCHMARK(BM_FormatMasked);

}  // namespace
}  // namespace solvara

BENCHMARK_MAIN();
