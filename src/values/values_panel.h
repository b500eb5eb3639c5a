// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <optional>

#include "platform/display/colour.h"
#include "values/triangle_values.h"

namespace solvara {

class Display;

// The block of nine rows at the lower right of the main screen: each entry's marker, label and
// value, one row each from row 20 in the order of Entry.
namespace panel {
inline constexpr int kFirstRow = 20;
inline constexpr int kLastRow = 28;
inline constexpr int kMarkerColumn = 37;
inline constexpr int kLabelColumn = 39;
inline constexpr int kValueColumn = 62;
// The value field: columns 62 to 79 of rows 20 to 29, blanked before values are written.
inline constexpr std::size_t kValueFieldWidth = 18;
inline constexpr int kLastBlankedRow = 29;

inline constexpr Colour kText = Colour::Black;
inline constexpr Colour kMarkerOn = Colour::Green;
inline constexpr Colour kMarkerOff = Colour::LightGrey;
// The right-pointing solid triangle of code page 437.
inline constexpr char kMarkerGlyph = '\x10';

constexpr int rowOf(Entry e) {
    return kFirstRow + indexOf(e);
}
constexpr std::optional<Entry> entryOnRow(int row) {
    if (row < kFirstRow || row > kLastRow) return std::nullopt;
    return kAllEntries[static_cast<std::size_t>(row - kFirstRow)];
}
}  // namespace panel

// The values-only redraw: the field blanked, every row's label and text written. No markers.
void drawValueRows(Display& display, const TriangleValues& v);

// Every entry's marker glyph, the lit ones first in green, then the others in grey.
void drawMarkers(Display& display, const TriangleValues& v);

// The whole panel as the editors draw it after a commit: the rows and the markers.
void drawValuesPanel(Display& display, const TriangleValues& v);

}  // namespace solvara
