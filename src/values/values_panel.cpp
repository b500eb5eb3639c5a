// SPDX-License-Identifier: GPL-2.0-or-later
#include <string>

#include "app/program.h"
#include "platform/text/number_format.h"
#include "values/dms_text.h"
#include "values/marker_rules.h"

namespace solvara {

namespace {

void trimLeadingBlanks(std::string& text) {
    text.erase(0, text.find_first_not_of(' '));
}

}  // namespace

void Program::applyMarkerRules() {
    applySelectionMarkerRules(values_);
    input_.pause(20);
    applyEmptyEntryMarkerRules(values_);
}

void Program::drawValueRows() {
    TriangleValues& v = values_;
    if (v.a != 0) v.dText = toDmsText(v.a, v.aParts, v.aTenthsText);
    if (v.b != 0) v.eText = toDmsText(v.b, v.bParts, v.bTenthsText);
    if (v.c != 0) v.fText = toDmsText(v.c, v.cParts, v.cTenthsText);
    for (const EntryId id : {entry::X, entry::Y, entry::Z, entry::A, entry::B, entry::C})
        v.text(id) = formatMaskedToFit(v.number(id), kMask9, kValueFieldWidth);

    display_.setColors(0, kBackgroundColour);
    const std::string blanks(18, ' ');
    for (int row = 20; row <= 29; ++row) {
        display_.locate(row, 62);
        display_.print(blanks, false);
    }
    for (EntryId id = entry::kFirst; id <= entry::kLast; ++id) {
        if (isDmsAngle(id)) trimLeadingBlanks(v.text(id));
        display_.locate(id, 39);
        display_.print(entryLabel(id), false);
        display_.print(v.text(id), false);
    }
}

void Program::drawValuesPanel() {
    input_.pause(20);
    applyMarkerRules();
    drawValueRows();
    for (const bool on : {true, false}) {
        display_.setColors(on ? 2 : 7, kBackgroundColour);
        for (EntryId id = entry::kFirst; id <= entry::kLast; ++id) {
            if (values_.markerOn(id) != on) continue;
            display_.locate(id, 37);
            display_.print("\x10", false);
        }
    }
    display_.setColors(0, kBackgroundColour);
}

}  // namespace solvara
