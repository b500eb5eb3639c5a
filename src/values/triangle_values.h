// SPDX-License-Identifier: GPL-2.0-or-later
// The values room: the one record of the triangle that entry, solving and every screen share,
// the marker rules, the angle texts, the two editors and the values panel.
#pragma once

#include <array>
#include <optional>
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

struct TriangleValues {
    SolveMode solveMode = SolveMode::Right;

    // The entries' numbers; 0 means an empty entry.
    Triangle triangle;
    // The entries' texts as last shown, and the area text of the first answer.
    AnswerTexts texts = emptyTexts();
    Markers markers;

    // The entry being edited, and the text typed for it.
    std::optional<Entry> selected;
    std::string editText;

    // The height and width texts of the triangle drawn last (either answer).
    std::string heightText;
    std::string widthText;

    // The second triangle of a side-side-angle input, while it is on offer.
    std::optional<Triangle> secondAnswer;
    // The results screen shows the second answer (or will, at the next solve that has one).
    bool secondAnswerShown = false;
    // Editing is refused while the second answer is on the results screen.
    bool editBlocked = false;

    // The number of X, Y, Z, A, B, C; D, E and F stand for their angles.
    double& number(Entry e);
    double number(Entry e) const;
    std::string& text(Entry e) { return texts.of(e); }
    const std::string& text(Entry e) const { return texts.of(e); }

    // Which answer the results screen has on it: the second only in Oblique mode, while one is
    // on offer and chosen.
    bool secondAnswerOnScreen() const {
        return solveMode == SolveMode::Oblique && secondAnswer && secondAnswerShown;
    }
    // The markers of the six numbers.
    Marks marks() const;

    // Clears numbers, texts, markers, the selection and the second answer; keeps the mode.
    void reset();
};

}  // namespace solvara
