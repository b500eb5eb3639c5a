// SPDX-License-Identifier: GPL-2.0-or-later
#include <cups/cups.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/harness.h"
#include "support/private_spooler.h"

namespace solvara {
namespace {

using solvara::shellQuoted;
using testing::commandOutput;
using testing::Harness;
using testing::PrivateSpooler;
using testing::ScopedEnv;
using testing::words;
namespace fs = std::filesystem;

constexpr const char* kNotReady = " Printer Not Ready!      ";
constexpr const char* kDeadSpooler = "/nonexistent/solvara/cups.sock";

// Row 28 and row 29 of the screen each time the program waited, with the virtual time.
struct Frame {
    std::uint64_t ms = 0;
    std::string message;  // row 28, columns 15..34
    int messageColour = -1;
    std::string notReady;  // row 29, columns 17..41
    int notReadyColour = -1;
};

class Printing {
  public:
    explicit Printing(Harness& h) : h_(h) {
        Environment& env = h.environment;
        env.runCommand = [this](const std::string& command) {
            commands.push_back(command);
            commandTimes.push_back(h_.now());
            return runner ? runner(command) : 0;
        };
        h.backend.onWait = [this](std::uint64_t now) {
            frames.push_back({now, h_.text(28, 15, 20), h_.textColour(28, 15), h_.text(29, 17, 25),
                              h_.textColour(29, 18)});
        };
    }
    ~Printing() { h_.backend.onWait = nullptr; }

    void setDirectory(const fs::path& dir) {
        Environment& env = h_.environment;
        env.programDirectory = dir;
    }

    // Presses P on the results screen and runs until the results loop waits again. Returns the
    // real time the print took; the program's own pauses cost none on the virtual clock.
    double print() {
        frames.clear();
        h_.type("p");
        const auto start = std::chrono::steady_clock::now();
        h_.settle();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    // How long (virtual ms) a text was shown, and when it first appeared; 0 when never.
    std::uint64_t shownFor(const std::string Frame::*field, const std::string& text,
                           std::uint64_t* from = nullptr) const {
        std::uint64_t first = 0, last = 0;
        for (const Frame& f : frames)
            if (f.*field == text) {
                if (!first) first = f.ms;
                last = f.ms;
            }
        if (from) *from = first;
        return first ? last - first : 0;
    }
    int colourOf(const std::string Frame::*field, const std::string& text,
                 int Frame::*colour) const {
        for (const Frame& f : frames)
            if (f.*field == text) return f.*colour;
        return -1;
    }

    std::vector<std::string> commands;
    std::vector<std::uint64_t> commandTimes;
    std::function<int(const std::string&)> runner;
    std::vector<Frame> frames;

  private:
    Harness& h_;
};

std::vector<std::string> pdfLines(const fs::path& pdf) {
    std::vector<std::string> lines;
    std::istringstream in(commandOutput("pdftotext -layout " + shellQuoted(pdf.string()) + " -"));
    for (std::string line; std::getline(in, line);)
        if (!words(line).empty()) lines.push_back(words(line));
    return lines;
}

// The lines a print of the answer on screen must carry, blank lines left out.
std::vector<std::string> expectedLines(const std::vector<std::string>& texts, bool oblique) {
    static const char* labels[] = {
        "X = Length =",          "Y = Height =",          "Z = Length of angle =",
        "A = Angle A decimal =", "D = Angle A degrees =", "B = Angle B decimal =",
        "E = Angle B degrees =", "C = Angle C decimal =", "F = Angle C degrees =",
        "Area of Triangle =",    "Triangle Height =",     "Triangle Width ="};
    std::vector<std::string> lines = {"Solvara"};
    for (std::size_t i = 0; i < texts.size() && i < (oblique ? 12u : 10u); ++i)
        lines.push_back(std::string(labels[i]) + " " + words(texts[i]));
    return lines;
}

// The texts of the answer on the results screen, in the printed order.
std::vector<std::string> shownTexts(const ResultsScreen& screen, const AnswerTexts& t) {
    return {t.x,
            t.y,
            t.z,
            t.a,
            t.d,
            t.b,
            t.e,
            t.c,
            t.f,
            t.area,
            screen.lines().height,
            screen.lines().width};
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The palette index of a screen pixel in a saved 643 x 483 picture (rows stored bottom-up).
int pictureIndex(const std::string& bmp, int x, int y) {
    return static_cast<unsigned char>(bmp[1078 + (482 - y) * 644 + x]);
}

// Whether the cells of row 28 from column 15 hold green text in the picture.
bool greenMessageIn(const std::string& bmp) {
    int green = 0;
    for (int y = 27 * 16; y < 28 * 16; ++y)
        for (int x = 14 * 8; x < 34 * 8; ++x)
            green += pictureIndex(bmp, x, y) == 2;
    return green > 100;
}

void solveRight(Harness& h) {
    h.start();
    h.type("x3\r");
    h.type("y4\r");
    h.settle();
}

void solveSideSideAngle(Harness& h) {
    h.start();
    h.type("o");
    h.type("x10\r");
    h.type("y7\r");
    h.type("a30\r");
    h.settle();
}

class PrintingSpooler : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(spooler.start()) << spooler.error();
        ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
    }

    // The PDF of the job printed last, once the spooler has finished it.
    std::vector<std::string> lastJobLines(std::size_t jobsExpected) {
        const auto jobs = spooler.jobs();
        EXPECT_EQ(jobs.size(), jobsExpected);
        if (jobs.empty()) return {};
        const auto done = spooler.waitForJob(jobs.back().id);
        EXPECT_TRUE(done.has_value()) << spooler.log();
        EXPECT_EQ(done->title, "Solvara");
        EXPECT_EQ(done->format, "application/pdf");
        return pdfLines(spooler.outputPdf("Desk"));
    }

    PrivateSpooler spooler;
};

TEST_F(PrintingSpooler, RightTriangleEndToEnd) {
    Harness h;
    Printing p(h);
    solveRight(h);
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();
    const double seconds = p.print();
    RecordProperty("print_seconds", std::to_string(seconds));
    std::cout << "one print, end to end without the program's pauses: " << seconds << " s\n";
    EXPECT_LT(seconds, 3.0);

    const auto lines = lastJobLines(1);
    EXPECT_EQ(lines, expectedLines(
                         shownTexts(h.program.results(), h.program.results().firstTexts()), false));
    EXPECT_EQ(lines.size(), 11u) << "15 lines, four of them empty";
    const std::string fonts =
        commandOutput("pdffonts " + shellQuoted(spooler.outputPdf("Desk").string()));
    EXPECT_NE(fonts.find("Mono"), std::string::npos) << fonts;

    // Then the picture, the command, and back to the results loop with nothing reported.
    const fs::path picture = h.tempDir() / "Solvara.bmp";
    EXPECT_EQ(fs::file_size(picture), 312130u);
    ASSERT_EQ(p.commands.size(), 1u);
    EXPECT_EQ(p.commands[0], "pr '" + picture.string() + "'");
    EXPECT_EQ(p.shownFor(&Frame::notReady, kNotReady), 0u);
    EXPECT_EQ(h.step(), Step::ResultsCycle);
    EXPECT_EQ(h.text(28, 7, 7), " Print ");
}

TEST_F(PrintingSpooler, ObliqueTrianglesPrintTheAnswerOnScreen) {
    Harness h;
    Printing p(h);
    solveSideSideAngle(h);
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();
    p.print();
    const auto first = lastJobLines(1);
    EXPECT_EQ(first, expectedLines(
                         shownTexts(h.program.results(), h.program.results().firstTexts()), true));
    EXPECT_EQ(first.size(), 13u) << "17 lines, four of them empty";

    h.type("s");
    h.settle();
    ASSERT_TRUE(h.program.results().secondChosen());
    const auto warpsBefore = h.backend.warps().size();
    p.print();
    const ResultsScreen& screen = h.program.results();
    const auto second = lastJobLines(2);
    EXPECT_EQ(second, expectedLines(shownTexts(screen, screen.secondTexts()), true));
    EXPECT_EQ(second[3], "Z = Length of angle = 3.76127455");
    EXPECT_EQ(second[10], "Area of Triangle = 9.40318638");
    EXPECT_EQ(second[11], "Triangle Height = 1.88063728");
    // The pointer goes to the middle of the window first.
    ASSERT_GT(h.backend.warps().size(), warpsBefore);
    EXPECT_EQ(h.backend.warps()[warpsBefore], (Point{320, 240}));
}

TEST_F(PrintingSpooler, AShellThatCannotStartIsReported) {
    Harness h;
    Printing p(h);
    p.runner = [](const std::string& command) {
        return Environment::runThroughShell(command, "/nonexistent/solvara/sh");
    };
    solveRight(h);
    p.print();
    ASSERT_EQ(p.commands.size(), 1u);
    std::uint64_t savedAt = 0, notReadyAt = 0;
    EXPECT_NEAR(p.shownFor(&Frame::message, "SAVED AS Solvara.bmp", &savedAt), 2000, 60);
    EXPECT_NEAR(p.shownFor(&Frame::notReady, kNotReady, &notReadyAt), 3000, 60);
    EXPECT_GE(notReadyAt, savedAt + 2000) << "after the picture message has gone";
    EXPECT_EQ(p.colourOf(&Frame::notReady, kNotReady, &Frame::notReadyColour), 12);
    EXPECT_EQ(h.text(29, 17, 25), std::string(25, ' '));
    EXPECT_EQ(h.step(), Step::ResultsCycle);
    EXPECT_EQ(h.text(28, 7, 7), " Print ");
    EXPECT_EQ(h.text(15, 24, 4), "EDIT");
    EXPECT_EQ(lastJobLines(1).size(), 11u) << "the page was printed all the same";
}

TEST(PrintingRefused, ADocumentTheSpoolerRefusesIsReportedAndWithdrawn) {
    PrivateSpooler spooler;
    spooler.requestBodyLimitBytes = 2000;  // takes the job, not its document
    ASSERT_TRUE(spooler.start()) << spooler.error();
    ASSERT_TRUE(spooler.addRawQueue("Desk", true)) << spooler.error();
    Harness h;
    Printing p(h);
    solveRight(h);
    p.print();
    ASSERT_EQ(p.commands.size(), 1u) << "the picture is saved and handed on all the same";
    std::uint64_t notReadyAt = 0;
    EXPECT_NEAR(p.shownFor(&Frame::notReady, kNotReady, &notReadyAt), 3000, 60);
    EXPECT_GT(notReadyAt, p.commandTimes[0]) << "after the picture command";
    const auto jobs = spooler.jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].state, IPP_JSTATE_CANCELED) << "none left waiting for its document";
    EXPECT_EQ(h.step(), Step::ResultsCycle);
}

TEST(PrintingPicture, SavedBesideTheProgramAndReplacedOnTheNextPrint) {
    ScopedEnv server("CUPS_SERVER", kDeadSpooler);
    Harness h;
    Printing p(h);
    solveRight(h);
    p.print();
    const fs::path picture = h.tempDir() / "Solvara.bmp";
    const std::string bmp = fileBytes(picture);
    ASSERT_EQ(bmp.size(), 312130u);
    EXPECT_TRUE(greenMessageIn(bmp));
    EXPECT_EQ(p.colourOf(&Frame::message, "SAVED AS Solvara.bmp", &Frame::messageColour), 2);
    EXPECT_EQ(h.text(28, 15, 20), std::string(20, ' ')) << "erased";

    std::ofstream(picture, std::ios::trunc) << "stale";
    p.print();
    EXPECT_EQ(fs::file_size(picture), 312130u);
    EXPECT_EQ(std::distance(fs::directory_iterator(h.tempDir()), fs::directory_iterator()), 1);
    EXPECT_EQ(p.commands.size(), 2u);
}

TEST(PrintingPicture, NoSpoolerStillSavesThePictureThenReports) {
    ScopedEnv server("CUPS_SERVER", kDeadSpooler);
    Harness h;
    Printing p(h);
    solveRight(h);
    p.print();
    EXPECT_TRUE(fs::exists(h.tempDir() / "Solvara.bmp"));
    ASSERT_EQ(p.commands.size(), 1u);
    std::uint64_t notReadyAt = 0;
    EXPECT_NEAR(p.shownFor(&Frame::notReady, kNotReady, &notReadyAt), 3000, 60);
    EXPECT_GT(notReadyAt, p.commandTimes[0]) << "after the picture command";
    EXPECT_EQ(h.step(), Step::ResultsCycle);
}

TEST(PrintingPicture, APictureThatCannotBeSavedIsReportedAndNotPrinted) {
    ScopedEnv server("CUPS_SERVER", kDeadSpooler);
    Harness h;
    solveRight(h);
    // /proc refuses new files even to root; a missing directory refuses them to anyone.
    for (const fs::path& dir : {fs::path("/proc"), h.tempDir() / "missing"}) {
        SCOPED_TRACE(dir);
        Printing p(h);
        p.setDirectory(dir);
        p.print();
        EXPECT_NEAR(p.shownFor(&Frame::message, "CAN NOT SAVE PICTURE"), 2000, 60);
        EXPECT_EQ(p.colourOf(&Frame::message, "CAN NOT SAVE PICTURE", &Frame::messageColour), 12);
        EXPECT_EQ(p.shownFor(&Frame::message, "SAVED AS Solvara.bmp"), 0u);
        EXPECT_TRUE(p.commands.empty());
        EXPECT_EQ(h.text(28, 15, 20), std::string(20, ' '));
        EXPECT_EQ(h.step(), Step::ResultsCycle);
    }
}

TEST(PrintingPicture, AnAwkwardDirectoryNameRunsOnlyThePictureCommand) {
    ScopedEnv server("CUPS_SERVER", kDeadSpooler);
    Harness h;
    const fs::path bin = h.tempDir() / "bin";
    const fs::path dir = h.tempDir() / "it's a dir; touch hacked";
    const fs::path log = h.tempDir() / "pr.log";
    fs::create_directories(bin);
    fs::create_directories(dir);
    std::ofstream(bin / "pr") << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" >> " << shellQuoted(log)
                              << "\necho some output\necho some error >&2\n";
    fs::permissions(bin / "pr", fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    ScopedEnv searchPath("PATH", bin.string() + ":" + (path ? path : "/usr/bin:/bin"));

    Printing p(h);
    p.setDirectory(dir);
    p.runner = [](const std::string& command) { return Environment::runThroughShell(command); };
    solveRight(h);
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    p.print();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "") << "the command's output is dropped";
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    EXPECT_EQ(fs::file_size(dir / "Solvara.bmp"), 312130u);
    EXPECT_EQ(fileBytes(log), "1|" + (dir / "Solvara.bmp").string() + "|");
    EXPECT_FALSE(fs::exists("hacked"));
    EXPECT_FALSE(fs::exists(dir / "hacked"));
    ASSERT_EQ(p.commands.size(), 1u);
    EXPECT_EQ(p.commands[0],
              "pr '" + h.tempDir().string() + "/it'\\''s a dir; touch hacked/Solvara.bmp'");
}

TEST(ShellCommand, StatusOfTheCommandOrMinusOneWithoutAShell) {
    EXPECT_EQ(Environment::runThroughShell("exit 3"), 3);
    EXPECT_EQ(Environment::runThroughShell("true"), 0);
    // A command that is not found is still a shell that ran.
    EXPECT_EQ(Environment::runThroughShell("no-such-command-solvara"), 127);
    EXPECT_EQ(Environment::runThroughShell("kill -TERM $$"), 128 + 15);
    EXPECT_EQ(Environment::runThroughShell("true", "/nonexistent/solvara/sh"), -1);
}

}  // namespace
}  // namespace solvara
