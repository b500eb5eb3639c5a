// SPDX-License-Identifier: GPL-2.0-or-later
// libcups and libcairo are opened at the first print, all of their functions or none. This binary,
// like the program, does not link them.
#include "platform/print/private/print_libraries.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/print/printer_device.h"
#include "support/harness.h"

namespace solvara {
namespace {

constexpr const char* kDevice = "LPT:,TITLE = Solvara, EMU = TTY";
constexpr const char* kMissing = "libsolvara-no-such-library.so.2";

bool mapped(const std::string& library) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line))
        if (line.find(library) != std::string::npos) return true;
    return false;
}

// The names of the table's functions that are set (or, given false, that are not).
std::vector<std::string> functions(const PrintLibraries& table, bool set) {
    std::vector<std::string> names;
#define SOLVARA_CUPS_FUNCTION(name) \
    if ((table.name != nullptr) == set) names.push_back(#name);
#define SOLVARA_CAIRO_FUNCTION(name) SOLVARA_CUPS_FUNCTION(name)
#include "platform/print/private/print_library_functions.h"
#undef SOLVARA_CUPS_FUNCTION
#undef SOLVARA_CAIRO_FUNCTION
    return names;
}

// Runs in a process of its own: exits 0 when neither library was mapped at the start nor by an
// open() that failed on its device string, both are after loading, and calls reach them.
[[noreturn]] void loadMapsBothLibraries() {
    int failed = 0;
    auto check = [&](bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "not so: %s\n", what);
            ++failed;
        }
    };
    check(!mapped("libcairo.so") && !mapped("libcups.so"), "neither loaded at start");
    PrinterDevice printer;
    check(printer.open("LPT:,EMU = PCL", 1) == PrinterDevice::OpenResult::BadDeviceString,
          "a bad device string is refused");
    check(!mapped("libcairo.so") && !mapped("libcups.so"), "neither loaded for a bad string");

    check(loadPrintLibraries(), "the libraries load");
    check(mapped("libcairo.so") && mapped("libcups.so"), "both loaded");
    const PrintLibraries& lib = printLibraries();
    cups_option_t options[] = {{const_cast<char*>("sides"), const_cast<char*>("one-sided")}};
    const char* sides = lib.cupsGetOption("sides", 1, options);
    check(sides != nullptr && std::string(sides) == "one-sided", "cups finds an option");
    cairo_surface_t* surface = lib.cairo_image_surface_create(CAIRO_FORMAT_RGB24, 4, 4);
    check(lib.cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS, "cairo makes a surface");
    lib.cairo_surface_destroy(surface);
    std::fflush(stderr);
    _exit(failed == 0 ? 0 : 1);
}

// Exits with open()'s code; with another when the libraries loaded after all (then a missing
// spooler would give the same code).
[[noreturn]] void openAndExitWithItsCode() {
    PrinterDevice printer;
    const int code = static_cast<int>(printer.open(kDevice, 1));
    _exit(loadPrintLibraries() ? 100 : code);
}

// Prints a right triangle's results from the whole program; exits 0 when the printer message
// was shown, 1 when not, and 100 when the libraries loaded after all.
[[noreturn]] void printAndExitWithWhatWasShown() {
    bool shown = false;
    {
        testing::Harness h;  // its temporary directory goes with it, before the exit
        h.start();
        h.type("x3\ry4\r");
        h.settle();
        h.backend.onWait = [&](std::uint64_t) {
            shown = shown || h.text(29, 17, 25) == " Printer Not Ready!      ";
        };
        h.type("p");
        h.settle();
    }
    _exit(loadPrintLibraries() ? 100 : shown ? 0 : 1);
}

// The dynamic loader reads LD_LIBRARY_PATH only at the start of a process: that of a death
// test's child, which inherits it. An empty libcairo.so.2 is found there first.
class EmptyCairoFirst {
  public:
    EmptyCairoFirst() {
        const std::filesystem::path dir = SOLVARA_BINARY_DIR "/tests/no-cairo-library";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "libcairo.so.2", std::ios::trunc).close();
        const char* old = std::getenv("LD_LIBRARY_PATH");
        if (old) saved_ = old;
        setenv("LD_LIBRARY_PATH", dir.c_str(), 1);
    }
    ~EmptyCairoFirst() {
        if (saved_)
            setenv("LD_LIBRARY_PATH", saved_->c_str(), 1);
        else
            unsetenv("LD_LIBRARY_PATH");
    }

  private:
    std::optional<std::string> saved_;
};

TEST(PrintLibrariesDeathTest, NeitherIsMappedUntilLoaded) {
    // A fresh process: other tests of this binary may have loaded them already.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(loadMapsBothLibraries(), ::testing::ExitedWithCode(0), "");
}

TEST(PrintLibrariesDeathTest, OpenWithoutLoadableLibrariesFindsNoPrinter) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const EmptyCairoFirst emptyCairo;
    // Any call of a function the load did not find would end the child with a signal.
    EXPECT_EXIT(openAndExitWithItsCode(),
                ::testing::ExitedWithCode(static_cast<int>(PrinterDevice::OpenResult::NoPrinter)),
                "cannot print: .*libcairo.so.2");
}

TEST(PrintLibrariesDeathTest, APrintWithoutLoadableLibrariesIsReported) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const EmptyCairoFirst emptyCairo;
    EXPECT_EXIT(printAndExitWithWhatWasShown(), ::testing::ExitedWithCode(0),
                "cannot print: .*libcairo.so.2");
}

TEST(PrintLibraries, LoadIsAllOrNothing) {
    PrintLibraries table;
    // Not there at all, or opened but lacking the other library's functions.
    for (const auto& [cups, cairo] :
         {std::pair{kMissing, "libcairo.so.2"}, std::pair{"libcups.so.2", kMissing},
          std::pair{"libcups.so.2", "libcups.so.2"}, std::pair{"libcairo.so.2", "libcairo.so.2"}}) {
        SCOPED_TRACE(std::string(cups) + " and " + cairo);
        EXPECT_FALSE(loadPrintLibrariesFrom(cups, cairo, table));
        EXPECT_EQ(functions(table, true), std::vector<std::string>{});
    }

    ASSERT_TRUE(loadPrintLibrariesFrom("libcups.so.2", "libcairo.so.2", table));
    EXPECT_EQ(functions(table, false), std::vector<std::string>{});

    // A failed load leaves a loaded table as it was.
    const PrintLibraries before = table;
    EXPECT_FALSE(loadPrintLibrariesFrom("libcups.so.2", kMissing, table));
    EXPECT_EQ(table.cupsCreateJob, before.cupsCreateJob);
    EXPECT_EQ(table.cairo_create, before.cairo_create);
    EXPECT_EQ(functions(table, false), std::vector<std::string>{});
}

}  // namespace
}  // namespace solvara
