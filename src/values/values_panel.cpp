// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/values_panel.h"

#include <string>

#include "platform/display/display.h"

namespace solvara {

void drawValueRows(Display& display, const TriangleValues& v) {
    display.setColors(panel::kText, kBackground);
    const std::string blanks(panel::kValueFieldWidth, ' ');
    for (int row = panel::kFirstRow; row <= panel::kLastBlankedRow; ++row) {
        display.locate(row, panel::kValueColumn);
        display.print(blanks, false);
    }
    for (const Entry e : kAllEntries) {
        display.locate(panel::rowOf(e), panel::kLabelColumn);
        display.print(entryLabel(e), false);
        display.print(v.text(e), false);
    }
}

void drawMarkers(Display& display, const TriangleValues& v, bool lineBreak) {
    for (const bool on : {true, false}) {
        display.setColors(on ? panel::kMarkerOn : panel::kMarkerOff, kBackground);
        for (const Entry e : kAllEntries) {
            if (v.markers.on(e) != on) continue;
            display.locate(panel::rowOf(e), panel::kMarkerColumn);
            display.print(std::string(1, panel::kMarkerGlyph), lineBreak);
        }
    }
}

void drawValuesPanel(Display& display, const TriangleValues& v) {
    drawValueRows(display, v);
    drawMarkers(display, v, false);
    display.setColors(panel::kText, kBackground);
}

}  // namespace solvara
