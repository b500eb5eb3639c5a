// SPDX-License-Identifier: GPL-2.0-or-later
// Plays one session of the real program in a private X server and saves what the window shows
// at each stage as PNG pictures: a look at the program on a machine without a display.
// Usage: solvara_demo PROGRAM OUTPUT-DIRECTORY
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/window/x11/x_session.h"

namespace {

using solvara::Rgb;
using solvara::xtest::App;
using solvara::xtest::Image;
using solvara::xtest::pauseMs;

// Waits until the window has shown the same picture for `quietMs`.
Image steadyPicture(const App& app, int quietMs = 400) {
    Image last = app.grab();
    int steadyFor = 0;
    for (int waited = 0; steadyFor < quietMs && waited < 8000; waited += 50) {
        pauseMs(50);
        Image now = app.grab();
        steadyFor = now == last ? steadyFor + 50 : 0;
        last = std::move(now);
    }
    return last;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PROGRAM OUTPUT-DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path program = std::filesystem::absolute(argv[1]);
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    std::filesystem::create_directories(out);

    std::string error;
    solvara::xtest::XServer server;
    if (!server.start(error)) {
        std::fprintf(stderr, "solvara_demo: %s\n", error.c_str());
        return 1;
    }
    // The program runs in a scratch directory that keeps its output files.
    std::string scratch = (std::filesystem::temp_directory_path() / "solvara-demo-XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) {
        std::fprintf(stderr, "solvara_demo: no scratch directory\n");
        return 1;
    }
    App app;
    if (!app.start(program, scratch, error)) {
        std::fprintf(stderr, "solvara_demo: %s\n", error.c_str());
        return 1;
    }
    // The pointer rests on the desktop, out of the pictures.
    solvara::xtest::xdotool("mousemove 10 10");

    std::vector<std::filesystem::path> written;
    bool ok = true;
    auto save = [&](const char* name, const Image& picture) {
        const std::filesystem::path file = out / name;
        if (solvara::xtest::writePng(picture, file)) {
            written.push_back(file);
        } else {
            std::fprintf(stderr, "solvara_demo: cannot write %s\n", file.c_str());
            ok = false;
        }
    };

    save("01-start.png", steadyPicture(app));
    app.type("x3\r");
    app.type("y4");
    save("02-values-typed.png", steadyPicture(app));
    app.type("\r");
    save("03-right-results.png", steadyPicture(app));
    // CLEAR first: an editor adds to the text an entry already holds.
    app.type("c");
    steadyPicture(app);
    app.type("o");
    app.type("x10\r");
    app.type("y7\r");
    app.type("a30\r");
    save("04-oblique-results.png", steadyPicture(app));
    app.type("S");
    save("05-second-answer.png", steadyPicture(app));
    app.type("h");
    save("06-help.png", steadyPicture(app));
    app.type("b");
    steadyPicture(app);
    app.type("m");
    save("08-figures.png", steadyPicture(app));
    app.type("b");
    steadyPicture(app);
    // A right triangle whose hypotenuse is shorter than its base has no solution; the message
    // flashes in light red, and the picture is taken while it shows.
    app.type("c");
    steadyPicture(app);
    app.type("r");
    app.type("x3\r");
    app.type("z2\r");
    Image flash;
    const bool flashed = App::waitFor(
        [&] {
            flash = app.grab();
            for (int y = 27 * 16; y < 28 * 16; ++y)
                for (int x = 4 * 8; x < 33 * 8; ++x)
                    if (flash.at(x, y) == Rgb{255, 85, 85}) return true;
            return false;
        },
        std::chrono::seconds(5));
    if (!flashed) std::fprintf(stderr, "solvara_demo: the failure message did not show\n");
    save("07-cannot-do-it.png", flash);

    // The flash ends in a fresh main screen.
    steadyPicture(app, 1200);
    app.key("Escape");
    const auto status = app.waitExit();
    if (!status || *status != 0) {
        std::fprintf(stderr, "solvara_demo: the program did not end cleanly\n");
        ok = false;
    }
    std::error_code ec;
    std::filesystem::remove_all(scratch, ec);
    for (const auto& file : written)
        std::printf("%s\n", file.c_str());
    return ok && flashed ? 0 : 1;
}
