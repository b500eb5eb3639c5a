// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>

#include "values/triangle_values.h"

namespace solvara {

// The marker rules run in two halves with a short wait between them (the commit makes that
// wait): the selection and the Right-mode limits first, then the empty-entry rules and the
// Right-mode angles. `selected` is the entry being edited, if any.
void applySelectionMarkerRules(TriangleValues& v, std::optional<Entry> selected);
void applyEmptyEntryMarkerRules(TriangleValues& v, std::optional<Entry> selected);

// A click on an entry's marker.
void toggleMarker(TriangleValues& v, Entry e);

// An entry picked for editing is an input: its marker goes on.
void markSelected(TriangleValues& v, Entry e);

// An entry left empty by its editor is no input: its marker (and its angle text's) goes off.
void unmarkEmptied(TriangleValues& v, Entry e);

// The entries among X, Y, Z, A, B, C that are marked and above zero.
int countInputs(const TriangleValues& v);

// Right mode, before solving: an empty angle is completed from the other when it lies in (0, 90].
void completeRightAngles(TriangleValues& v);

// Brings the record into line with the mode each time the main screen is drawn.
void alignWithMode(TriangleValues& v);

// The RIGHT and OBLIQUE commands: values and markers stay, but the switch from Right to Oblique
// empties Right mode's fixed C of 90.
void setSolveMode(TriangleValues& v, SolveMode mode);

// Whether that many inputs are enough for the mode to solve: inputsNeeded(mode), or more, or
// none at all, which goes on to the solver; it finds no case and starts afresh.
bool enoughInputsToSolve(SolveMode mode, int inputs);

// After a value is committed: counts the inputs (before a right triangle's empty angle is
// completed from the other), completes it, and tells whether there are enough to solve.
bool readyToSolve(TriangleValues& v);

}  // namespace solvara
