// SPDX-License-Identifier: GPL-2.0-or-later
#include "soak/soak.h"

#include <cmath>
#include <cstdlib>
#include <deque>
#include <memory>
#include <ostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/text/number_format.h"
#include "solver/solver.h"
#include "support/harness.h"
#include "values/values_panel.h"

namespace solvara::soak {

namespace {

using solvara::testing::Harness;

constexpr std::size_t kLoggedEvents = 50;
// A loop that lets no time pass for this many steps in a row spins without a pause.
constexpr std::uint64_t kMaxStepsWithoutTime = 2000;
// No single step waits this long: the longest are the help screen and the failure flash, and
// random input leaves the help screen within seconds.
constexpr std::uint64_t kMaxStepMs = 10 * 60 * 1000;

enum class Context { Main, DecimalEditor, DmsEditor, Results, Help };

const char* contextName(Context c) {
    switch (c) {
        case Context::Main:
            return "main";
        case Context::DecimalEditor:
            return "decimal editor";
        case Context::DmsEditor:
            return "dms editor";
        case Context::Results:
            return "results";
        case Context::Help:
            return "help";
    }
    return "?";
}

bool isWaitingStep(Step s) {
    return waitsForInput(s);
}

std::string keyName(int code) {
    switch (code) {
        case keys::kEnter.code():
            return "Enter";
        case keys::kBackspace.code():
            return "Backspace";
        case keys::kEscape.code():
            return "Escape";
        case keys::kLeft.code():
            return "Left";
        case keys::kRight.code():
            return "Right";
        case keys::kUp.code():
            return "Up";
        case keys::kDown.code():
            return "Down";
        default:
            break;
    }
    if (code > 255) return "ext(" + std::to_string((code - 255) / 256) + ")";
    if (code > 32 && code < 127) return std::string("'") + static_cast<char>(code) + "'";
    return "byte(" + std::to_string(code) + ")";
}

// A click target: a pixel rectangle with inclusive corners.
struct Region {
    const char* name;
    int left, top, right, bottom;
    int weight;
};

// Cells as pixel rectangles: column c covers x (c-1)*8 .. c*8-1, row r covers y (r-1)*16 ..
// r*16-1. The regions reach one pixel past the exclusive bounds, so that the edges are hit too.
constexpr Region kMainRegions[] = {
    {"close blocks", 568, 0, 639, 15, 1},
    {"EXIT", 43, 186, 100, 210, 1},
    {"CLEAR", 110, 186, 170, 210, 3},
    {"RIGHT", 180, 186, 245, 210, 4},
    {"OBLIQUE", 254, 186, 328, 210, 4},
    {"HELP", 43, 218, 100, 242, 2},
    {"widget centre", 133, 227, 140, 234, 2},
    {"widget bottom right", 141, 235, 148, 242, 2},
    {"widget top left", 125, 219, 132, 226, 2},
    {"widget bottom left", 125, 235, 132, 242, 2},
    {"widget top right", 141, 219, 148, 226, 2},
    {"value rows", 304, 304, 639, 463, 16},
    {"marker column", 288, 304, 295, 463, 12},
    {"anywhere", 0, 0, 642, 482, 10},
};

constexpr Region kResultsRegions[] = {
    {"close blocks", 568, 0, 639, 15, 1},
    {"EXIT", 43, 186, 100, 210, 1},
    {"Print", 45, 427, 105, 452, 6},
    {"CLEAR", 110, 186, 170, 210, 2},
    {"RIGHT", 180, 186, 245, 210, 2},
    {"OBLIQUE", 254, 186, 328, 210, 2},
    {"EDIT", 172, 217, 227, 243, 5},
    {"HELP", 43, 217, 100, 243, 2},
    {"Show other answer", 620, 290, 630, 300, 6},
    {"widget", 125, 219, 148, 242, 3},
    {"anywhere", 0, 0, 642, 482, 8},
};

constexpr Region kHelpRegions[] = {
    {"BACK", 569, 442, 628, 466, 10},
    {"anywhere", 0, 0, 642, 482, 6},
};

class Soak {
  public:
    explicit Soak(const SoakOptions& options) : options_(options), rng_(options.seed) {
        report_.seed = options.seed;
    }

    SoakReport run() {
        while (report_.ok && fed_ < options_.events) {
            runOneProgram();
        }
        report_.events = fed_;
        return report_;
    }

  private:
    // --- driving ----------------------------------------------------------------------------

    // A drag goes on from a press that holds the title row for as long as the left button stays
    // down, wherever the pointer goes meanwhile.
    void followDrag() {
        const PointerReading p = harness_->program.input().peekPointer();
        const bool held = p.ok && (p.buttons & PointerReading::kLeft);
        dragging_ = held && (dragging_ || onDragArea(Point{p.x, p.y}));
    }

    void runOneProgram() {
        harness_ = std::make_unique<Harness>();
        Harness& h = *harness_;
        h.backend.setTimeLimit(UINT64_MAX);
        h.backend.onWait = [this](std::uint64_t now) { onWait(now); };
        ++report_.programs;
        stepsWithoutTime_ = 0;
        lastTimeMs_ = 0;
        stepStartMs_ = 0;
        dragging_ = false;
        helpShown_ = false;

        Next next = h.program.startProgram();
        current_ = next.step;
        checkAfterStep(Step::Restart, current_);
        while (report_.ok && current_ != Step::Exit) {
            const Step before = current_;
            stepStartMs_ = h.backend.nowMs();
            stepPos_ = h.backend.windowPosition();
            const bool wasDragging = dragging_;
            followDrag();
            dragSeen_ = wasDragging || dragging_;
            next = h.program.runStep(next);
            current_ = next.step;
            ++report_.steps;
            checkAfterStep(before, current_);
        }
        if (report_.ok && current_ == Step::Exit) {
            if (!h.program.openError().empty())
                fail("the headless window did not open: " + h.program.openError());
            else if (h.program.exitStatus() != 0)
                fail("the program ended with status " + std::to_string(h.program.exitStatus()));
        }
        report_.virtualMs += h.backend.nowMs();
        h.backend.onWait = nullptr;
        harness_.reset();
    }

    void onWait(std::uint64_t now) {
        Harness& h = *harness_;
        if (!report_.ok) return;
        if (now - stepStartMs_ > kMaxStepMs) {
            fail("one step (" + std::string(stepName(current_)) + ") has waited " +
                 std::to_string(now - stepStartMs_) + " ms");
            h.program.input().requestClose();
            return;
        }
        followDrag();
        dragSeen_ = dragSeen_ || dragging_;
        const bool help = h.program.display().visiblePage() == 1;
        if (help && !helpShown_) ++report_.helpScreens;
        helpShown_ = help;
        if (h.backend.scriptDone()) {
            if (fed_ < options_.events)
                feed(now);
            else if (!h.program.input().closeRequested())
                h.program.input().requestClose();  // all fed: end the last program wherever it is
        }
    }

    Context context() {
        if (harness_->program.display().visiblePage() == 1) return Context::Help;
        switch (current_) {
            case Step::EditDecimal:
            case Step::EditDecimalKeys:
                return Context::DecimalEditor;
            case Step::EditDms:
            case Step::EditDmsKeys:
                return Context::DmsEditor;
            case Step::ResultsCycle:
            case Step::ResultsDrag:
            case Step::ResultsClick:
                return Context::Results;
            default:
                return Context::Main;
        }
    }

    // --- the generator ----------------------------------------------------------------------

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

    void logEvent(std::uint64_t at, const std::string& what) {
        std::ostringstream line;
        line << "#" << fed_ << " at " << at << " ms (" << contextName(context()) << ", "
             << stepName(current_) << "): " << what;
        log_.push_back(line.str());
        if (log_.size() > kLoggedEvents) log_.pop_front();
        ++fed_;
        if (options_.progress && fed_ % options_.progressEvery == 0)
            *options_.progress << "soak: " << fed_ << " events, " << report_.programs
                               << " programs, " << report_.resultScreens << " results screens"
                               << std::endl;
    }

    void keyAt(std::uint64_t at, int code) {
        harness_->backend.keyAt(at, Key::fromCode(code));
        logEvent(at, "key " + keyName(code));
    }
    void moveAt(std::uint64_t at, int x, int y) {
        harness_->backend.pointerAt(at, x, y);
        logEvent(at, "move " + std::to_string(x) + "," + std::to_string(y));
    }
    void buttonsAt(std::uint64_t at, int buttons) {
        harness_->backend.buttonsAt(at, buttons);
        logEvent(at, "buttons " + std::to_string(buttons));
    }
    void leaveAt(std::uint64_t at) {
        harness_->backend.leaveAt(at);
        logEvent(at, "pointer leaves");
    }
    void closeAt(std::uint64_t at) {
        harness_->backend.closeAt(at);
        logEvent(at, "desktop close request");
    }

    int anyKey() {
        static const std::vector<int> pool = [] {
            std::vector<int> p;
            for (int c = 'A'; c <= 'Z'; ++c)
                p.push_back(c);
            for (int c = 'a'; c <= 'z'; ++c)
                p.push_back(c);
            for (int c = '0'; c <= '9'; ++c)
                p.push_back(c);
            for (int c : {'.', '@', ' ', ',', '-', '+', 'K', 'k'})
                p.push_back(c);
            for (int c :
                 {keys::kEnter.code(), keys::kBackspace.code(), keys::kEscape.code(),
                  keys::kLeft.code(), keys::kRight.code(), keys::kUp.code(), keys::kDown.code()})
                p.push_back(c);
            return p;
        }();
        if (chance(0.05)) return uniform(1, 255);                        // any byte
        if (chance(0.03)) return Key::extended(uniform(0, 255)).code();  // any extended key
        return pool[static_cast<std::size_t>(uniform(0, static_cast<int>(pool.size()) - 1))];
    }

    int pick(const char* letters) {
        const int n = static_cast<int>(std::char_traits<char>::length(letters));
        return static_cast<unsigned char>(letters[uniform(0, n - 1)]);
    }

    int contextKey(Context c) {
        const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
        switch (c) {
            case Context::DecimalEditor:
                if (r < 0.45) return pick("0123456789");
                if (r < 0.57) return '.';
                if (r < 0.72) return keys::kEnter.code();
                if (r < 0.80) return keys::kBackspace.code();
                if (r < 0.83) return keys::kLeft.code();
                if (r < 0.85) return 'K';
                if (r < 0.87) return '@';
                return anyKey();
            case Context::DmsEditor:
                if (r < 0.55) return pick("0123456789");
                if (r < 0.70) return keys::kEnter.code();
                if (r < 0.78) return keys::kBackspace.code();
                if (r < 0.81) return keys::kLeft.code();
                if (r < 0.83) return keys::kEscape.code();
                if (r < 0.85) return '@';
                return anyKey();
            case Context::Results:
                if (r < 0.15) return pick("Pp");
                if (r < 0.27) return pick("Ss");
                if (r < 0.37) return pick("Ii");
                if (r < 0.41) return pick("Cc");
                if (r < 0.46) return pick("RrOo");
                if (r < 0.50) return pick("Hh");
                if (r < 0.53) return '@';
                if (r < 0.532) return keys::kEscape.code();
                return anyKey();
            case Context::Help:
                if (r < 0.15) return pick("Bb");
                if (r < 0.18) return keys::kEscape.code();
                return anyKey();
            case Context::Main:
                if (r < 0.50) return pick("XxYyZzAaDdBbEeCcFf");
                if (r < 0.56) return pick("RrOo");
                if (r < 0.58) return pick("Hh");
                if (r < 0.61) return '@';
                if (r < 0.612) return keys::kEscape.code();
                return anyKey();
        }
        return anyKey();
    }

    template <std::size_t N>
    Point pointIn(const Region (&regions)[N], std::string& name) {
        int total = 0;
        for (const Region& r : regions)
            total += r.weight;
        int w = uniform(0, total - 1);
        for (const Region& r : regions) {
            if (w < r.weight) {
                name = r.name;
                return Point{uniform(r.left, r.right), uniform(r.top, r.bottom)};
            }
            w -= r.weight;
        }
        name = "anywhere";
        return Point{uniform(0, 642), uniform(0, 482)};
    }

    int someButtons() {
        const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
        return r < 0.7 ? 1 : r < 0.9 ? 2 : 3;
    }

    void click(std::uint64_t t, Context c) {
        std::string name;
        Point p;
        if (c == Context::Help)
            p = pointIn(kHelpRegions, name);
        else if (c == Context::Results)
            p = pointIn(kResultsRegions, name);
        else
            p = pointIn(kMainRegions, name);
        if (c == Context::Results && name == std::string("Print")) ++report_.prints;
        moveAt(t, p.x, p.y);
        log_.back() += " (" + name + ")";
        t += static_cast<std::uint64_t>(uniform(0, 80));
        buttonsAt(t, someButtons());
        t += static_cast<std::uint64_t>(chance(0.1) ? uniform(400, 2000) : uniform(10, 300));
        if (chance(0.05)) {
            leaveAt(t);  // let go outside the window
            t += static_cast<std::uint64_t>(uniform(5, 200));
        }
        buttonsAt(t, 0);
    }

    void drag(std::uint64_t t) {
        // Mostly on the title row, where a drag moves the window.
        const Point p = chance(0.8) ? Point{uniform(0, 566), uniform(0, 15)}
                                    : Point{uniform(0, 642), uniform(0, 482)};
        moveAt(t, p.x, p.y);
        log_.back() += " (drag start)";
        t += static_cast<std::uint64_t>(uniform(0, 50));
        buttonsAt(t, chance(0.9) ? 1 : 3);
        int x = p.x, y = p.y;
        const int moves = uniform(1, 8);
        for (int i = 0; i < moves; ++i) {
            t += static_cast<std::uint64_t>(uniform(1, 60));
            const int reach = chance(0.15) ? 300 : 30;
            x += uniform(-reach, reach);
            y += uniform(-reach, reach);
            // A held button keeps the pointer reported beyond the window's edges.
            x = std::max(-400, std::min(1100, x));
            y = std::max(-400, std::min(900, y));
            moveAt(t, x, y);
        }
        t += static_cast<std::uint64_t>(uniform(1, 100));
        buttonsAt(t, 0);
    }

    // Schedules the next burst of input, starting a little after `now`.
    void feed(std::uint64_t now) {
        const Context c = context();
        const double gapDraw = std::uniform_real_distribution<double>(0, 1)(rng_);
        const int gap = gapDraw < 0.7    ? uniform(5, 150)
                        : gapDraw < 0.93 ? uniform(150, 600)
                                         : uniform(600, 3000);
        const std::uint64_t t = now + static_cast<std::uint64_t>(gap);
        const double r = std::uniform_real_distribution<double>(0, 1)(rng_);
        if (r < 0.58) {
            const int code = contextKey(c);
            if (c == Context::Results && (code == 'P' || code == 'p')) ++report_.prints;
            keyAt(t, code);
        } else if (r < 0.86) {
            click(t, c);
        } else if (r < 0.92) {
            drag(t);
        } else if (r < 0.96) {
            if (chance(0.5)) {
                moveAt(t, uniform(-100, 750), uniform(-100, 600));
            } else {
                leaveAt(t);
            }
        } else if (r < 0.985) {
            // A flood: many keys in the same instant; the ring keeps the newest 15.
            const int n = uniform(5, 60);
            for (int i = 0; i < n; ++i)
                keyAt(t, contextKey(c));
        } else if (r < 0.9995) {
            moveAt(t, uniform(0, 642), uniform(0, 482));  // an idle moment
        } else {
            closeAt(t);
        }
    }

    // --- the checker ------------------------------------------------------------------------

    void fail(const std::string& what) {
        if (!report_.ok) return;
        report_.ok = false;
        std::ostringstream out;
        out << "soak invariant broken: " << what << "\n  seed " << options_.seed << ", after "
            << fed_ << " events, program " << report_.programs << ", step " << stepName(current_)
            << ", virtual time " << harness_->backend.nowMs() << " ms\n  last events:\n";
        for (const std::string& line : log_)
            out << "    " << line << "\n";
        out << "  record: " << describeRecord() << "\n";
        out << "  screen:\n" << harness_->screen();
        report_.failure = out.str();
    }

    std::string describeRecord() {
        const Program& p = harness_->program;
        const TriangleValues& v = p.values();
        std::ostringstream out;
        out << (v.solveMode == SolveMode::Right ? "Right" : "Oblique") << " X "
            << plainNumberText(v.triangle.x) << " Y " << plainNumberText(v.triangle.y) << " Z "
            << plainNumberText(v.triangle.z) << " A " << plainNumberText(v.triangle.a) << " B "
            << plainNumberText(v.triangle.b) << " C " << plainNumberText(v.triangle.c)
            << "; markers";
        for (const Entry e : kAllEntries)
            if (v.markers.on(e)) out << " " << entryLabel(e)[0];
        const Editors& edit = p.editors();
        const ResultsScreen& results = p.results();
        out << "; selected " << (edit.selected() ? entryLabel(*edit.selected())[0] : '-')
            << ", edit text \"" << edit.typedText() << "\"";
        const Triangle alt = results.secondAnswer().value_or(Triangle{});
        out << "; second answer " << (results.secondOnOffer() ? "available" : "not available")
            << (results.secondChosen() ? ", shown" : "") << ": X " << plainNumberText(alt.x)
            << " Y " << plainNumberText(alt.y) << " Z " << plainNumberText(alt.z) << " A "
            << plainNumberText(alt.a) << " B " << plainNumberText(alt.b) << " C "
            << plainNumberText(alt.c) << "; window " << p.placement().windowPos.x << ","
            << p.placement().windowPos.y;
        return out.str();
    }

    // A number text too long for its field wraps onto the next row. Known and reported; counted
    // rather than failed unless the run is strict about it.
    void longText(const std::string& what) {
        if (options_.strictTextWidths) {
            fail(what);
            return;
        }
        if (report_.longTexts++ == 0) report_.firstLongText = what + " (" + describeRecord() + ")";
    }

    void checkWrap() {
        // Column 1 holds the frame; a character there is the end of a text that ran past column
        // 80 of the row above.
        Harness& h = *harness_;
        for (int row = 2; row <= 30; ++row) {
            const char c = h.text(row, 1, 1)[0];
            if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
                longText("a text ran past the grid's edge onto row " + std::to_string(row) +
                         ": \"" + std::string(1, c) + "\" at column 1");
                return;
            }
        }
    }

    void checkAfterStep(Step before, Step after) {
        Harness& h = *harness_;
        const TriangleValues& v = h.program.values();
        const std::uint64_t now = h.backend.nowMs();

        // Time: every loop waits; a run of steps that lets none pass is a loop without a pause.
        if (now == lastTimeMs_) {
            if (++stepsWithoutTime_ > kMaxStepsWithoutTime)
                fail(std::to_string(stepsWithoutTime_) + " steps without any time passing");
        } else {
            stepsWithoutTime_ = 0;
            lastTimeMs_ = now;
        }
        if (stepsWithoutTime_ > report_.maxStepsWithoutTime)
            report_.maxStepsWithoutTime = stepsWithoutTime_;

        // The window: the program's idea of its position is the desktop's, and it changes only
        // by a drag on the title row or by going to one of the placement targets.
        const Point pos = h.backend.windowPosition();
        if (after != Step::Exit && h.program.placement().windowPos != pos)
            fail("the program thinks the window is at " +
                 std::to_string(h.program.placement().windowPos.x) + "," +
                 std::to_string(h.program.placement().windowPos.y) + " but it is at " +
                 std::to_string(pos.x) + "," + std::to_string(pos.y));
        if (pos != stepPos_ && before != Step::Restart) {
            ++report_.windowMoves;
            const Program& p = h.program;
            bool target = false;
            for (const Target t : {Target::Home, Target::TopLeft, Target::TopRight,
                                   Target::BottomLeft, Target::BottomRight})
                target = target || pos == p.placement().target(t);
            if (!target && !dragSeen_)
                fail("the window moved to " + std::to_string(pos.x) + "," + std::to_string(pos.y) +
                     " without a drag or a placement");
        }

        if (before == Step::ShowResults || before == Step::ShowSecondAnswer) {
            checkResultsScreen();
            checkWrap();
        }
        if (!isWaitingStep(after)) return;
        if (after == Step::EditDecimalKeys && before == Step::EditDecimal) checkWrap();

        // What the user can see while the program waits for input.
        for (const Entry id : {Entry::D, Entry::E, Entry::F}) {
            if (v.markers.on(id))
                fail("the marker of " + std::string(entryLabel(id)).substr(0, 1) + " is on");
        }
        if (v.solveMode == SolveMode::Right && v.triangle.c != 90)
            fail("Right mode with C = " + plainNumberText(v.triangle.c));
        if (v.solveMode == SolveMode::Right &&
            (after == Step::EditDecimalKeys || after == Step::EditDmsKeys)) {
            // The editor has just drawn the values panel with its entry selected. An angle
            // selected in Right mode excludes the other one.
            ++report_.panelChecks;
            const Entry s = harness_->program.editors().selected().value_or(Entry::X);
            const bool angleSelected =
                s == Entry::A || s == Entry::B || s == Entry::D || s == Entry::E;
            if (angleSelected && v.markers.on(Entry::A) && v.markers.on(Entry::B))
                fail("Right mode, an angle selected, and both A and B marked");
        }
        checkTextWidths();
    }

    void checkTextWidths() {
        Harness& h = *harness_;
        TriangleValues& v = h.program.values();
        const Display& d = h.program.display();
        if (d.cursorRow() < 1 || d.cursorRow() > 30 || d.cursorColumn() < 1 ||
            d.cursorColumn() > 81)
            fail("the text cursor is off the grid at " + std::to_string(d.cursorRow()) + "," +
                 std::to_string(d.cursorColumn()));
        for (const Entry id : kAllEntries) {
            if (v.text(id).size() > panel::kValueFieldWidth)
                longText("the text of row " + std::to_string(panel::rowOf(id)) + " is " +
                         std::to_string(v.text(id).size()) + " characters: \"" + v.text(id) +
                         "\", longer than the value field up to the grid's edge");
        }
        // The edit text and the cursor mark after it.
        const std::string& typed = h.program.editors().typedText();
        if (typed.size() + 1 > panel::kValueFieldWidth + 1)
            longText("the edit text \"" + typed + "\" and the cursor mark run past column 80");
    }

    // The results screen has just been drawn: the answer on it must pass the solution check,
    // and each value row must show that answer's number.
    void checkResultsScreen() {
        Harness& h = *harness_;
        const TriangleValues& v = h.program.values();
        ++report_.resultScreens;
        // The same choice as the screen's: a stale "shown" flag without a second answer keeps
        // the first answer on screen.
        const ResultsScreen& results = h.program.results();
        const bool second = results.secondOnScreen(v.solveMode);
        if (second) ++report_.secondAnswers;
        TriangleValues shown;
        shown.triangle = second ? *results.secondAnswer() : v.triangle;
        if (!checkSolution(v.solveMode, shown.triangle).accepted)
            fail(std::string("the results screen shows an answer the solution check rejects: ") +
                 "X " + plainNumberText(shown.triangle.x) + ", Y " +
                 plainNumberText(shown.triangle.y) + ", Z " + plainNumberText(shown.triangle.z) +
                 ", A " + plainNumberText(shown.triangle.a) + ", B " +
                 plainNumberText(shown.triangle.b) + ", C " + plainNumberText(shown.triangle.c));
        for (const Entry id : {Entry::X, Entry::Y, Entry::Z, Entry::A, Entry::B, Entry::C}) {
            const double value = shown.number(id);
            const int row = panel::rowOf(id);
            std::string text = h.text(row, 62, static_cast<int>(panel::kValueFieldWidth));
            while (!text.empty() && text.back() == ' ')
                text.pop_back();
            if (h.text(row, 80, 1) != " ")
                longText("row " + std::to_string(row) + " of the results screen shows \"" +
                         h.text(row, 80, 1) + "\" at column 80, left by a longer text");
            const bool wellFormed =
                !text.empty() && text.find_first_not_of("0123456789.") == std::string::npos;
            const double read = parseNumber(text);
            const bool close = std::fabs(read - value) <= 1e-8 + 1e-12 * std::fabs(value);
            if (!wellFormed || !close)
                fail("row " + std::to_string(row) + " of the results screen shows \"" + text +
                     "\" for " + plainNumberText(value) + " (formatted \"" +
                     formatMaskedToFit(value, kMask8, panel::kValueFieldWidth) + "\")");
        }
    }

    SoakOptions options_;
    SoakReport report_;
    std::mt19937_64 rng_;
    std::deque<std::string> log_;
    std::uint64_t fed_ = 0;

    std::unique_ptr<Harness> harness_;
    Step current_ = Step::Restart;
    std::uint64_t stepStartMs_ = 0;
    Point stepPos_{};
    bool dragSeen_ = false;
    bool dragging_ = false;
    bool helpShown_ = false;
    std::uint64_t stepsWithoutTime_ = 0;
    std::uint64_t lastTimeMs_ = 0;
};

}  // namespace

void isolateFromSpooler() {
    // A socket path that cannot exist: the printer finds no spooler and gives up at once.
    setenv("CUPS_SERVER", "/nonexistent/solvara-soak/cups.sock", 1);
    unsetenv("PRINTER");
    unsetenv("LPDEST");
}

SoakReport runSoak(const SoakOptions& options) {
    Soak soak(options);
    SoakReport report = soak.run();
    report.events = std::min(report.events, options.events);
    return report;
}

std::string summary(const SoakReport& r) {
    std::ostringstream out;
    out << "seed " << r.seed << ": " << r.events << " events, " << r.steps << " steps, "
        << r.programs << " programs, " << r.virtualMs / 1000 << " s virtual, " << r.resultScreens
        << " results screens (" << r.secondAnswers << " second answers), " << r.prints
        << " print requests, " << r.helpScreens << " help screens, " << r.windowMoves
        << " window moves, " << r.panelChecks << " Right-mode editor checks, at most "
        << r.maxStepsWithoutTime << " steps without time passing";
    if (r.longTexts > 0)
        out << "; KNOWN FAULT: " << r.longTexts
            << " number texts too long for their field, first: " << r.firstLongText;
    return out.str();
}

}  // namespace solvara::soak
