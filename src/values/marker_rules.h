// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include "values/triangle_values.h"

namespace solvara {

// The marker rules run in two halves with a short wait between them (the values panel makes
// that wait): the selection and the Right-mode limits first, then the empty-entry rules and
// the Right-mode angles.
void applySelectionMarkerRules(TriangleValues& v);
void applyEmptyEntryMarkerRules(TriangleValues& v);

// A click on the marker column of `row` (20..28).
void toggleMarker(TriangleValues& v, EntryId row);

// A key or click picks an entry for editing: it becomes the selection and its marker goes on.
void selectEntry(TriangleValues& v, EntryId id);

// Counts the entries among X, Y, Z, A, B, C that are marked and above zero into inputCount.
int countInputs(TriangleValues& v);

// Right mode, before solving: an empty angle is completed from the other when it lies in (0, 90].
void completeRightAngles(TriangleValues& v);

// Brings the record into line with the mode each time the main screen is drawn.
void alignWithMode(TriangleValues& v);

// Whether the input count is enough for the active mode to solve.
bool enoughInputsToSolve(const TriangleValues& v);

}  // namespace solvara
