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
    // An empty angle shows the zero text, whatever it showed before it was emptied.
    for (const Entry angle : {Entry::A, Entry::B, Entry::C}) {
        const double degrees = v.number(angle);
        v.text(dmsAngleOf(angle)) = degrees != 0 ? toDmsText(degrees) : kZeroDms;
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
