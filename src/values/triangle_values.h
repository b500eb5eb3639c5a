// SPDX-License-Identifier: GPL-2.0-or-later
// The values room: the one record of the triangle that entry, solving and every screen share,
// the marker rules and the commit that applies them, the angle texts, the two editors and the
// values panel.
#pragma once

#include <array>
#include <string>

#include "values/answer_texts.h"
#include "values/entry.h"
#include "values/triangle.h"

namespace solvara {

// Zero angle, and the template the degrees/minutes/seconds editor types into.
inline constexpr const char* kZeroDms = "00d 00m 00s";

// Every entry empty: no numbers, and the zero angle in D, E and F.
inline AnswerTexts emptyTexts() {
    AnswerTexts t;
    t.d = t.e = t.f = kZeroDms;
    return t;
}

// One on/off marker per entry: a marked entry is an input when its number is given.
class Markers {
  public:
    bool on(Entry e) const { return on_[static_cast<std::size_t>(indexOf(e))]; }
    void set(Entry e, bool on) { on_[static_cast<std::size_t>(indexOf(e))] = on; }
    friend bool operator==(const Markers&, const Markers&) = default;

  private:
    std::array<bool, 9> on_{};
};

// The record of the triangle: its numbers, which of them are inputs, the mode and the texts the
// values panel shows of them. What is being typed belongs to the editors, what the results screen
// shows to the results screen.
struct TriangleValues {
    SolveMode solveMode = SolveMode::Right;

    // The entries' numbers; 0 means an empty entry.
    Triangle triangle;
    // The entries' texts as the values panel shows them, made afresh at every commit.
    AnswerTexts texts = emptyTexts();
    Markers markers;

    // The number of X, Y, Z, A, B, C; D, E and F stand for their angles.
    double& number(Entry e);
    double number(Entry e) const;
    std::string& text(Entry e) { return texts.of(e); }
    const std::string& text(Entry e) const { return texts.of(e); }

    // The markers of the six numbers.
    Marks marks() const;

    // Clears numbers, texts and markers; keeps the mode.
    void reset();
};

}  // namespace solvara
