// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/problem.h"

#include <cmath>

#include "app/options.h"
#include "platform/text/number_format.h"
#include "values/commit.h"
#include "values/dms_text.h"
#include "values/editors.h"
#include "values/marker_rules.h"
#include "values/triangle_values.h"

namespace solvara {

namespace {

constexpr std::size_t kShownWordLength = 40;

bool sameLetters(std::string_view word, std::string_view lower) {
    if (word.size() != lower.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if ((word[i] | 0x20) != lower[i]) return false;
    return true;
}

// The letters of the entries in the order of Entry.
constexpr std::string_view kLetters = "xyzadbecf";

std::optional<Entry> entryOfLetter(std::string_view letter) {
    if (letter.size() != 1) return std::nullopt;
    const std::size_t index = kLetters.find(static_cast<char>(letter.front() | 0x20));
    if (index == std::string_view::npos) return std::nullopt;
    return static_cast<Entry>(index);
}

char upperLetter(Entry e) {
    return entryLabel(e)[0];
}

const char* inputsRule(SolveMode mode) {
    return mode == SolveMode::Right ? "a right triangle takes two inputs"
                                    : "an oblique triangle takes three inputs";
}

ProblemReading failed(ProblemReading reading, std::string_view word, std::string_view why) {
    reading.error = shownWord(word) + ": ";
    reading.error += why;
    return reading;
}

// The value of a letter=value word: a positive number, an angle below 180 degrees.
std::optional<double> readValue(Entry e, std::string_view text, std::string& why) {
    const std::optional<double> value =
        isDmsAngle(e) ? parseDmsAngle(text) : parseWholeNumber(text);
    if (!value || !(*value > 0) || !std::isfinite(*value)) {
        why = isDmsAngle(e) ? "not an angle in degrees, minutes and seconds (30d15m20s or 30:15:20)"
                            : "not a positive number";
        return std::nullopt;
    }
    if (!isSide(e) && *value >= kAngleLimitDeg) {
        why = "an angle must be below 180 degrees";
        return std::nullopt;
    }
    return value;
}

// Only angles were given: no case of either mode sizes a triangle from them.
std::string noCaseReason(const Problem& problem) {
    std::string why = problem.mode == SolveMode::Right ? "no right-triangle case takes"
                                                       : "no oblique-triangle case takes";
    const std::span<const ProblemInput> given = problem.given();
    for (std::size_t i = 0; i < given.size(); ++i) {
        why += i == 0 ? " " : ", ";
        why += upperLetter(decimalAngleOf(given[i].entry));
    }
    return why + ": angles alone do not size a triangle";
}

// A figure beyond the range of the doubles: "the area is beyond the largest double (about
// 1.8e308)".
std::string outOfRangeReason(const OutOfRange& out) {
    const std::string figure = out.figure;
    return (figure.size() == 1 ? figure : "the " + figure) +
           (out.tooLarge ? " is beyond the largest double (about 1.8e308)"
                         : " is below the smallest normal double (about 2.2e-308)");
}

}  // namespace

char letterOf(Entry e) {
    return kLetters[static_cast<std::size_t>(indexOf(e))];
}

std::string shownWord(std::string_view word) {
    std::string shown;
    for (std::size_t i = 0; i < word.size() && i < kShownWordLength; ++i) {
        const auto c = static_cast<unsigned char>(word[i]);
        if (c >= 0x20 && c < 0x7f) {
            shown += static_cast<char>(c);
        } else {
            constexpr const char* kHex = "0123456789abcdef";
            shown += "\\x";
            shown += kHex[c >> 4];
            shown += kHex[c & 15];
        }
    }
    if (word.size() > kShownWordLength) shown += "...";
    return shown;
}

ProblemReading readProblem(std::span<const std::string_view> words) {
    ProblemReading reading;
    if (words.empty()) return failed(reading, "solve", "no problem given (right x=3 y=4)");

    const std::string_view modeWord = words.front();
    if (sameLetters(modeWord, "right")) {
        reading.mode = SolveMode::Right;
    } else if (sameLetters(modeWord, "oblique")) {
        reading.mode = SolveMode::Oblique;
    } else {
        return failed(reading, modeWord, "not a kind of triangle (right or oblique)");
    }
    Problem& p = reading.problem;
    p.mode = *reading.mode;
    p.modeWord = modeWord;

    for (const std::string_view word : words.subspan(1)) {
        const std::size_t equals = word.find('=');
        if (equals == std::string_view::npos)
            return failed(reading, word, "not a letter and its value (x=3)");
        const std::optional<Entry> entry = entryOfLetter(word.substr(0, equals));
        if (!entry) return failed(reading, word, "not one of the letters x y z a b c d e f");
        const Entry angle = decimalAngleOf(*entry);
        if (p.mode == SolveMode::Right && angle == Entry::C)
            return failed(reading, word, "C is the right angle of a right triangle, not an input");
        std::string why;
        const std::optional<double> value = readValue(*entry, word.substr(equals + 1), why);
        if (!value) return failed(reading, word, why);
        for (const ProblemInput& earlier : p.given())
            if (decimalAngleOf(earlier.entry) == angle)
                return failed(reading, word,
                              std::string(1, upperLetter(angle)) + " is given twice (" +
                                  shownWord(earlier.word) + ")");
        if (p.count == inputsNeeded(p.mode)) return failed(reading, word, inputsRule(p.mode));
        p.inputs[static_cast<std::size_t>(p.count++)] = ProblemInput{*entry, *value, word};
    }
    if (p.count < inputsNeeded(p.mode))
        return failed(reading, modeWord,
                      std::string(inputsRule(p.mode)) + ", " + std::to_string(p.count) + " given");
    return reading;
}

ProblemReading readProblemLine(std::string_view line) {
    // Five words at most make a problem; the sixth is kept so that a longer line is an error.
    std::array<std::string_view, 6> words;
    std::size_t count = 0;
    std::size_t at = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (count < words.size()) {
        while (at < line.size() && blank(line[at]))
            ++at;
        if (at == line.size()) break;
        const std::size_t start = at;
        while (at < line.size() && !blank(line[at]))
            ++at;
        words[count++] = line.substr(start, at - start);
    }
    return readProblem(std::span<const std::string_view>(words.data(), count));
}

ProblemOutcome solveProblem(const Problem& problem) {
    ProblemOutcome outcome;
    TriangleValues v;
    v.solveMode = problem.mode;
    const std::span<const ProblemInput> given = problem.given();
    for (std::size_t i = 0; i < given.size(); ++i) {
        // Between two entries the window is back on its main screen.
        if (i > 0) alignWithMode(v);
        // Each entry is picked and its value committed as the window commits it, with no
        // screen to wait for and no texts to show.
        const Entry e = given[i].entry;
        markSelected(v, e);
        v.number(e) = given[i].value;
        applyMarkerRules(v, e, Wait{});
    }
    // A right triangle given both A and B keeps the later one only, as the marker rules make
    // the window keep it: one input, on which the window would wait for another. None comes, and
    // the two angles alone fit no case.
    const SolveOutcome solved =
        readyToSolve(v) ? solve(problem.mode, v.triangle, v.marks()) : SolveOutcome{};
    switch (solved.kind) {
        case SolveOutcome::Kind::NoCase:
            outcome.status = kExitNoTriangle;
            outcome.error = noCaseReason(problem);
            return outcome;
        case SolveOutcome::Kind::CannotDoIt:
            outcome.status = kExitNoTriangle;
            outcome.error = "CAN NOT DO IT !";
            if (solved.outOfRange) outcome.error += ": " + outOfRangeReason(*solved.outOfRange);
            return outcome;
        case SolveOutcome::Kind::Solved:
            break;
    }
    auto answer = [&](const Triangle& t, const TriangleFigures& figures) {
        return ProblemAnswer{t, triangleArea(problem.mode, t), heightAndWidth(problem.mode, t),
                             figures};
    };
    outcome.solvedBy = solved.solvedBy;
    outcome.first = answer(solved.first, solved.firstFigures);
    if (problem.mode == SolveMode::Oblique && solved.second)
        outcome.second = answer(*solved.second, solved.secondFigures);
    return outcome;
}

}  // namespace solvara
