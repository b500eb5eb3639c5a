// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/marker_rules.h"

#include <array>

namespace solvara {

namespace {

// One Right-mode limiting rule: with `selected` selected and marked, and both `on1` and `on2`
// marked, `off` is unmarked. The rules keep a right triangle to two inputs.
struct LimitRule {
    Entry selected;
    Entry on1;
    Entry on2;
    Entry off;
};

using enum Entry;

// Tried in this order, each on the markers as the rules before it left them.
constexpr std::array<LimitRule, 21> kRightLimitRules{{
    {X, Z, B, Z},  // 1
    {X, Y, B, Y},  // 2
    {Y, X, B, X},  // 3
    {Y, Z, B, Z},  // 4
    {Z, Y, B, Y},  // 5
    {Z, X, B, X},  // 6
    {X, Y, A, Y},  // 7
    {X, Z, A, Z},  // 8
    {Y, Z, A, Z},  // 9
    {Y, X, A, X},  // 10
    {Z, X, A, X},  // 11
    {Z, Y, A, Y},  // 12
    {B, Y, Z, Z},  // 13
    {B, X, Z, X},  // 14
    {B, X, Y, Y},  // 15
    {A, Y, Z, Z},  // 16
    {A, X, Z, X},  // 17
    {A, X, Y, Y},  // 18
    {X, Y, Z, Z},  // 19
    {Y, X, Z, X},  // 20
    {Z, X, Y, Y},  // 21
}};

}  // namespace

void applySelectionMarkerRules(TriangleValues& v, std::optional<Entry> selected) {
    if (!selected) return;
    const Entry s = *selected;
    Markers& m = v.markers;

    // The selection is an input; a degrees/minutes/seconds entry marks its decimal angle.
    if (isDmsAngle(s)) m.set(s, false);
    m.set(decimalAngleOf(s), true);

    if (v.solveMode != SolveMode::Right) return;

    // A right triangle takes one angle at most: the one being typed replaces the other.
    if (s == A || s == D) m.set(B, false);
    if (s == B || s == E) m.set(A, false);

    for (const LimitRule& rule : kRightLimitRules) {
        if (s == rule.selected && m.on(rule.selected) && m.on(rule.on1) && m.on(rule.on2))
            m.set(rule.off, false);
    }
}

void applyEmptyEntryMarkerRules(TriangleValues& v, std::optional<Entry> selected) {
    // A selected entry that is still empty is not an input. A degrees/minutes/seconds selection
    // is not tested here: its decimal angle stays marked even while it is zero.
    if (selected && !isDmsAngle(*selected) && v.number(*selected) == 0) unmarkEmptied(v, *selected);

    if (v.solveMode != SolveMode::Right) return;
    Triangle& t = v.triangle;
    t.c = 90;
    if (v.markers.on(A)) t.b = 90 - t.a;
    if (v.markers.on(B)) t.a = 90 - t.b;
}

void toggleMarker(TriangleValues& v, Entry e) {
    if (isDmsAngle(e)) return;  // D, E and F have no marker of their own
    if (e == C && v.solveMode == SolveMode::Right) return;  // C is always 90 there
    if (v.markers.on(e)) {
        v.markers.set(e, false);
    } else if (v.number(e) != 0) {
        v.markers.set(e, true);
    }
}

void markSelected(TriangleValues& v, Entry e) {
    v.markers.set(e, true);
}

void unmarkEmptied(TriangleValues& v, Entry e) {
    v.markers.set(e, false);
    v.markers.set(dmsAngleOf(e), false);
}

int countInputs(const TriangleValues& v) {
    int count = 0;
    for (const Entry e : kNumberEntries) {
        if (v.markers.on(e) && v.number(e) > 0) ++count;
    }
    return count;
}

void completeRightAngles(TriangleValues& v) {
    Triangle& t = v.triangle;
    if (t.b == 0 && t.a > 0 && t.a <= 90) t.b = 90 - t.a;
    if (t.a == 0 && t.b > 0 && t.b <= 90) t.a = 90 - t.b;
}

void alignWithMode(TriangleValues& v) {
    if (v.solveMode == SolveMode::Right) {
        completeRightAngles(v);
        v.triangle.c = 90;
    } else if (v.triangle.c == 0 || (v.triangle.c == 90 && !v.markers.on(C))) {
        // A right angle that is no input of the user's is not an oblique input either; one
        // typed into C (or F) is.
        v.triangle.c = 0;
        v.texts.f = kZeroDms;
    }
}

void setSolveMode(TriangleValues& v, SolveMode mode) {
    // Right mode's C is always the fixed 90, never an input: an oblique triangle starts
    // without it, whatever C's marker says.
    if (v.solveMode == SolveMode::Right && mode == SolveMode::Oblique) {
        v.triangle.c = 0;
        v.texts.f = kZeroDms;
    }
    v.solveMode = mode;
}

bool enoughInputsToSolve(SolveMode mode, int inputs) {
    return inputs == 0 || inputs >= inputsNeeded(mode);
}

bool readyToSolve(TriangleValues& v) {
    const int inputs = countInputs(v);
    if (v.solveMode == SolveMode::Right) completeRightAngles(v);
    return enoughInputsToSolve(v.solveMode, inputs);
}

}  // namespace solvara
