// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <functional>
#include <optional>

#include "values/triangle_values.h"

namespace solvara {

// Lets time pass on the program's clock. The window waits before each half of the marker rules,
// as it always has; the command line has no screen to settle and passes an empty one.
using Wait = std::function<void(int ms)>;

// The one way a change reaches the record: after an entry is selected, typed into or committed,
// the marker rules for the selection run in their two halves, each after a short wait, and the
// texts are made afresh from the numbers. The screens then only draw what the record holds.
void commitChange(TriangleValues& v, std::optional<Entry> selected, const Wait& wait);

// The commit without its texts: the marker rules' two halves and their waits, all that a change
// does to the numbers and the markers. The solve command, which shows none of the texts, commits
// with this alone; making nine texts a problem would take most of its time.
void applyMarkerRules(TriangleValues& v, std::optional<Entry> selected, const Wait& wait);

// The texts from the numbers: X to C in the panel's mask, D, E and F in degrees, minutes and
// seconds (the zero text for an empty angle).
void refreshTexts(TriangleValues& v);

}  // namespace solvara
