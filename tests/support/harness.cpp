// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/harness.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>

#include "platform/files/bmp_writer.h"
#include "values/values_panel.h"

namespace solvara::testing {

namespace {

std::filesystem::path makeTempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "solvara-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return std::filesystem::temp_directory_path();
    return pattern;
}

Environment testEnvironment(const std::filesystem::path& dir) {
    Environment env;
    env.programDirectory = dir;
    env.runCommand = [](const std::string&) { return 0; };
    return env;
}

// Glyph bit patterns to character codes; blanks and duplicates map to the lowest code that is a
// printable character where there is one.
const std::map<std::string, unsigned char>& glyphTable() {
    static const std::map<std::string, unsigned char> table = [] {
        std::map<std::string, unsigned char> t;
        auto add = [&](int code) {
            std::string bits(reinterpret_cast<const char*>(&kFont8x16[code * 16]), 16);
            t.emplace(bits, static_cast<unsigned char>(code));
        };
        for (int code = 32; code < 127; ++code)
            add(code);
        for (int code = 0; code < 256; ++code)
            add(code);
        return t;
    }();
    return table;
}

}  // namespace

Harness::Harness(Size desktop, int scale)
    : tempDir_(makeTempDir()),
      backend(desktop, scale),
      environment(testEnvironment(tempDir_)),
      program(backend, environment) {
    backend.setTimeLimit(600000);
}

Harness::~Harness() {
    std::error_code ec;
    if (tempDir_.filename().string().starts_with("solvara-test-"))
        std::filesystem::remove_all(tempDir_, ec);
}

void Harness::start() {
    step_ = program.startProgram();
    runUntil([this] { return step_ == Step::MainLoop; });
}

std::uint64_t Harness::nextTime(int spacingMs) {
    scriptTime_ = std::max(scriptTime_, backend.nowMs()) + static_cast<std::uint64_t>(spacingMs);
    return scriptTime_;
}

void Harness::type(std::string_view keys, int spacingMs) {
    for (char c : keys)
        key(Key::character(static_cast<unsigned char>(c)), spacingMs);
}

void Harness::key(Key k, int spacingMs) {
    backend.keyAt(nextTime(spacingMs), k);
}

void Harness::moveTo(int x, int y, int delayMs) {
    backend.pointerAt(nextTime(delayMs), x, y);
}

void Harness::moveOnDesktopTo(int x, int y, int delayMs) {
    backend.pointerOnDesktopAt(nextTime(delayMs), x, y);
}

void Harness::press(int buttons, int delayMs) {
    backend.buttonsAt(nextTime(delayMs), buttons);
}

void Harness::release(int delayMs) {
    backend.buttonsAt(nextTime(delayMs), 0);
}

void Harness::click(int x, int y, int buttons) {
    moveTo(x, y, 60);
    press(buttons, 60);
    release(60);
}

void Harness::leave(int delayMs) {
    backend.leaveAt(nextTime(delayMs));
}

void Harness::idle(int ms) {
    nextTime(ms);
}

bool Harness::runUntil(const std::function<bool()>& done, std::uint64_t limitMs) {
    const std::uint64_t limit = backend.nowMs() + limitMs;
    while (!done()) {
        if (step_ == Step::Exit || backend.nowMs() >= limit) return false;
        step_ = program.runStep(step_);
    }
    return true;
}

Step Harness::runFrom(Step step) {
    step_ = step;
    do {
        step_ = program.runStep(step_);
    } while (!waiting() && step_ != Step::Exit);
    return step_.step;
}

bool Harness::waiting() const {
    return waitsForInput(step_.step);
}

void Harness::settle(int quietMs) {
    auto drained = [this] {
        return backend.scriptDone() && backend.nowMs() >= scriptTime_ &&
               const_cast<Program&>(program).input().keysWaiting() == 0;
    };
    runUntil(drained);
    const std::uint64_t until = backend.nowMs() + static_cast<std::uint64_t>(quietMs);
    runUntil([&] { return backend.nowMs() >= until && drained() && waiting(); });
}

std::uint8_t Harness::pixel(int x, int y) const {
    const Display& d = const_cast<Program&>(program).display();
    return d.pixel(d.visiblePage(), x, y);
}

namespace {
// The two colours of a text cell and the bit pattern of the pixels not in the background one.
struct CellPattern {
    std::set<int> colours;
    std::string bitsFor(const Harness& h, int row, int column, int colour) const {
        std::string bits(16, '\0');
        for (int dy = 0; dy < 16; ++dy)
            for (int dx = 0; dx < 8; ++dx)
                if (h.pixel((column - 1) * 8 + dx, (row - 1) * 16 + dy) == colour)
                    bits[dy] = static_cast<char>(bits[dy] | (0x80 >> dx));
        return bits;
    }
};

CellPattern coloursOf(const Harness& h, int row, int column) {
    CellPattern p;
    for (int dy = 0; dy < 16; ++dy)
        for (int dx = 0; dx < 8; ++dx)
            p.colours.insert(h.pixel((column - 1) * 8 + dx, (row - 1) * 16 + dy));
    return p;
}
}  // namespace

std::string Harness::field(int row) const {
    std::string s = text(row, panel::kValueColumn, 80 - panel::kValueColumn + 1);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string Harness::text(int row, int column, int count) const {
    std::string out;
    const auto& table = glyphTable();
    for (int c = column; c < column + count && c <= 80; ++c) {
        const CellPattern p = coloursOf(*this, row, c);
        if (p.colours.size() == 1) {
            out += ' ';
            continue;
        }
        char found = '?';
        if (p.colours.size() == 2) {
            for (int colour : p.colours) {
                const auto it = table.find(p.bitsFor(*this, row, c, colour));
                if (it != table.end() && it->second != 32) {
                    found = static_cast<char>(it->second);
                    break;
                }
            }
        }
        out += found;
    }
    return out;
}

std::string Harness::drawnText(int x, int y, int count) const {
    constexpr std::uint8_t kBlack = 0;
    std::string out;
    for (int i = 0; i < count; ++i) {
        std::string bits(16, '\0');
        for (int dy = 0; dy < 16; ++dy)
            for (int dx = 0; dx < 8; ++dx)
                if (pixel(x + 8 * i + dx, y + dy) == kBlack)
                    bits[dy] = static_cast<char>(bits[dy] | (0x80 >> dx));
        char found = '?';
        for (int code = 32; code < 127; ++code)
            if (bits == std::string(reinterpret_cast<const char*>(&kFont8x16[code * 16]), 16)) {
                found = static_cast<char>(code);
                break;
            }
        out += found;
    }
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string Harness::row(int row) const {
    return text(row, 1, 80);
}

int Harness::textColour(int row, int column) const {
    const CellPattern p = coloursOf(*this, row, column);
    if (p.colours.size() != 2) return -1;
    const auto& table = glyphTable();
    for (int colour : p.colours)
        if (table.count(p.bitsFor(*this, row, column, colour))) return colour;
    return -1;
}

std::string Harness::screen() const {
    std::string out;
    for (int r = 1; r <= 30; ++r) {
        std::string line = row(r);
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        out += (r < 10 ? " " : "") + std::to_string(r) + "|" + line + "\n";
    }
    return out;
}

void Harness::dump(const std::filesystem::path& path) const {
    Display& d = const_cast<Program&>(program).display();
    (void)BmpWriter::savePage(d, d.visiblePage(), path.string());
}

}  // namespace solvara::testing
