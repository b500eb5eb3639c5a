// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/values_panel.h"

#include <string>

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "platform/window/input_devices.h"
#include "values/dms_text.h"
#include "values/marker_rules.h"

namespace solvara {

void drawValueRows(Display& display, TriangleValues& v) {
    for (const Entry angle : {Entry::A, Entry::B, Entry::C}) {
        // A zero angle keeps the text it has, which the reset and the editors make "00d 00m 00s".
        if (v.number(angle) != 0) v.text(dmsAngleOf(angle)) = toDmsText(v.number(angle));
    }
    for (const Entry e : kNumberEntries)
        v.text(e) = formatMaskedToFit(v.number(e), kMask9, panel::kValueFieldWidth);

    display.setColors(panel::kText, kBackground);
    const std::string blanks(panel::kValueFieldWidth, ' ');
    for (int row = panel::kFirstRow; row <= panel::kLastBlankedRow; ++row) {
        display.locate(row, panel::kValueColumn);
        display.print(blanks, false);
    }
    for (const Entry e : kAllEntries) {
        std::string& text = v.text(e);
        if (isDmsAngle(e)) text.erase(0, text.find_first_not_of(' '));
        display.locate(panel::rowOf(e), panel::kLabelColumn);
        display.print(entryLabel(e), false);
        display.print(text, false);
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

void drawValuesPanel(Display& display, InputDevices& input, TriangleValues& v) {
    input.pause(20);
    applySelectionMarkerRules(v);
    input.pause(20);
    applyEmptyEntryMarkerRules(v);
    drawValueRows(display, v);
    drawMarkers(display, v, false);
    display.setColors(panel::kText, kBackground);
}

}  // namespace solvara
