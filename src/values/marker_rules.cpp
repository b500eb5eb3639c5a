// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/marker_rules.h"

#include <array>

namespace solvara {

namespace {

bool isEntry(EntryId id) {
    return id >= entry::kFirst && id <= entry::kLast;
}

// One Right-mode limiting rule: with `selected` selected and marked, and both `on1` and `on2`
// marked, `off` is unmarked. The rules keep a right triangle to two inputs.
struct LimitRule {
    EntryId selected;
    EntryId on1;
    EntryId on2;
    EntryId off;
};

using namespace entry;

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

void applySelectionMarkerRules(TriangleValues& v) {
    const EntryId s = v.selectedEntry;
    if (!isEntry(s)) return;

    // The selection is an input; a degrees/minutes/seconds entry marks its decimal angle.
    if (isDmsAngle(s)) v.setMarker(s, false);
    v.setMarker(decimalAngleOf(s), true);

    if (v.solveMode != SolveMode::Right) return;

    // A right triangle takes one angle at most: the one being typed replaces the other.
    if (s == A || s == D) v.setMarker(B, false);
    if (s == B || s == E) v.setMarker(A, false);

    for (const LimitRule& rule : kRightLimitRules) {
        if (s == rule.selected && v.markerOn(rule.selected) && v.markerOn(rule.on1) &&
            v.markerOn(rule.on2)) {
            v.setMarker(rule.off, false);
        }
    }
}

void applyEmptyEntryMarkerRules(TriangleValues& v) {
    const EntryId s = v.selectedEntry;
    // A selected entry that is still empty is not an input. A degrees/minutes/seconds selection
    // is not tested here: its decimal angle stays marked even while it is zero.
    if (isSide(s) || isDecimalAngle(s)) {
        if (v.number(s) == 0) {
            v.setMarker(s, false);
            if (isDecimalAngle(s)) v.setMarker(dmsAngleOf(s), false);
        }
    }

    if (v.solveMode != SolveMode::Right) return;
    v.c = 90;
    if (v.markerOn(A)) v.b = 90 - v.a;
    if (v.markerOn(B)) v.a = 90 - v.b;
}

void toggleMarker(TriangleValues& v, EntryId row) {
    if (!(isSide(row) || isDecimalAngle(row))) return;  // D, E and F have no marker of their own
    if (row == C && v.solveMode == SolveMode::Right) return;  // C is always 90 there
    if (v.markerOn(row)) {
        v.setMarker(row, false);
    } else if (v.number(row) != 0) {
        v.setMarker(row, true);
    }
}

void selectEntry(TriangleValues& v, EntryId id) {
    if (!isEntry(id)) return;
    v.selectedEntry = id;
    v.setMarker(id, true);
}

int countInputs(TriangleValues& v) {
    int count = 0;
    for (const EntryId id : {X, Y, Z, A, B, C}) {
        if (v.markerOn(id) && v.number(id) > 0) ++count;
    }
    v.inputCount = count;
    return count;
}

void completeRightAngles(TriangleValues& v) {
    if (v.b == 0 && v.a > 0 && v.a <= 90) v.b = 90 - v.a;
    if (v.a == 0 && v.b > 0 && v.b <= 90) v.a = 90 - v.b;
}

void alignWithMode(TriangleValues& v) {
    if (v.solveMode == SolveMode::Right) {
        completeRightAngles(v);
        v.c = 90;
    } else if (v.c == 0 || v.c == 90) {
        // A right angle left over from Right mode is not an oblique input.
        v.c = 0;
        v.fText = kZeroDms;
    }
}

bool enoughInputsToSolve(const TriangleValues& v) {
    if (v.inputCount == 1) return false;
    if (v.inputCount == 2 && v.solveMode == SolveMode::Oblique) return false;
    // Zero inputs go on to the solver, which finds no case and starts afresh.
    return true;
}

}  // namespace solvara
