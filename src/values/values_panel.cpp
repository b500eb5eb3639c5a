// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/values_panel.h"

#include <string>

#include "platform/display/display.h"

namespace solvara {

void drawValueRows(Display& display, const TriangleValues& v) {
    const std::string blanks(panel::kValueFieldWidth, ' ');
    for (int row = panel::kFirstRow; row <= panel::kLastBlankedRow; ++row)
        display.printAt(row, panel::kValueColumn, blanks, {panel::kText});
    for (const Entry e : kAllEntries)
        display.printAt(panel::rowOf(e), panel::kLabelColumn, entryLabel(e) + v.text(e),
                        {panel::kText});
}

void drawMarkers(Display& display, const TriangleValues& v) {
    for (const bool on : {true, false}) {
        const Colour colour = on ? panel::kMarkerOn : panel::kMarkerOff;
        for (const Entry e : kAllEntries) {
            if (v.markers.on(e) == on)
                display.printAt(panel::rowOf(e), panel::kMarkerColumn,
                                std::string(1, panel::kMarkerGlyph), {colour});
        }
    }
}

void drawValuesPanel(Display& display, const TriangleValues& v) {
    drawValueRows(display, v);
    drawMarkers(display, v);
}

}  // namespace solvara
