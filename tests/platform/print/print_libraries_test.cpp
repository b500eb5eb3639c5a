// SPDX-License-Identifier: GPL-2.0-or-later
// The print libraries are opened on their first call, and the calls reach them intact.
#include <cairo.h>
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool mapped(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(library) != std::string::npos) return true;
    return false;
}

// Runs in a process of its own: exits 0 when neither library was there before the first call,
// the first cairo call opened cairo alone, and the first cups call opened cups.
[[noreturn]] void firstCallsOpenTheirLibrary() {
    int failed = 0;
    auto check = [&](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "not so: %s\n", what);
            ++failed;
        }
    };
    check(!mapped("libcairo.so"), "cairo not loaded at start");
    check(!mapped("libcups.so"), "cups not loaded at start");
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 4);
    check(cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS, "cairo made a surface");
    cairo_surface_destroy(surface);
    check(mapped("libcairo.so"), "cairo loaded by its first call");
    check(!mapped("libcups.so"), "cups still not loaded");
    (void)cupsServer();
    check(mapped("libcups.so"), "cups loaded by its first call");
    std::fflush(stderr);
    _exit(failed == 0 ? 0 : 1);
}

TEST(PrintLibrariesDeathTest, NeitherIsLoadedBeforeItsFirstCall) {
    // A fresh process: other tests of this binary may have printed already.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(firstCallsOpenTheirLibrary(), ::testing::ExitedWithCode(0), "");
}

TEST(PrintLibraries, CallsReachTheLibraryWithTheirArgumentsAndResults) {
    // cups: a pure lookup in an option list, no spooler needed.
    cups_option_t options[] = {{const_cast<char*>("media"), const_cast<char*>("iso_a4_210x297mm")},
                               {const_cast<char*>("sides"), const_cast<char*>("one-sided")}};
    EXPECT_STREQ(cupsGetOption("sides", 2, options), "one-sided");
    EXPECT_EQ(cupsGetOption("copies", 2, options), nullptr);

    // cairo: paint a small surface and read a pixel back through the same library.
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 3, 2);
    cairo_t* cr = cairo_create(surface);
    cairo_set_source_rgb(cr, 1.0, 0.0, 0.0);
    cairo_paint(cr);
    EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    EXPECT_STREQ(cairo_status_to_string(CAIRO_STATUS_NO_MEMORY), "out of memory");
    cairo_surface_destroy(surface);
}

}  // namespace
