// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/commit.h"

#include "platform/text/number_format.h"
#include "values/dms_text.h"
#include "values/marker_rules.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

// The wait before each half of the rules.
constexpr int kRulesSettleMs = 20;

}  // namespace

void commitChange(TriangleValues& v, std::optional<Entry> selected, const Wait& wait) {
    applyMarkerRules(v, selected, wait);
    refreshTexts(v);
}

void applyMarkerRules(TriangleValues& v, std::optional<Entry> selected, const Wait& wait) {
    if (wait) wait(kRulesSettleMs);
    applySelectionMarkerRules(v, selected);
    if (wait) wait(kRulesSettleMs);
    applyEmptyEntryMarkerRules(v, selected);
}

void refreshTexts(TriangleValues& v) {
    // An empty angle shows the zero text, whatever it showed before it was emptied.
    for (const Entry angle : {Entry::A, Entry::B, Entry::C}) {
        const double degrees = v.number(angle);
        std::string& text = v.text(dmsAngleOf(angle));
        text = degrees != 0 ? toDmsText(degrees) : kZeroDms;
        text.erase(0, text.find_first_not_of(' '));
    }
    for (const Entry e : kNumberEntries)
        v.text(e) = formatMaskedToFit(v.number(e), kMask9, panel::kValueFieldWidth);
}

}  // namespace solvara
