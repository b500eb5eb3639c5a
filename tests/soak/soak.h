// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace solvara::soak {

// A random-input run of the whole program on the headless backend: a seeded generator types
// keys, clicks, drags and leaves the window; when the program ends, a new one is started and
// the run goes on. After every step the checker tests what must hold whatever the user does.
struct SoakOptions {
    std::uint64_t seed = 1;
    std::uint64_t events = 100000;
    // Progress lines every `progressEvery` events, when given.
    std::ostream* progress = nullptr;
    std::uint64_t progressEvery = 100000;
    // Number texts longer than their field fail the run; when false they are only counted.
    bool strictTextWidths = true;
};

struct SoakReport {
    bool ok = true;
    std::string failure;  // the broken invariant, the seed and the last events
    std::uint64_t seed = 0;
    std::uint64_t events = 0;               // input events delivered to a program
    std::uint64_t steps = 0;                // program steps run
    std::uint64_t programs = 0;             // programs started (1 + restarts after an exit)
    std::uint64_t virtualMs = 0;            // virtual time over all programs
    std::uint64_t resultScreens = 0;        // results screens checked
    std::uint64_t secondAnswers = 0;        // of which the second answer of an oblique triangle
    std::uint64_t prints = 0;               // print requests made on a results screen
    std::uint64_t helpScreens = 0;          // help screens shown
    std::uint64_t windowMoves = 0;          // changes of the window position
    std::uint64_t panelChecks = 0;          // values-panel draws in Right mode checked
    std::uint64_t maxStepsWithoutTime = 0;  // longest run of steps that let no time pass
    std::uint64_t longTexts = 0;            // number texts found longer than their field
    std::string firstLongText;
};

// Points the print spooler at a socket that does not exist, so that printing fails at once and
// never reaches the system's printers. Call before the first program is made.
void isolateFromSpooler();

SoakReport runSoak(const SoakOptions& options);

// One line of figures, for logs.
std::string summary(const SoakReport& report);

}  // namespace solvara::soak
