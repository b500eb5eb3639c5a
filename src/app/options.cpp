// SPDX-License-Identifier: GPL-2.0-or-later
// The command line: --help, --version and --scale, read with CLI11. A later command (a solve
// without a window) is one more subcommand on the same App.
#include "app/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>

#ifndef SOLVARA_VERSION
#error "the build defines SOLVARA_VERSION (CMakeLists.txt)"
#endif

namespace solvara {

namespace {

constexpr const char* kDescription =
    "Solvara solves plane triangles. Choose a right or an oblique triangle, mark the sides and\n"
    "angles you know, type their values and press Enter: Solvara computes the rest, the area,\n"
    "the height and the width, draws the triangle to scale and can print the results.\n";

constexpr const char* kFooter =
    "Keys on the main screen (letters in either case):\n"
    "  X Y Z A B C       Edit a side, or an angle in decimal degrees (C in oblique mode)\n"
    "  D E F             Edit angle A, B or C as degrees, minutes and seconds\n"
    "  Enter             Commit the value; enough marked inputs solve the triangle\n"
    "  R O               A right or an oblique triangle\n"
    "  H                 The help page (B or Escape returns)\n"
    "  @                 The window back to where it opened\n"
    "  Escape            End Solvara\n"
    "Keys on the results screen:\n"
    "  P                 Print the results and save the window as Solvara.bmp\n"
    "  S                 Switch between the two answers of an ambiguous triangle\n"
    "  I                 Back to the entries (C clears them)\n"
    "  Ctrl+C            Copy the results as text\n"
    "Mouse: click a value row to edit it, the marker left of it to make it an input;\n"
    "drag the title bar to move the window.\n"
    "\n"
    "Environment:\n"
    "  SOLVARA_SCALE     The window scale when --scale is not given\n"
    "  GDK_SCALE         The desktop's scale, used when neither is given\n"
    "  PRINTER, LPDEST   The printer to use instead of the default one\n"
    "  CUPS_SERVER       The print server to use\n"
    "\n"
    "Exit status:\n"
    "  0                 Ended by the user\n"
    "  1                 No window could be opened, or the display went away\n"
    "  2                 A usage error on the command line\n";

// --scale takes a plain decimal number; the library's integer reading would also take "0x2",
// " 2" and "+2".
std::string decimalDigitsOnly(const std::string& text) {
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
    return digits ? std::string() : "Value " + text + " is not a whole number";
}

// CLI11's messages are one line already; a newline in a value (an argument may hold one) must
// not break the one line of the report.
std::string oneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

}  // namespace

CommandLine readCommandLine(int argc, const char* const* argv) {
    CLI::App app{kDescription, "solvara"};
    app.footer(kFooter);
    app.get_formatter()->column_width(20);
    app.set_version_flag("--version", "solvara " SOLVARA_VERSION);

    int scale = 0;
    CLI::Option* scaleOption =
        app.add_option("--scale", scale, "Show each pixel as an N x N block, N from 1 to 4")
            ->type_name("N")
            ->check(CLI::Validator(decimalDigitsOnly, ""))
            ->check(CLI::Range(1, 4).description(""));

    CommandLine result;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        result.output = app.help();
        result.exitStatus = 0;
        return result;
    } catch (const CLI::CallForVersion& version) {
        result.output = std::string(version.what()) + "\n";
        result.exitStatus = 0;
        return result;
    } catch (const CLI::ParseError& e) {
        result.error = "solvara: " + oneLine(e.what()) + " (solvara --help lists the options)\n";
        result.exitStatus = kExitUsage;
        return result;
    }
    if (scaleOption->count() > 0) result.options.scale = scale;
    return result;
}

}  // namespace solvara
