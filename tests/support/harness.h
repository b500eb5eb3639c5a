// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "app/program.h"
#include "support/scripted_backend.h"

namespace solvara::testing {

// Runs the real program on the headless backend: a script of keys and pointer events on a
// virtual clock, and read-back of the visible page as pixels and as text cells.
class Harness {
    // First, so that it exists before the program that is given it.
    std::filesystem::path tempDir_;

  public:
    // `scale`: how many times the window enlarges the page (pointer scripts stay in page pixels).
    explicit Harness(Size desktop = Size{1920, 1080}, int scale = 1);
    ~Harness();

    ScriptedBackend backend;
    // Where the program saves its picture (a directory of the harness's own) and how it runs
    // the picture command (it succeeds without running anything); tests may change either.
    Environment environment;
    Program program;

    // Starts the program and runs it until the main loop waits for input.
    void start();

    // Script. Events follow one another `spacingMs` apart, after the last scripted one.
    void type(std::string_view keys, int spacingMs = 60);  // "\r" is Enter, "\b" Backspace
    void key(Key key, int spacingMs = 60);
    void moveTo(int x, int y, int delayMs = 30);
    // The pointer to a place on the desktop (desktop pixels), wherever the window then is.
    void moveOnDesktopTo(int x, int y, int delayMs = 30);
    void press(int buttons = 1, int delayMs = 30);
    void release(int delayMs = 30);
    void click(int x, int y, int buttons = 1);  // move, press, release, 60 ms apart
    void leave(int delayMs = 30);
    void idle(int ms);  // nothing happens for `ms` (the next event waits)

    // Runs steps until `done` holds (tested between steps), the program exits or `limitMs` of
    // virtual time pass. Returns whether `done` held.
    bool runUntil(const std::function<bool()>& done, std::uint64_t limitMs = 120000);
    // Runs until every scripted event was delivered and every key read, and then until the
    // program has waited `quietMs` more and sits in a loop waiting for input.
    void settle(int quietMs = 300);
    // Whether the program sits in a loop cycle that waits for input.
    bool waiting() const;
    // Runs the program on from `step` (a solve, a results screen, ...) until it waits for input
    // or exits, and returns the step it waits in.
    Step runFrom(Step step);

    Step step() const { return step_.step; }
    bool exited() const { return step_ == Step::Exit; }
    std::uint64_t now() { return backend.nowMs(); }

    // Visible page read-back.
    std::uint8_t pixel(int x, int y) const;
    // Row `row` (1..30) as 80 characters matched against the font: a cell of one colour reads
    // as a blank, a cell that matches no glyph as '?'. Marker glyphs read as '\x10' and '\x11'.
    std::string row(int row) const;
    // `count` characters of `row` from `column` (both from 1).
    std::string text(int row, int column, int count) const;
    // The value field of an entry's row, blanks at the end removed.
    std::string field(int row) const;
    // `count` characters of black text drawn at pixel (x, y), off the cell grid (the result lines
    // under the drawing), read glyph by glyph; trailing blanks removed, '?' for no glyph.
    std::string drawnText(int x, int y, int count) const;
    // The colour of the set pixels of a text cell, or -1 for a cell of one colour.
    int textColour(int row, int column) const;
    // The whole visible screen as 30 lines, for failure messages.
    std::string screen() const;

    // Writes the visible page as a BMP picture, for looking at a failing screen.
    void dump(const std::filesystem::path& path) const;

    // A fresh temporary directory for this harness, removed with it.
    const std::filesystem::path& tempDir() const { return tempDir_; }

  private:
    std::uint64_t nextTime(int spacingMs);

    Next step_ = Step::Restart;
    std::uint64_t scriptTime_ = 0;
};

}  // namespace solvara::testing
