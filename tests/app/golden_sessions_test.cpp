// SPDX-License-Identifier: GPL-2.0-or-later
// Whole sessions of the real program, recorded as the list of (virtual time, hash of the page)
// at every present, and of every window move. The recordings under tests/app/golden/ are the
// program's behaviour as it was when they were made: any change to a screen's pixels or to a wait
// shows up here, as the screen (its text rows) at the first present or move that differs. A change
// that is meant is recorded again with SOLVARA_UPDATE_GOLDEN=1 and explained in its commit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/harness.h"
#include "support/private_spooler.h"

namespace solvara {
namespace {

using testing::Harness;
namespace fs = std::filesystem;

using keys::kBackspace;
using keys::kEnter;
using keys::kEscape;
constexpr Key kLeftArrow = keys::kLeft;

// FNV-1a over the pixels and the palette.
std::uint64_t pageHash(const std::uint8_t* pixels, Size size, const std::array<Rgb, 256>& palette) {
    std::uint64_t h = 1469598103934665603ull;
    auto add = [&h](std::uint8_t byte) {
        h ^= byte;
        h *= 1099511628211ull;
    };
    for (int i = 0; i < size.width * size.height; ++i)
        add(pixels[i]);
    for (const Rgb& c : palette) {
        add(c.r);
        add(c.g);
        add(c.b);
    }
    return h;
}

// The first line of a session that is not the recording's, and the screen at that moment.
struct Difference {
    std::size_t index = 0;
    std::string line;
    std::string screen;
};

// Lines of a session as the program presents pages and moves its window, compared with the
// recording (when there is one to compare with) as they come, so that the screen at the first
// line that differs can be shown.
class Recorder {
  public:
    Recorder(Harness& h, const std::vector<std::string>* recording) : recording_(recording) {
        h.backend.onPresent = [this, &h](std::uint64_t now, const std::uint8_t* pixels, Size size,
                                         const std::array<Rgb, 256>& palette) {
            std::ostringstream line;
            line << now << ' ' << std::hex << pageHash(pixels, size, palette);
            add(h, line.str());
        };
        h.backend.onMove = [this, &h](std::uint64_t now, Point p) {
            add(h,
                std::to_string(now) + " move " + std::to_string(p.x) + " " + std::to_string(p.y));
        };
    }
    std::vector<std::string> lines;
    std::optional<Difference> firstDifference;

  private:
    void add(const Harness& h, std::string line) {
        const std::size_t i = lines.size();
        if (recording_ && !firstDifference && (i >= recording_->size() || (*recording_)[i] != line))
            firstDifference = Difference{i, line, h.screen()};
        lines.push_back(std::move(line));
    }

    const std::vector<std::string>* recording_;
};

fs::path goldenFile(const std::string& name) {
    return fs::path(SOLVARA_SOURCE_DIR) / "tests/app/golden" / (name + ".txt");
}

// "a page at 1230 ms (hash 5f3a...)" for a line "1230 5f3a...", "a move to (4, 4) at 90 ms" for
// "90 move 4 4": times are the virtual clock's.
std::string describeLine(const std::string& line) {
    std::istringstream words(line);
    std::string time;
    std::string what;
    words >> time >> what;
    if (what == "move") {
        int x = 0;
        int y = 0;
        words >> x >> y;
        return "a move to (" + std::to_string(x) + ", " + std::to_string(y) + ") at " + time +
               " ms";
    }
    return "a page at " + time + " ms (hash " + what + ")";
}

// Where a session first parted from its recording, and the screen then as text rows.
std::string describeDifference(const std::string& name, const std::vector<std::string>& recording,
                               const Recorder& recorder, const Harness& h) {
    std::ostringstream out;
    out << "session \"" << name << "\" parts from its recording (tests/app/golden/" << name
        << ".txt, " << recording.size() << " lines) ";
    if (const auto& d = recorder.firstDifference) {
        out << "at line " << d->index + 1 << ": it has " << describeLine(d->line) << " where the "
            << (d->index < recording.size() ? "recording has " + describeLine(recording[d->index])
                                            : std::string("recording has ended"))
            << ".\nThe screen then:\n"
            << d->screen;
    } else {
        out << "after line " << recorder.lines.size() << ": it ended where the recording has "
            << describeLine(recording[recorder.lines.size()]) << ".\nThe screen at the end:\n"
            << h.screen();
    }
    return out.str();
}

std::vector<std::string> readRecording(const fs::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Runs a session from start to exit and compares its presents with the recording.
void checkSession(const std::string& name, const std::function<void(Harness&)>& script) {
    const fs::path file = goldenFile(name);
    const char* update = std::getenv("SOLVARA_UPDATE_GOLDEN");
    const bool recordAnew = update && *update == '1';
    const std::vector<std::string> recording =
        recordAnew ? std::vector<std::string>{} : readRecording(file);
    ASSERT_TRUE(recordAnew || !recording.empty()) << "no recording " << file;

    Harness h;
    Recorder recorder(h, recordAnew ? nullptr : &recording);
    h.start();
    script(h);
    h.settle();
    ASSERT_TRUE(h.exited()) << name << " did not end:\n" << h.screen();
    EXPECT_EQ(h.program.exitStatus(), 0);

    if (recordAnew) {
        std::ofstream out(file);
        for (const std::string& line : recorder.lines)
            out << line << '\n';
        return;
    }
    if (recorder.firstDifference || recorder.lines.size() != recording.size())
        ADD_FAILURE() << describeDifference(name, recording, recorder, h);
}

void enter(Harness& h, const std::string& keys) {
    h.type(keys);
    h.key(kEnter);
}

TEST(GoldenSession, StartAndEscape) {
    checkSession("start", [](Harness& h) {
        h.idle(500);
        h.key(kEscape);
    });
}

TEST(GoldenSession, RightSolve) {
    checkSession("right_solve", [](Harness& h) {
        enter(h, "x3");
        enter(h, "y4");
        h.idle(800);
        h.idle(200);
        h.key(kEscape);
    });
}

TEST(GoldenSession, RightSolveFromAnAngle) {
    checkSession("right_angle", [](Harness& h) {
        enter(h, "z10");
        enter(h, "b60");
        h.idle(800);
        h.type("r");
        h.idle(800);
        enter(h, "x10");
        enter(h, "a30");
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, ObliqueWithTwoAnswersAndTheSwitch) {
    checkSession("oblique_two_answers", [](Harness& h) {
        h.type("o");
        enter(h, "x10");
        enter(h, "y7");
        enter(h, "a30");
        h.idle(800);
        h.type("s");  // the second answer
        h.idle(800);
        h.type("i");  // refused while the second answer is shown
        h.idle(800);
        h.click(625, 295);  // back to the first
        h.idle(800);
        h.click(625, 295);
        h.idle(800);
        h.type("s");
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, FailureFlashAndRestart) {
    checkSession("cannot_do_it", [](Harness& h) {
        h.type("o");
        enter(h, "x10");
        enter(h, "y3");
        enter(h, "a30");
        h.idle(6000);
        h.type("r");
        enter(h, "y7");
        enter(h, "z7");
        h.idle(6000);
        h.type("o");
        enter(h, "a40");
        enter(h, "b60");
        enter(h, "c80");  // three angles: no case, a fresh start without a message
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, HelpFromBothLoops) {
    // The help screen waits inside the loop that called it, so what ends it is scripted before
    // the program runs on.
    checkSession("help", [](Harness& h) {
        h.type("h");
        h.click(600, 455);  // BACK
        h.idle(800);
        h.click(70, 230);  // HELP
        h.type("@");
        h.type("b");
        h.idle(800);
        enter(h, "x3");
        enter(h, "y4");
        h.idle(800);
        h.click(70, 230);
        h.key(kEscape);  // leaves help, not the program
        h.idle(800);
        h.type("h");
        h.moveTo(292, 312);
        h.type("B");
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, DecimalEditor) {
    checkSession("decimal_editor", [](Harness& h) {
        h.type("x12.5");
        h.key(kBackspace);
        h.type("K");
        h.key(kLeftArrow);
        h.type("7.25.5");
        h.key(kEnter);
        h.idle(800);
        h.type("y123456789012345");  // the twelfth key on is ignored
        h.key(kEnter);
        h.idle(800);
        h.type("y");
        for (int i = 0; i < 12; ++i)
            h.key(kBackspace);
        h.key(kEnter);  // empty: cleared and deselected
        h.idle(800);
        enter(h, "a40");
        h.idle(800);
        h.type("b");  // the complement follows the typing
        h.type("3");
        h.type("@");
        h.key(kEnter);
        h.idle(800);
        h.type("o");
        h.idle(800);
        enter(h, "c200");  // rejected
        h.idle(800);
        enter(h, "z");
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, DmsEditor) {
    checkSession("dms_editor", [](Harness& h) {
        h.type("o");
        h.idle(800);
        h.type("d4537");
        h.key(kBackspace);
        h.key(kEnter);
        h.idle(800);
        h.type("e");
        h.key(kEnter);  // the untouched template: ignored
        h.type("12");
        h.key(kEscape);
        h.idle(800);
        h.type("f1234567890");
        h.key(kLeftArrow);
        h.key(kEnter);
        h.idle(800);
        h.type("e");
        h.type("@");
        h.key(kBackspace);  // at the first digit: back to the main screen
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, MarkerClicks) {
    checkSession("markers", [](Harness& h) {
        enter(h, "x3");
        h.idle(800);
        h.click(292, 312);  // X's marker off
        h.idle(800);
        h.click(292, 312);  // and on again
        h.idle(800);
        h.click(292, 376);  // D: no toggle, markers redrawn
        h.idle(800);
        h.click(292, 424);  // C in Right mode: nothing
        h.idle(800);
        h.type("o");
        enter(h, "c50");
        h.idle(800);
        h.click(292, 424);
        h.idle(800);
        h.click(400, 328);  // Y's row selects Y
        h.type("8");
        h.key(kEnter);
        h.idle(800);
        h.key(kEscape);
    });
}

TEST(GoldenSession, DragAndSnaps) {
    checkSession("drag_and_snaps", [](Harness& h) {
        h.moveTo(300, 8);
        h.press();
        h.moveTo(310, 8, 40);
        h.moveTo(560, 20, 40);  // a jump of 250 across: no movement that way
        h.release(100);
        h.idle(800);
        for (const auto& [x, y] : {std::pair{136, 230}, std::pair{144, 238}, std::pair{128, 222},
                                   std::pair{128, 238}, std::pair{144, 222}})
            h.click(x, y);
        h.type("@");
        h.idle(800);
        h.click(140, 198);  // CLEAR keeps the place
        h.idle(800);
        h.click(70, 198);  // EXIT
    });
}

TEST(GoldenSession, ModesClearAndEditFromResults) {
    checkSession("results_commands", [](Harness& h) {
        enter(h, "x3");
        enter(h, "y4");
        h.idle(800);
        h.type("i");  // edit: the Edit help replaces the drawing
        h.idle(800);
        enter(h, "x6");
        h.idle(800);
        h.click(200, 230);  // EDIT button
        h.idle(800);
        h.click(290, 198);  // OBLIQUE from the main screen
        h.idle(800);
        enter(h, "z5");
        h.idle(800);
        h.type("r");
        h.idle(800);
        enter(h, "y4");
        h.idle(800);
        h.click(210, 198);  // RIGHT from the results
        h.idle(800);
        enter(h, "x3");
        h.idle(800);
        h.type("c");  // CLEAR by key from the results
        h.idle(800);
        enter(h, "x3");
        enter(h, "y4");
        h.idle(800);
        h.click(140, 198);  // CLEAR button on the results
        h.idle(800);
        h.click(620, 8);  // the title bar's close block
    });
}

TEST(GoldenSession, PrintAndPicture) {
    testing::PrivateSpooler spooler;
    if (!spooler.start()) GTEST_SKIP() << "no private spooler: " << spooler.error();
    ASSERT_TRUE(spooler.addPdfQueue("Desk", true)) << spooler.error();
    checkSession("print", [](Harness& h) {
        // The third print finds no shell to run the picture command.
        auto calls = std::make_shared<int>(0);
        Environment& env = h.environment;
        env.runCommand = [calls](const std::string&) { return ++*calls >= 3 ? -1 : 0; };
        enter(h, "x3");
        enter(h, "y4");
        h.idle(800);
        h.type("p");
        h.idle(5000);
        h.type("c");
        h.idle(800);
        h.type("o");
        enter(h, "a30");
        enter(h, "x10");
        enter(h, "y7");
        h.idle(800);
        h.type("s");
        h.idle(800);
        h.click(75, 440);  // the Print button, on the second answer
        h.type("12");      // swallowed while printing
        h.idle(5000);
        h.type("p");
        h.idle(8000);
        h.key(kEscape);
    });
}

TEST(GoldenSession, CloseRequestFromTheDesktop) {
    checkSession("close_request", [](Harness& h) {
        h.type("o");
        enter(h, "x10");
        enter(h, "y3");
        enter(h, "a30");
        // In the middle of the failure flash.
        h.backend.closeAt(h.backend.lastScriptedMs() + 2500);
    });
}

}  // namespace
}  // namespace solvara
