// SPDX-License-Identifier: GPL-2.0-or-later
// The command line: --help, --version and --scale for the window, and the solve subcommand,
// read with CLI11.
#include "app/options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <utility>

#include "app/version.h"

namespace solvara {

namespace {

constexpr const char* kDescription =
    "Solvara solves plane triangles. Choose a right or an oblique triangle, mark the sides and\n"
    "angles you know, type their values and press Enter: Solvara computes the rest, the area,\n"
    "the height and the width, draws the triangle to scale and can print the results.\n";

constexpr const char* kFooter =
    "Keys on the main screen (letters in either case):\n"
    "  X Y Z A B C       Edit a side, or an angle in decimal degrees (C in oblique mode):\n"
    "                    digits and a point; a comma, the keypad's one too, types the point\n"
    "  D E F             Edit angle A, B or C as degrees, minutes and seconds\n"
    "  Enter             Commit the value; enough marked inputs solve the triangle\n"
    "  R O               A right or an oblique triangle\n"
    "  H                 The help page (B or Escape returns)\n"
    "  @                 The window to the middle of the monitor it is on\n"
    "  Escape            End Solvara\n"
    "Keys on the results screen:\n"
    "  P                 Print the results and save the window as Solvara.bmp\n"
    "  S                 Switch between the two answers of an ambiguous triangle\n"
    "  I                 Back to the entries (C clears them)\n"
    "  Ctrl+C            Copy the results as text\n"
    "Mouse: click a value row to edit it, the marker left of it to make it an input;\n"
    "drag the title bar to move the window. The five small squares send it to a corner\n"
    "or the middle of the monitor it is on; it opens in the middle of the primary one.\n"
    "\n"
    "On Wayland (no X display) the desktop places the window and moves it when the title bar\n"
    "is dragged; the five small squares and @ leave it where it is.\n"
    "\n"
    "Environment:\n"
    "  DISPLAY           The X display the window opens on\n"
    "  WAYLAND_DISPLAY   The Wayland display, used when no X display can be reached\n"
    "  SOLVARA_SCALE     The window scale when --scale is not given\n"
    "  GDK_SCALE         The desktop's scale, used when neither is given; then the\n"
    "                    X resource Xft.dpi over 96, else 1. A scale too large for the\n"
    "                    monitor is lowered (for --scale, with a line on standard error)\n"
    "  PRINTER, LPDEST   The printer to use instead of the default one\n"
    "  CUPS_SERVER       The print server to use\n"
    "  PAPERSIZE         The paper to print on when the printer names none (else PAPERCONF's\n"
    "                    file or /etc/papersize, else LC_PAPER's paper)\n"
    "\n"
    "Files:\n"
    "  Solvara.bmp       Every print saves the window as this picture: beside a copy run from\n"
    "                    a folder of its own when it may write there, else in the pictures\n"
    "                    directory (xdg-user-dir PICTURES), else in the home directory. A copy\n"
    "                    in the directory it was installed to never saves beside itself.\n"
    "\n"
    "Exit status:\n"
    "  0                 Ended by the user\n"
    "  1                 No window could be opened, or the display went away\n"
    "  2                 A usage error on the command line\n"
    "\n"
    "solvara solve --help tells how to solve without a window.\n";

// After the options: the main help lists the subcommand by its one-line description.
constexpr const char* kSolveFooter =
    "Prints what Print would print, the second answer too when two triangles fit. Give right\n"
    "or oblique, then two inputs for a right triangle or three for an oblique one as\n"
    "letter=value: x y z a side, a b c an angle in decimal degrees, d e f angle A, B or C in\n"
    "degrees, minutes and seconds (30d15m20s or 30:15:20).\n"
    "\n"
    "Examples:\n"
    "  solvara solve right x=3 y=4\n"
    "  solvara solve oblique x=10 y=7 a=30          (two triangles: both are printed)\n"
    "  solvara solve --json oblique y=10 d=40d30m b=60\n"
    "  solvara solve --explain oblique x=5 y=6 z=7  (the case, then each formula and result)\n"
    "  printf 'right x=3 y=4\\noblique x=5 y=6 z=7\\n' | solvara solve --json -\n"
    "  solvara solve --svg tri.svg oblique x=10 y=7 a=30   (tri.svg and tri-2.svg)\n"
    "\n"
    "With -, each line of standard input is a problem; blank lines and lines that start with #\n"
    "are skipped, and a line that fails is reported and the next one read. A line may be 4096\n"
    "bytes long. With --json a problem that fails is answered by an object with its error.\n"
    "\n"
    "The figures of the triangle: --more writes them after each page, and every --json answer\n"
    "carries them after its width, under perimeter, height_x, height_y, height_z (the heights\n"
    "onto the sides), median_x, median_y, median_z (the medians to them), bisector_a,\n"
    "bisector_b, bisector_c (the bisectors of the angles, to the opposite sides), inradius and\n"
    "circumradius.\n"
    "\n"
    "With --explain the page is followed by how each answer was found, as a student writes it:\n"
    "the case (three sides: law of cosines, ...), then each formula with the numbers put in and\n"
    "its result; where Solvara works a form that keeps more digits, that form follows the\n"
    "textbook one as \"computed as\". Each answer's JSON object names its case under \"case\".\n"
    "\n"
    "--svg and --png draw the triangle to scale as the results screen does, its vertices\n"
    "lettered A B C and its sides X Y Z, and mark a right angle at C. A second answer is drawn\n"
    "to FILE with -2 before the extension. They take one problem, not -.\n"
    "\n"
    "Exit status (the worst of all lines with -):\n"
    "  0                 Solved\n"
    "  1                 No triangle fits the inputs (CAN NOT DO IT !), the answer has a\n"
    "                    figure beyond the range of doubles (about 2.2e-308 to 1.8e308), or\n"
    "                    only angles were given; or a drawing could not be written\n"
    "  2                 A usage error: an unknown letter, a letter twice, a value that is not\n"
    "                    a positive number, an angle of 180 or more, too few or too many\n"
    "                    inputs, C given for a right triangle, or --svg or --png with -; or\n"
    "                    standard input could not be read\n";

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
    app.set_version_flag("--version", std::string("solvara ") + kVersion);

    int scale = 0;
    CLI::Option* scaleOption =
        app.add_option("--scale", scale, "Show each pixel as an N x N block, N from 1 to 4")
            ->type_name("N")
            ->check(CLI::Validator(decimalDigitsOnly, ""))
            ->check(CLI::Range(1, 4).description(""));

    CLI::App* solve = app.add_subcommand("solve", "Solve a triangle without a window");
    solve->footer(kSolveFooter);
    SolveRequest request;
    CLI::Option* json =
        solve->add_flag("--json", request.json,
                        "Answer each problem with a JSON object: mode, inputs, answers, error");
    solve->add_flag("--more", request.more,
                    "After each page the figures of the triangle (--json always has them)");
    solve
        ->add_flag("--explain", request.explain,
                   "After the page, how each answer was found, formula by formula")
        ->excludes(json);
    solve
        ->add_option("--svg", request.svgFile,
                     "Also draw the answer as on the results screen, as SVG (578 x 492)")
        ->type_name("FILE");
    solve
        ->add_option("--png", request.pngFile,
                     "Also draw the answer as on the results screen, as PNG (1156 x 984)")
        ->type_name("FILE");
    solve->add_option("problem", request.words, "right|oblique LETTER=VALUE..., or - for stdin")
        ->type_name("WORDS");

    CommandLine result;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        result.output = solve->parsed() ? solve->help("solvara") : app.help();
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
    if (solve->parsed()) result.solve = std::move(request);
    return result;
}

}  // namespace solvara
