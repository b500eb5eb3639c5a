// SPDX-License-Identifier: GPL-2.0-or-later
// `solvara solve`: command lines and their output and status, the answers against the results
// screen of the window, the JSON read back, many problems from standard input, and the built
// program without a display.
#include "app/solve_command.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <numbers>
#include <optional>
#include <random>
#include <regex>
#include <sstream>
#include <thread>

#include "app/options.h"
#include "app/problem.h"
#include "support/harness.h"
#include "support/private_spooler.h"

namespace solvara {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;
using testing::commandOutput;
using testing::Harness;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::vector<std::string> wordsOf(std::string_view line) {
    std::vector<std::string> words;
    std::istringstream in{std::string(line)};
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// As main() runs a command line ("solve right x=3 y=4"), in process, with `input` as standard
// input handed over at most `chunk` bytes a read, and after it the read error `readError` when
// one is given.
RunResult run(const std::vector<std::string>& arguments, std::string_view input = {},
              std::size_t chunk = 1 << 20, const std::string& readError = "") {
    std::vector<const char*> argv{"solvara"};
    for (const std::string& a : arguments)
        argv.push_back(a.c_str());
    const CommandLine c = readCommandLine(static_cast<int>(argv.size()), argv.data());
    if (c.exitStatus) return RunResult{*c.exitStatus, c.output, c.error};
    EXPECT_TRUE(c.solve.has_value());
    if (!c.solve) return RunResult{};
    RunResult r;
    ByteStreams streams;
    streams.read = [&](char* buffer, std::size_t size) {
        const std::size_t n = std::min({size, chunk, input.size()});
        std::memcpy(buffer, input.data(), n);
        input.remove_prefix(n);
        ReadResult got(n);
        if (n == 0) got.error = readError;
        return got;
    };
    streams.write = [&](std::string_view text) {
        r.out += text;
        return true;
    };
    streams.error = [&](std::string_view line) { r.err += line; };
    r.status = runSolveCommand(*c.solve, streams);
    return r;
}

RunResult run(std::string_view commandLine, std::string_view input = {},
              std::size_t chunk = 1 << 20, const std::string& readError = "") {
    return run(wordsOf(commandLine), input, chunk, readError);
}

constexpr const char* kRightThreeFour =
    "\n"
    "\n"
    "           Solvara\n"
    "\n"
    "           X = Length           = 3.0\n"
    "           Y = Height           = 4.0\n"
    "           Z = Length of angle  = 5.0\n"
    "           A = Angle A decimal  = 53.13010235\n"
    "           D = Angle A degrees  = 53d 7m 48s 0.4\n"
    "           B = Angle B decimal  = 36.869897646\n"
    "           E = Angle B degrees  = 36d 52m 11s 0.6\n"
    "           C = Angle C decimal  = 90.0\n"
    "           F = Angle C degrees  = 90d 0m 0s \n"
    "           Area of Triangle     = 6.0\n"
    "\n";

TEST(SolveCommand, PrintsThePageThatPrintSends) {
    const RunResult r = run("solve right x=3 y=4");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kRightThreeFour);
    EXPECT_EQ(r.err, "");
    // Letters and the kind in either case, and the inputs in any order.
    EXPECT_EQ(run("solve RIGHT Y=4 X=3").out, kRightThreeFour);
}

// A drawing's SVG: how many paths it has, and the corners of the closed one in its order.
struct SvgDrawing {
    int paths = 0;
    std::vector<std::array<double, 2>> corners;
};
SvgDrawing readSvgDrawing(const std::string& file) {
    std::ifstream in(file);
    const std::string svg(std::istreambuf_iterator<char>(in), {});
    SvgDrawing drawing;
    for (std::size_t at = 0; (at = svg.find("<path", at)) != std::string::npos; ++at)
        ++drawing.paths;
    const std::regex closed(R"(d="M (\S+) (\S+) L (\S+) (\S+) L (\S+) (\S+) Z)");
    for (std::sregex_iterator m(svg.begin(), svg.end(), closed), end; m != end; ++m)
        for (int i = 1; i <= 5; i += 2)
            drawing.corners.push_back({std::stod((*m)[i]), std::stod((*m)[i + 1])});
    return drawing;
}

// A PNG's width and height from its header, when it starts as one.
std::optional<std::array<int, 2>> pngSize(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head) ||
        std::memcmp(head, "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) != 0)
        return std::nullopt;
    auto be32 = [&](int at) {
        return head[at] << 24 | head[at + 1] << 16 | head[at + 2] << 8 | head[at + 3];
    };
    return std::array<int, 2>{be32(16), be32(20)};
}

// Each problem on the command line with lines its output must hold, its status and the line on
// standard error.
TEST(SolveCommand, CommandLineTable) {
    const fs::path dir =
        fs::temp_directory_path() / ("solvara-drawings-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string d = dir.string() + "/";  // for the drawings
    const std::string dmsA = "           A = Angle A decimal  = 30.25555556";
    const std::string dmsD = "           D = Angle A degrees  = 30d 15m 20s ";
    const std::string noSize = ": angles alone do not size a triangle";
    const std::string beyond = " is beyond the largest double (about 1.8e308)";
    const std::string below = " is below the smallest normal double (about 2.2e-308)";
    const struct {
        std::string line;
        int status;
        std::vector<std::string> out;  // lines the output holds; none for no output at all
        std::string err;               // without "solvara: " and the line end
    } table[] = {
        // Two triangles: both pages, a blank line between.
        {"oblique x=10 y=7 a=30",
         0,
         {"           Z = Length of angle  = 13.55923352", "           Triangle Width       = 10.0",
          "           Z = Length of angle  = 3.76127455"},
         ""},
        {"oblique x=10 y=7 d=30d15m20s", 0, {dmsA, dmsD}, ""},
        // The figures of the triangle after each page, the second answer's too.
        {"--more oblique x=10 y=7 a=30",
         0,
         {"           Perimeter            = 30.55923352",
          "           Height onto Y        = 9.6851668",
          "           Median to Z          = 5.34198433",
          "           Bisector of A        = 11.11853986", "           Circumradius         = 7.0",
          "           Inradius             = .90583903"},
         ""},
        {"--more right x=3 y=4",
         0,
         {"           Height onto Z        = 2.4", "           Inradius             = 1.0"},
         ""},
        {"oblique x=10 y=7 d=30:15:20", 0, {dmsA, dmsD}, ""},
        {"right z=10 E=60D", 0, {"           A = Angle A decimal  = 30.0"}, ""},
        {"right x=1.5e1 y=&H14", 0, {"           Z = Length of angle  = 25.0"}, ""},
        // At the ends of the range: every answer a double is solved, any other is none.
        {"right x=1e154 y=1e154",
         0,
         {"           Z = Length of angle  = 1.41421356237e+154",
          "           Area of Triangle     = 5e+307"},
         ""},
        {"right x=1e200 a=30", 1, {}, "CAN NOT DO IT !: the area" + beyond},
        {"oblique x=1e10 y=1e300 c=179.9999999",
         1,
         {},
         "CAN NOT DO IT !: the circumradius" + beyond},
        {"oblique x=1e-160 y=1e-160 z=1e-160", 1, {}, "CAN NOT DO IT !: the area" + below},
        {"right x=1e300 y=1e-300", 1, {}, "CAN NOT DO IT !: A" + below},
        // No triangle.
        {"oblique x=1 y=1 z=5", 1, {}, "CAN NOT DO IT !"},
        {"right a=30 b=60", 1, {}, "no right-triangle case takes A, B" + noSize},
        {"oblique a=30 b=60 f=90d", 1, {}, "no oblique-triangle case takes A, B, C" + noSize},
        // Usage errors name the word.
        {"right q=3 y=4", 2, {}, "q=3: not one of the letters x y z a b c d e f"},
        {"right x3 y=4", 2, {}, "x3: not a letter and its value (x=3)"},
        {"right x=3 X=4", 2, {}, "X=4: X is given twice (x=3)"},
        {"oblique a=30 x=3 d=30d", 2, {}, "d=30d: A is given twice (a=30)"},
        {"right x=0 y=4", 2, {}, "x=0: not a positive number"},
        {"right x=-3 y=4", 2, {}, "x=-3: not a positive number"},
        {"right x=abc y=4", 2, {}, "x=abc: not a positive number"},
        {"right x=1e400 y=4", 2, {}, "x=1e400: not a positive number"},
        {"oblique x=3 y=4 c=180", 2, {}, "c=180: an angle must be below 180 degrees"},
        {"oblique x=3 y=4 f=179:60:0", 2, {}, "f=179:60:0: an angle must be below 180 degrees"},
        {"oblique x=3 y=4 d=30d15",
         2,
         {},
         "d=30d15: not an angle in degrees, minutes and seconds (30d15m20s or 30:15:20)"},
        {"right x=3", 2, {}, "right: a right triangle takes two inputs, 1 given"},
        {"oblique x=3 y=4", 2, {}, "oblique: an oblique triangle takes three inputs, 2 given"},
        {"", 2, {}, "solve: no problem given (right x=3 y=4)"},
        {"right x=3 y=4 z=5", 2, {}, "z=5: a right triangle takes two inputs"},
        {"oblique x=3 y=4 z=5 a=30", 2, {}, "a=30: an oblique triangle takes three inputs"},
        {"right x=3 c=90", 2, {}, "c=90: C is the right angle of a right triangle, not an input"},
        {"acute x=3 y=4", 2, {}, "acute: not a kind of triangle (right or oblique)"},
        {"right - x=3", 2, {}, "-: reads problems from standard input and comes alone"},
        {"--help", 0, {"  solvara solve right x=3 y=4"}, ""},
        // How each answer was found, after the page: one problem of each kind of case.
        {"--explain oblique x=5 y=6 z=7",
         0,
         {"Case: three sides: law of cosines",
          "  cos B = (Y^2 + Z^2 - X^2) / (2*Y*Z) = (6^2 + 7^2 - 5^2) / (2*6*7) = 0.7142857143",
          "  B = acos(0.7142857143) = 44.415308597",
          "    computed as B = 2*atan(sqrt(((Z - Y) + X)*(X - (Z - Y)) / ((Z + (Y + X))*((Z - X) + "
          "Y)))),",
          "  A = acos(0.5428571429) = 57.12165044",
          "  C = 180 - A - B = 180 - 57.12165044 - 44.415308597 = 78.463040967"},
         ""},
        {"--explain oblique x=10 z=3 a=30",
         0,
         {"Case: two sides and the angle between them: law of cosines",
          "  Y^2 = X^2 + Z^2 - 2*X*Z*cos A, so Y = sqrt(10^2 + 3^2 - 2*10*3*cos 30) = 7.55238213",
          "    computed as Y = sqrt((Z - X)^2 + 4*Z*X*sin^2(A/2)),",
          "  sin C = Z*sin A / Y = 3*sin 30 / 7.55238213 = 0.1986128317",
          "    computed as C = atan2(Z*sin A, (X - Z) + 2*Z*sin^2(A/2))",
          "  B = 180 - A - C = 180 - 30 - 11.455852922 = 138.544147078"},
         ""},
        {"--explain oblique x=10 y=7 a=30",
         0,
         {"Case: two sides and an angle opposite one: law of sines",
          "  sin B = X*sin A / Y = 10*sin 30 / 7 = 0.7142857143",
          "  B = asin(0.7142857143) = 45.584691403 or B = 180 - 45.584691403 = 134.415308597",
          "  Two answers: the sine gives both, and both leave a third angle above 0",
          "First answer: B = 45.584691403", "    sin C computed as sin(A + B), as C is obtuse",
          "  Z = Y*sin C / sin A = 7*sin 104.415308597 / sin 30 = 13.55923352",
          "Second answer: B = 134.415308597",
          "  C = 180 - B - A = 180 - 134.415308597 - 30 = 15.584691403",
          "    computed as C = 2*asin(sin A*(X - Y) / (2*Y*cos((45.584691403 + A)/2))),",
          "  Z = Y*sin C / sin A = 7*sin 15.584691403 / sin 30 = 3.76127455"},
         ""},
        {"--explain oblique x=7 y=10 a=30",
         0,
         {"  One answer: the larger leaves no third angle (180 - 159.512684885 - 30 = "
          "-9.512684885)"},
         ""},
        {"--explain oblique x=10 y=5 a=30",
         0,
         {"  B = asin(1) = 90: one answer, with its right angle at B"},
         ""},
        // A tiny figure keeps its digits; a second triangle beyond the doubles is no answer.
        {"--explain oblique x=1.00000001e-150 y=1e-150 a=30",
         0,
         {"  sin B = X*sin A / Y = 1.00000001e-150*sin 30 / 1e-150 = 0.500000005",
          "  One answer: the triangle with B = 149.999999669 has a figure beyond the range of the "
          "doubles",
          "  Z = Y*sin C / sin A = 1e-150*sin 119.999999669 / sin 30 = 1.732050813e-150"},
         ""},
        {"--explain oblique y=10 a=40 b=60",
         0,
         {"Case: two angles and a side: angle sum and law of sines",
          "  C = 180 - B - A = 180 - 60 - 40 = 80",
          "  X = Y*sin B / sin A = 10*sin 60 / sin 40 = 13.47296355",
          "  Z = Y*sin C / sin A = 10*sin 80 / sin 40 = 15.32088886"},
         ""},
        {"--explain right y=5 a=30",
         0,
         {"Case: a leg and an angle: right-triangle relations",
          "  sin A = Y / Z, so Z = Y / sin A = 5 / sin 30 = 10",
          "  tan A = Y / X, so X = Y / tan A = 5 / tan 30 = 8.66025404",
          "  B = 90 - A = 90 - 30 = 60"},
         ""},
        {"--explain oblique x=1 y=1 z=5", 1, {}, "CAN NOT DO IT !"},
        {"--explain --json right x=3 y=4",
         2,
         {},
         "--json excludes --explain (solvara --help lists the options)"},
        // Drawings: a file an answer, the second with -2 before the extension (checked below).
        {"--svg " + d + "right.svg right x=4 y=3 --png " + d + "right.png",
         0,
         {"           Z = Length of angle  = 5.0"},
         ""},
        {"oblique --png " + d + "two x=10 y=7 a=30 --svg " + d + "two.svg",
         0,
         {"           Z = Length of angle  = 3.76127455"},
         ""},
        {"--svg " + d + "none.svg oblique x=1 y=1 z=5", 1, {}, "CAN NOT DO IT !"},
        {"--svg " + d + "no/such.svg right x=4 y=3",
         1,
         {"           Z = Length of angle  = 5.0"},
         "cannot write " + d + "no/such.svg: No such file or directory"},
        {"--png " + d + "lines.png -",
         2,
         {},
         "-: --svg and --png draw the problem on the command line"},
    };
    for (const auto& row : table) {
        const RunResult r = run("solve " + row.line);
        EXPECT_EQ(r.status, row.status) << row.line;
        EXPECT_EQ(r.err, row.err.empty() ? "" : "solvara: " + row.err + "\n") << row.line;
        const std::vector<std::string> lines = linesOf(r.out);
        if (row.out.empty()) {
            EXPECT_EQ(r.out, "") << row.line;
        }
        for (const std::string& expected : row.out)
            EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end())
                << row.line << " lacks [" << expected << "] in:\n"
                << r.out;
    }
    // The explanation follows the page after a blank line.
    EXPECT_EQ(run("solve --explain right x=3 y=4").out,
              std::string(kRightThreeFour) +
                  "\n"
                  "Case: two legs: Pythagoras\n"
                  "  C = 90, the right angle: X and Y are the legs, Z the hypotenuse\n"
                  "  Z^2 = X^2 + Y^2, so Z = sqrt(3^2 + 4^2) = 5\n"
                  "  tan B = X / Y = 3 / 4 = 0.75, so B = atan(0.75) = 36.869897646\n"
                  "  A = 90 - B = 90 - 36.869897646 = 53.13010235\n");
    // The two answers of a side-side-angle problem: two pages of 17 lines and a blank line; with
    // --more each page is followed by the twelve figures and a blank line.
    const RunResult two = run("solve oblique x=10 y=7 a=30");
    EXPECT_EQ(linesOf(two.out).size(), 35u);
    EXPECT_EQ(linesOf(two.out)[17], "");
    EXPECT_EQ(linesOf(two.out)[20], "           Solvara");
    const std::vector<std::string> more = linesOf(run("solve --more oblique x=10 y=7 a=30").out);
    ASSERT_EQ(more.size(), 61u);
    EXPECT_EQ(more[17], "           Perimeter            = 30.55923352");
    EXPECT_EQ(more[28], "           Circumradius         = 7.0");
    EXPECT_EQ(more[29], "");
    EXPECT_EQ(more[33], "           Solvara");

    // The SVGs are XML whose closed path runs A, C, B with the sides' lengths in the answer's
    // ratios, inside the picture; a square marks a right angle (a path more than the triangle and
    // its six letters). The PNGs are four times the screen's frame, with something drawn.
    const struct {
        const char* file;
        std::string problem;  // none for a PNG
        int answer;
        int paths;
    } drawings[] = {
        {"right.svg", "right x=4 y=3", 1, 8},
        {"two.svg", "oblique x=10 y=7 a=30", 1, 7},
        {"two-2.svg", "oblique x=10 y=7 a=30", 2, 7},
        {"right.png", "", 0, 0},
        {"two", "", 0, 0},
        {"two-2", "", 0, 0},
    };
    for (const auto& row : drawings) {
        SCOPED_TRACE(row.file);
        const std::string file = d + row.file;
        if (row.problem.empty()) {
            EXPECT_EQ(pngSize(file), (std::array<int, 2>{1156, 984}));
            EXPECT_GT(std::atoi(commandOutput("identify -format %k " + file).c_str()), 2);
            continue;
        }
        EXPECT_EQ(commandOutput("xmllint --noout " + file + " && echo well-formed"),
                  "well-formed\n");
        const SvgDrawing svg = readSvgDrawing(file);
        EXPECT_EQ(svg.paths, row.paths);
        ASSERT_EQ(svg.corners.size(), 3u);
        const ProblemOutcome outcome = solveProblem(readProblemLine(row.problem).problem);
        const Triangle& t = row.answer == 1 ? outcome.first.triangle : outcome.second->triangle;
        const auto [a, c, b] = std::tie(svg.corners[0], svg.corners[1], svg.corners[2]);
        auto length = [](std::array<double, 2> p, std::array<double, 2> q) {
            return std::hypot(p[0] - q[0], p[1] - q[1]);
        };
        const double scale = length(a, c) / t.x;
        EXPECT_NEAR(length(c, b) / t.y, scale, scale * 1e-4);
        EXPECT_NEAR(length(b, a) / t.z, scale, scale * 1e-4);
        for (const auto& p : svg.corners)
            EXPECT_TRUE(p[0] > 0 && p[0] < 578 && p[1] > 0 && p[1] < 492) << p[0] << ", " << p[1];
    }
    // As on the screen, where this A is at (410, 255): twice as far from the frame's corner
    // pixel (350, 35), less its half.
    EXPECT_EQ(readSvgDrawing(d + "right.svg").corners.at(0), (std::array<double, 2>{121, 441}));
    EXPECT_FALSE(fs::exists(d + "none.svg"));
    fs::remove_all(dir);
}

// An answer as JSON with the solver's own doubles.
Json answerJson(const ProblemAnswer& a, const SolvedCase& solvedBy) {
    const Triangle& t = a.triangle;
    const TriangleFigures& f = a.figures;
    return {{"x", t.x},
            {"y", t.y},
            {"z", t.z},
            {"a", t.a},
            {"b", t.b},
            {"c", t.c},
            {"area", a.area},
            {"height", a.heightAndWidth.height},
            {"width", a.heightAndWidth.width},
            {"perimeter", f[TriangleFigure::Perimeter]},
            {"height_x", f[TriangleFigure::HeightOntoX]},
            {"height_y", f[TriangleFigure::HeightOntoY]},
            {"height_z", f[TriangleFigure::HeightOntoZ]},
            {"median_x", f[TriangleFigure::MedianToX]},
            {"median_y", f[TriangleFigure::MedianToY]},
            {"median_z", f[TriangleFigure::MedianToZ]},
            {"bisector_a", f[TriangleFigure::BisectorOfA]},
            {"bisector_b", f[TriangleFigure::BisectorOfB]},
            {"bisector_c", f[TriangleFigure::BisectorOfC]},
            {"inradius", f[TriangleFigure::Inradius]},
            {"circumradius", f[TriangleFigure::Circumradius]},
            {"case", caseName(solvedBy.kind)}};
}

// Every number of the JSON reads back as the very double the solver made, for problems of every
// kind and size.
TEST(SolveCommandJson, NumbersReadBackAsTheSolversDoubles) {
    std::vector<std::string> lines = {"right x=1e-150 y=3e-150",       "right z=1e150 a=1e-9",
                                      "oblique x=0.1 y=0.2 z=0.29999", "right x=1e154 y=1e154",
                                      "oblique x=1 y=1 c=1e-200",      "right x=1e200 a=30"};
    std::mt19937_64 random(16);
    std::uniform_real_distribution<double> exponent(-12, 12), angle(0.5, 89.5);
    auto text = [](double value) {
        char digits[32];
        return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    };
    auto side = [&] { return text(std::pow(10.0, exponent(random))); };
    for (int i = 0; i < 300; ++i) {
        lines.push_back("right x=" + side() + " b=" + text(angle(random)));
        lines.push_back("oblique x=" + side() + " y=" + side() + " a=" + text(angle(random)));
        // Two sides and an acute angle opposite the shorter: two triangles.
        const double x = std::pow(10.0, exponent(random)), a = angle(random);
        const double y = x * std::uniform_real_distribution<double>(
                                 std::sin(a * std::numbers::pi / 180) * 1.001, 0.999)(random);
        lines.push_back("oblique x=" + text(x) + " y=" + text(y) + " a=" + text(a));
    }
    std::string input;
    for (const std::string& line : lines)
        input += line + "\n";
    const std::vector<std::string> out = linesOf(run("solve --json -", input).out);
    ASSERT_EQ(out.size(), lines.size());
    int solved = 0, two = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ProblemOutcome outcome = solveProblem(readProblemLine(lines[i]).problem);
        Json answers = Json::array();
        if (outcome.status == 0) answers.push_back(answerJson(outcome.first, outcome.solvedBy));
        if (outcome.status == 0 && outcome.second)
            answers.push_back(answerJson(*outcome.second, outcome.solvedBy));
        EXPECT_EQ(Json::parse(out[i]).at("answers"), answers) << lines[i];
        solved += outcome.status == 0;
        two += answers.size() == 2;
    }
    EXPECT_GT(solved, 600);
    EXPECT_GT(two, 250);
}

TEST(SolveCommandJson, OneObjectForAProblemOrItsError) {
    RunResult r = run("solve --json right x=3 y=4");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              R"({"mode":"right","inputs":{"x":3.0,"y":4.0},"answers":[{"x":3.0,"y":4.0,"z":5.0,)"
              R"("a":53.13010235415598,"b":36.86989764584402,"c":90.0,"area":6.0,"height":4.0,)"
              R"("width":3.0,"perimeter":12.0,"height_x":4.0,"height_y":3.0,"height_z":2.4,)"
              R"("median_x":4.272001872658765,"median_y":3.605551275463989,"median_z":2.5,)"
              R"("bisector_a":3.3541019662496843,"bisector_b":4.216370213557839,)"
              R"("bisector_c":2.4243661069253055,"inradius":1.0,"circumradius":2.5,)"
              R"("case":"two legs: Pythagoras"}],)"
              R"("error":null})"
              "\n");
    // A failure is an object on standard output too: nothing goes to standard error.
    r = run("solve --json oblique x=1 y=1 z=5");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, R"({"mode":"oblique","inputs":{"x":1.0,"y":1.0,"z":5.0},"answers":[],)"
                     R"("error":{"status":1,"message":"CAN NOT DO IT !"}})"
                     "\n");
    EXPECT_EQ(r.err, "");
}

// Standard input, handed over in chunks of every size: blank lines and comments (however long)
// skipped, each other line answered in turn whatever its bytes, the status the worst of all.
TEST(SolveCommandLines, AnswersEachLineInTurn) {
    constexpr char kGarbage[] = "oblique x=\0\xff y=2\n\xff\xfe\x01\n\0\0\0\n";
    const struct {
        std::string input;
        int worst;
        std::vector<std::pair<int, int>> answered;  // line number and status
        std::string readError = "";                 // after the input
    } table[] = {
        {"# right first\nright x=3 y=4\n\n  \t# indented\r\nright q=3 y=4\noblique x=1 y=1 z=5\r\n"
         "\t oblique   x=10\ty=7 a=30  ",  // no final line end
         2,
         {{2, 0}, {5, 2}, {6, 1}, {7, 0}}},
        {"right x=3 y=4\nright y=7 z=7\n", 1, {{1, 0}, {2, 1}}},
        {"", 0, {}},
        {"\n\n# only a comment", 0, {}},
        // A long line of blanks is an error: what was dropped of it cannot be told apart.
        {"#" + std::string(100000, 'c') + "\nright x=3 y=4" + std::string(5000, ' ') + "z=5\n" +
             std::string(kGarbage, sizeof kGarbage - 1) + std::string(10000, ' ') +
             "\nright x=3 y=4\n" + std::string(70000, 'x'),
         2,
         {{2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 2}, {7, 0}, {8, 2}}},
        // A read that fails ends the input with status 2; the line it cut short is dropped.
        {"right x=3 y=4\nright x=3 y=", 2, {{1, 0}}, "Input/output error"},
        {"", 2, {}, "Is a directory"},
    };
    for (const auto& row : table) {
        for (const std::size_t chunk : {std::size_t{1} << 20, std::size_t{4099}, std::size_t{1}}) {
            const RunResult r = run("solve --json -", row.input, chunk, row.readError);
            EXPECT_EQ(r.status, row.worst) << row.input.substr(0, 40);
            std::vector<std::pair<int, int>> answered;
            for (const std::string& line : linesOf(r.out)) {
                const Json j = Json::parse(line);  // whatever the bytes were
                answered.emplace_back(j.at("line"), j.at("error").is_null()
                                                        ? 0
                                                        : j.at("error").at("status").get<int>());
            }
            EXPECT_EQ(answered, row.answered) << row.input.substr(0, 40) << ", chunk " << chunk;
        }
    }
    const std::vector<std::string> garbage = linesOf(run("solve --json -", table[4].input).out);
    ASSERT_EQ(garbage.size(), 7u);
    EXPECT_EQ(Json::parse(garbage[0]).at("error").at("message"), "longer than 4096 bytes");
    EXPECT_EQ(Json::parse(garbage[1]).at("error").at("message"),
              "x=\\x00\\xff: not a positive number");
    EXPECT_EQ(Json::parse(garbage[2]).at("error").at("message"),
              "\\xff\\xfe\\x01: not a kind of triangle (right or oblique)");

    // As text: a heading for each line answered, the errors on standard error.
    const RunResult r = run("solve -", table[0].input);
    EXPECT_EQ(r.err,
              "solvara: line 5: q=3: not one of the letters x y z a b c d e f\n"
              "solvara: line 6: CAN NOT DO IT !\n");
    EXPECT_TRUE(r.out.starts_with(std::string("Line 2: right x=3 y=4\n") + kRightThreeFour))
        << r.out;
    EXPECT_NE(r.out.find("\nLine 7: oblique x=10 y=7 a=30\n\n\n           Solvara\n"),
              std::string::npos)
        << r.out;
    const RunResult failed = run("solve -", table[5].input, 7, table[5].readError);
    EXPECT_EQ(failed.err, "solvara: cannot read standard input: Input/output error\n");
    EXPECT_TRUE(failed.out.starts_with(std::string("Line 1: right x=3 y=4\n") + kRightThreeFour));
}

// Problems typed into the window, one at a time: the command's page shows, text for text, what
// the results screen shows, and its JSON carries the window's own doubles.
TEST(SolveCommandAgainstTheWindow, SameFiguresAsTheResultsScreen) {
    const struct {
        const char* problem;
        const char* keys;
    } table[] = {
        {"right x=3 y=4", "x3\ry4\r"},
        {"right z=10 b=60", "z10\rb60\r"},
        {"right y=5.5 d=30:15:20", "y5.5\rd301520\r"},
        {"right x=0.001 a=89.9", "x.001\ra89.9\r"},
        {"oblique x=5 y=6 z=7", "ox5\ry6\rz7\r"},
        {"oblique x=4 y=10 z=7", "ox4\ry10\rz7\r"},
        {"oblique a=40 b=60 x=12.5", "oa40\rb60\rx12.5\r"},
        {"oblique x=8 z=6 e=40d30m", "ox8\rz6\re4030\r"},
        {"oblique x=10 y=7 a=30", "ox10\ry7\ra30\r"},  // two answers
        {"oblique x=10 y=7.5 a=30", "ox10\ry7.5\ra30\r"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.problem);
        Harness h;
        h.start();
        h.type(row.keys);
        h.settle();
        ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();

        const RunResult text = run(std::string("solve ") + row.problem);
        ASSERT_EQ(text.status, 0) << text.err;
        const Json json = Json::parse(run(std::string("solve --json ") + row.problem).out);
        std::vector<std::string> page = linesOf(text.out);
        const std::size_t pageLines = row.problem[0] == 'r' ? 15 : 17;
        ASSERT_EQ(page.size(), json.at("answers").size() * (pageLines + 1) - 1);

        for (std::size_t answer = 0; answer < json.at("answers").size(); ++answer) {
            if (answer == 1) {
                h.type("s");  // the other answer
                h.settle();
                ASSERT_TRUE(h.program.results().secondOnScreen(SolveMode::Oblique)) << h.screen();
            }
            const std::size_t at = answer * (pageLines + 1);
            auto trimmed = [](std::string s) {
                s.erase(0, s.find_first_not_of(' '));
                s.erase(s.find_last_not_of(' ') + 1);
                return s;
            };
            for (int i = 0; i < 9; ++i)  // X, Y, Z, A, D, B, E, C, F on rows 20 to 28
                EXPECT_EQ(trimmed(page[at + 4 + i]), trimmed(h.text(20 + i, 39, 41)));
            auto value = [](const std::string& line) { return line.substr(line.rfind("= ") + 2); };
            EXPECT_EQ(value(page[at + 13]), value(h.drawnText(45, 280, 38)));  // area
            if (pageLines == 17) {
                EXPECT_EQ(value(page[at + 14]), value(h.drawnText(45, 250, 38)));  // height
                EXPECT_EQ(value(page[at + 15]), value(h.drawnText(45, 265, 38)));  // width
            }

            const Triangle& t =
                answer == 0 ? h.program.values().triangle : *h.program.results().secondAnswer();
            const Json& j = json.at("answers")[answer];
            const double shown[] = {t.x, t.y, t.z, t.a, t.b, t.c};
            const char* keys[] = {"x", "y", "z", "a", "b", "c"};
            for (int i = 0; i < 6; ++i)
                EXPECT_EQ(j.at(keys[i]).get<double>(), shown[i]) << keys[i];
        }
    }
}

// The built program, as a shell runs it, with `input` as standard input or another redirection.
RunResult runProgram(const std::string& environment, const std::string& arguments,
                     const std::string& input = "", const std::string& inputRedirection = "") {
    const fs::path dir = fs::temp_directory_path() / ("solvara-solve-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string redirection =
        inputRedirection.empty() ? "<" + (dir / "in").string() : inputRedirection;
    const std::string command = environment + " " + SOLVARA_BINARY_DIR "/solvara " + arguments +
                                " " + redirection + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    const int raw = std::system(command.c_str());
    auto read = [&](const char* name) {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const RunResult r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read("out"), read("err")};
    fs::remove_all(dir);
    return r;
}

// A socket where an X client looks for a display: each connection is taken, counted and closed
// at once, which ends the client's attempt.
class FakeXDisplay {
  public:
    FakeXDisplay() {
        fs::create_directories("/tmp/.X11-unix");
        for (number_ = 40000 + getpid() % 20000;; ++number_) {
            path_ = "/tmp/.X11-unix/X" + std::to_string(number_);
            if (!fs::exists(path_)) break;
        }
        fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path_.c_str(), sizeof address.sun_path - 1);
        bound_ = bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                 listen(fd_, 8) == 0;
        taker_ = std::thread([this] {
            for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; close(client))
                ++connections;
        });
    }
    ~FakeXDisplay() {
        shutdown(fd_, SHUT_RDWR);  // ends the accept
        taker_.join();
        close(fd_);
        unlink(path_.c_str());
    }
    std::string display() const { return ":" + std::to_string(number_); }
    bool bound() const { return bound_; }

    std::atomic<int> connections{0};

  private:
    int number_ = 0;
    std::string path_;
    int fd_ = -1;
    bool bound_ = false;
    std::thread taker_;
};

TEST(SolveCommandProgram, NeedsNoDisplayAndLoadsNoLibrary) {
    // No display at all; the loader lists every library it maps, also those opened later.
    RunResult r =
        runProgram("env -u DISPLAY -u WAYLAND_DISPLAY LD_DEBUG=files", "solve right x=3 y=4");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kRightThreeFour);
    EXPECT_NE(r.err.find("file=libSDL2"), std::string::npos) << "no loader listing:\n" << r.err;
    EXPECT_EQ(r.err.find("dynamically loaded"), std::string::npos) << r.err;
    for (const char* library : {"libcups", "libcairo"})
        EXPECT_EQ(r.err.find(library), std::string::npos) << library << "\n" << r.err;

    // With a display to go to, the command does not go there; the window program does.
    FakeXDisplay x;
    ASSERT_TRUE(x.bound());
    const std::string environment =
        "env -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 DISPLAY=" + x.display() + " timeout 20";
    r = runProgram(environment, "solve --json -", "right x=3 y=4\noblique x=10 y=7 a=30\n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out).size(), 2u);
    EXPECT_EQ(x.connections, 0);
    r = runProgram(environment, "");
    EXPECT_EQ(r.status, 1) << "the window program with no X server behind the socket";
    EXPECT_GT(x.connections, 0);
}

// Standard input that cannot be read, a directory or none at all, is no empty input.
TEST(SolveCommandProgram, StandardInputThatCannotBeRead) {
    for (const auto& [redirection, why] :
         {std::pair{"</", "Is a directory"}, std::pair{"<&-", "Bad file descriptor"}}) {
        const RunResult r = runProgram("", "solve --json -", "", redirection);
        EXPECT_EQ(r.status, 2) << redirection;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string("solvara: cannot read standard input: ") + why + "\n");
    }
}

}  // namespace
}  // namespace solvara
