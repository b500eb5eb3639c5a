// SPDX-License-Identifier: GPL-2.0-or-later
// The whole program in a poor environment: spoolers that are missing, empty or dumb, a program
// directory it cannot write to or whose name is hostile to a shell, and no picture-print command.
// Each case checks what the user sees and that the program goes on answering.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "support/harness.h"
#include "support/private_spooler.h"
#include "support/read_only_directory.h"

namespace solvara {
namespace {

using solvara::shellQuoted;
using testing::Harness;
using testing::PrivateSpooler;
using testing::ReadOnlyDirectory;
using testing::ScopedEnv;
using testing::SilentServer;
namespace fs = std::filesystem;

constexpr const char* kNotReadyLine = " Printer Not Ready!      ";
constexpr const char* kNoSpooler = "/nonexistent/solvara-reliability/cups.sock";

// Watches the two message places of the results screen while a print runs.
class PrintWatch {
  public:
    explicit PrintWatch(Harness& h, std::function<int(const std::string&)> runner = nullptr)
        : h_(h) {
        Environment& env = h.environment;
        env.runCommand = [this, runner](const std::string& command) {
            commands.push_back(command);
            return runner ? runner(command) : 0;
        };
        h.backend.onWait = [this](std::uint64_t now) {
            const std::string message = h_.text(28, 15, 20);
            const std::string notReady = h_.text(29, 17, 25);
            if (message == "SAVED AS Solvara.bmp") savedMs += now - last_;
            if (message == "CAN NOT SAVE PICTURE") cannotSaveMs += now - last_;
            if (notReady == kNotReadyLine) notReadyMs += now - last_;
            last_ = now;
        };
    }
    ~PrintWatch() { h_.backend.onWait = nullptr; }

    void setDirectory(const fs::path& dir) {
        Environment& env = h_.environment;
        env.programDirectory = dir;
    }

    // Presses P on the results screen and runs until the results loop waits again; returns the
    // real seconds it took (the program's own pauses cost none on the virtual clock).
    double print() {
        last_ = h_.now();
        h_.type("p");
        const auto start = std::chrono::steady_clock::now();
        h_.settle();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    std::vector<std::string> commands;
    std::uint64_t savedMs = 0;
    std::uint64_t cannotSaveMs = 0;
    std::uint64_t notReadyMs = 0;

  private:
    Harness& h_;
    std::uint64_t last_ = 0;
};

void solveRightToResults(Harness& h) {
    h.start();
    h.type("x3\ry4\r");
    h.settle();
    ASSERT_EQ(h.step(), Step::ResultsCycle) << h.screen();
}

// After whatever happened, the program still takes keys: CLEAR goes back to an empty main screen.
void expectStillAnswering(Harness& h) {
    ASSERT_FALSE(h.exited());
    h.type("c");
    h.settle();
    EXPECT_EQ(h.step(), Step::MainLoop);
    EXPECT_EQ(h.program.values().triangle.x, 0);
    EXPECT_EQ(h.text(20, 62, 3), "0.0") << h.screen();
}

TEST(BadEnvironment, SpoolerWithoutPrintersReportsPrinterNotReady) {
    PrivateSpooler spooler;  // no queue at all
    ASSERT_TRUE(spooler.start()) << spooler.error();
    Harness h;
    PrintWatch watch(h);
    solveRightToResults(h);
    const double seconds = watch.print();
    EXPECT_LT(seconds, 3.0);
    EXPECT_NEAR(watch.notReadyMs, 3000, 100);
    EXPECT_TRUE(fs::exists(h.tempDir() / "Solvara.bmp"));
    EXPECT_EQ(watch.commands.size(), 1u);
    EXPECT_TRUE(spooler.jobs().empty());
    expectStillAnswering(h);
}

TEST(BadEnvironment, SpoolerThatNeverAnswersIsGivenUpWithinSeconds) {
    SilentServer silent;
    ASSERT_TRUE(silent.ok());
    ScopedEnv server("CUPS_SERVER", silent.socket().string());
    Harness h;
    PrintWatch watch(h);
    solveRightToResults(h);
    // A key typed while the print hangs is not lost to a hung window: the results loop is back
    // and takes the next one.
    const double seconds = watch.print();
    std::cout << "print with a spooler that never answers: " << seconds << " s\n";
    EXPECT_LT(seconds, 6.0);
    EXPECT_NEAR(watch.notReadyMs, 3000, 100);
    EXPECT_EQ(h.step(), Step::ResultsCycle);
    EXPECT_EQ(h.text(28, 7, 7), " Print ");
    expectStillAnswering(h);
}

TEST(BadEnvironment, ReadOnlyProgramDirectorySaysThePictureCannotBeSaved) {
    ScopedEnv server("CUPS_SERVER", kNoSpooler);
    Harness h;
    const fs::path dir = h.tempDir() / "read-only";
    ReadOnlyDirectory readOnly(dir);
    if (!readOnly.ok()) GTEST_SKIP() << "cannot make a read-only directory here";
    PrintWatch watch(h);
    watch.setDirectory(dir);
    solveRightToResults(h);
    watch.print();
    EXPECT_NEAR(watch.cannotSaveMs, 2000, 100);
    EXPECT_EQ(watch.savedMs, 0u);
    EXPECT_TRUE(watch.commands.empty()) << "no picture, so nothing is handed to the command";
    EXPECT_FALSE(fs::exists(dir / "Solvara.bmp"));
    expectStillAnswering(h);
}

// An installed copy: the program's directory belongs to the system, so the picture goes to the
// pictures directory that user-dirs.dirs names, and the command gets that path.
TEST(BadEnvironment, ReadOnlyProgramDirectorySavesInThePicturesDirectory) {
    ScopedEnv server("CUPS_SERVER", kNoSpooler);
    Harness h;
    const fs::path dir = h.tempDir() / "read-only";
    ReadOnlyDirectory readOnly(dir);
    if (!readOnly.ok()) GTEST_SKIP() << "cannot make a read-only directory here";
    const fs::path home = h.tempDir() / "home";
    fs::create_directories(home / ".config");
    fs::create_directories(home / "Bilder");
    std::ofstream(home / ".config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
    PrintWatch watch(h);
    Environment& env = h.environment;
    env.programDirectory = dir;
    env.homeDirectory = home;
    env.configDirectory = home / ".config";
    solveRightToResults(h);
    watch.print();
    EXPECT_NEAR(watch.savedMs, 2000, 100);
    EXPECT_EQ(watch.cannotSaveMs, 0u);
    const fs::path picture = home / "Bilder" / "Solvara.bmp";
    EXPECT_EQ(fs::file_size(picture), 312130u);
    EXPECT_EQ(watch.commands, std::vector<std::string>{"pr " + shellQuoted(picture.string())});
    expectStillAnswering(h);
}

TEST(BadEnvironment, HostileDirectoryNameReachesThePictureCommandAsOneWord) {
    ScopedEnv server("CUPS_SERVER", kNoSpooler);
    Harness h;
    const fs::path bin = h.tempDir() / "bin";
    const fs::path dir = h.tempDir() / "my \"dir\" it's; $(touch pwned1) `touch pwned2` $HOME";
    const fs::path log = h.tempDir() / "pr.log";
    fs::create_directories(bin);
    fs::create_directories(dir);
    std::ofstream(bin / "pr") << "#!/bin/sh\nprintf '%s|' \"$#\" \"$@\" >> " << shellQuoted(log)
                              << "\n";
    fs::permissions(bin / "pr", fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    ScopedEnv searchPath("PATH", bin.string() + ":" + (path ? path : "/usr/bin:/bin"));

    PrintWatch watch(h, [](const std::string& c) { return Environment::runThroughShell(c); });
    watch.setDirectory(dir);
    solveRightToResults(h);
    watch.print();
    EXPECT_EQ(fs::file_size(dir / "Solvara.bmp"), 312130u);
    std::ifstream in(log);
    std::stringstream logged;
    logged << in.rdbuf();
    EXPECT_EQ(logged.str(), "1|" + (dir / "Solvara.bmp").string() + "|");
    for (const fs::path& where : {fs::current_path(), h.tempDir(), dir, bin}) {
        EXPECT_FALSE(fs::exists(where / "pwned1")) << where;
        EXPECT_FALSE(fs::exists(where / "pwned2")) << where;
    }
    expectStillAnswering(h);
}

TEST(BadEnvironment, NoPictureCommandPrintsThePageAndSavesThePicture) {
    PrivateSpooler spooler;
    ASSERT_TRUE(spooler.start()) << spooler.error();
    ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
    Harness h;
    // A search path without pr: the shell starts and finds no command (status 127).
    const fs::path empty = h.tempDir() / "empty-bin";
    fs::create_directories(empty);
    std::vector<int> statuses;
    PrintWatch watch(h, [&](const std::string& c) {
        statuses.push_back(Environment::runThroughShell(c));
        return statuses.back();
    });
    solveRightToResults(h);
    {
        ScopedEnv searchPath("PATH", empty.string());
        watch.print();
    }
    ASSERT_EQ(statuses.size(), 1u);
    EXPECT_EQ(statuses[0], 127);
    EXPECT_TRUE(fs::exists(h.tempDir() / "Solvara.bmp"));
    EXPECT_NEAR(watch.savedMs, 2000, 100);
    // Only a shell that cannot start is reported; the text page went to the printer.
    EXPECT_EQ(watch.notReadyMs, 0u);
    const auto jobs = spooler.jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_TRUE(spooler.waitForJob(jobs[0].id).has_value()) << spooler.log();
    expectStillAnswering(h);
}

}  // namespace
}  // namespace solvara
