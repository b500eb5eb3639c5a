// SPDX-License-Identifier: GPL-2.0-or-later
#include <string>

#include "app/program.h"
#include "platform/text/number_format.h"
#include "values/dms_text.h"
#include "values/marker_rules.h"

namespace solvara {

namespace {

constexpr const char* kCursorMark = "\x11";
bool isBackspace(const std::string& key) {
    // The left arrow arrives as 255 "K"; it and a plain "K" both rub out like Backspace.
    return key == "\b" || (!key.empty() && key.back() == 'K');
}

bool isDigit(const std::string& key) {
    return key.size() == 1 && key[0] > '/' && key[0] < ':';
}

// Where the next digit goes in "00d 00m 00s": the cursor column, the template position it
// replaces (from 0) and the column after it. Backspace walks the same table backwards.
struct TemplateSlot {
    int column;
    int position;
    int next;
};
constexpr TemplateSlot kSlots[] = {
    {62, 0, 63}, {63, 1, 66}, {66, 4, 67}, {67, 5, 70}, {70, 8, 71}, {71, 9, 73},
};

}  // namespace

void Program::blankField(int row, int width) {
    display_.locate(row, 62);
    display_.print(std::string(static_cast<size_t>(width), ' '), false);
    display_.locate(row, 62);
}

Step Program::rejectAngle() {
    TriangleValues& v = values_;
    const EntryId angle = decimalAngleOf(v.selectedEntry);
    v.number(angle) = 0;
    v.text(dmsAngleOf(angle)) = kZeroDms;
    v.editText.clear();
    blankField(v.selectedEntry, 12);
    return Step::MainScreen;
}

Step Program::editDecimalEntry() {
    TriangleValues& v = values_;
    display_.setColors(0, kBackgroundColour);
    v.editText.clear();
    lastKey_.clear();
    v.editColumn = 62;
    input_.pause(20);
    v.setMarker(v.selectedEntry, true);
    // The field shows 17 characters with the cursor mark after the text.
    v.editText = formatMaskedToFit(v.number(v.selectedEntry), kMask8, kValueFieldWidth - 2);
    drawValuesPanel();

    display_.setColors(1, kBackgroundColour);
    blankField(v.selectedEntry, 17);
    if (parseNumber(v.editText) == 0) v.editText.clear();
    display_.print(v.editText + kCursorMark, false);
    display_.setColors(0, kBackgroundColour);
    return Step::EditDecimalKeys;
}

Step Program::editDecimalKey() {
    TriangleValues& v = values_;
    input_.pause(40);
    input_.readPointer();  // the main loop reads the position later; the editor acts on no click
    const std::string key = input_.readKey();
    input_.pause(10);
    if (key.empty()) return Step::EditDecimalKeys;

    const double typed = parseNumber(v.editText);
    if (key == "\r") {
        if (typed > 0) {
            input_.pause(20);
            v.number(v.selectedEntry) = typed;
            if (isDecimalAngle(v.selectedEntry) && typed >= 180) return rejectAngle();
            return Step::InputCount;
        }
        // Enter on nothing: the entry is left as it was and deselected.
        v.editText = "0.0";
        lastKey_.clear();
        blankField(v.selectedEntry, 17);
        display_.print(v.editText, false);
        v.selectedEntry = entry::kNone;
        return Step::MarkerStep;
    }
    if (isBackspace(key)) {
        if (!v.editText.empty()) v.editText.pop_back();
    } else if (v.editText.size() > 10) {
        return Step::EditDecimalKeys;
    } else if (isDigit(key) || key == ".") {
        v.editText += key;
    } else {
        if (key == "@") placeWindow(homePos_);
        return Step::EditDecimalKeys;
    }
    updateDecimalEdit();
    return Step::EditDecimalKeys;
}

void Program::updateDecimalEdit() {
    TriangleValues& v = values_;
    const double typed = parseNumber(v.editText);
    // Right mode shows the complement of the angle being typed in the other angle's row until
    // the panel below puts the committed one back.
    if (v.solveMode == SolveMode::Right) {
        auto showComplement = [&](EntryId other, EntryId firstDms, EntryId secondDms) {
            v.number(other) = 90 - typed;
            // Up to 22 characters ("-1.000000082740371e-10"): written with fewer digits when
            // it would pass the 18 columns the panel blanks, so that no digit is left behind
            // at column 80 and none wraps onto the next row.
            const std::string complement = plainNumberTextToFit(v.number(other), kValueFieldWidth);
            blankField(other, 17);
            display_.print(complement, false);
            for (const EntryId dms : {firstDms, secondDms}) {
                v.text(dms) = kZeroDms;
                blankField(dms, 17);
                display_.print(v.text(dms), false);
            }
        };
        if (v.selectedEntry == entry::B && v.markerOn(entry::B))
            showComplement(entry::A, entry::D, entry::E);
        else if (v.selectedEntry == entry::A && v.markerOn(entry::A))
            showComplement(entry::B, entry::E, entry::D);
    }
    if (v.editText.empty()) {
        for (const EntryId id : {entry::X, entry::Y, entry::Z, entry::A, entry::B, entry::C}) {
            if (v.markerOn(id) && id == v.selectedEntry) {
                v.setMarker(id, false);
                v.number(id) = 0;
            }
        }
    }
    if (v.number(v.selectedEntry) == 0) {
        v.setMarker(v.selectedEntry, false);
        if (isDecimalAngle(v.selectedEntry)) v.setMarker(dmsAngleOf(v.selectedEntry), false);
    }
    drawValuesPanel();
    blankField(v.selectedEntry, 17);
    display_.print(v.editText + kCursorMark, false);
}

Step Program::editDmsEntry() {
    TriangleValues& v = values_;
    display_.setColors(0, kBackgroundColour);
    drawValuesPanel();
    v.editText = kZeroDms;
    lastKey_.clear();
    v.editColumn = 62;
    v.dmsCursorColumn = 62;
    display_.locate(v.selectedEntry, 62);
    display_.print(kCursorMark, false);
    return Step::EditDmsKeys;
}

Step Program::editDmsKey() {
    TriangleValues& v = values_;
    input_.pause(20);
    const std::string key = input_.readKey();
    if (key.empty()) return Step::EditDmsKeys;

    if (key == "\r") {
        if (v.editText == kZeroDms || !isDmsAngle(v.selectedEntry)) return Step::EditDmsKeys;
        const EntryId angle = decimalAngleOf(v.selectedEntry);
        v.text(v.selectedEntry) = v.editText;
        v.number(angle) = fromDmsTemplate(v.editText);
        if (v.number(angle) >= 180) return rejectAngle();
        return Step::InputCount;
    }
    if (isBackspace(key)) {
        if (v.dmsCursorColumn == 62) {
            v.editText.clear();
            return Step::MainScreen;
        }
        // Zero the last digit typed and everything after it, and step back one digit.
        const std::string zero = kZeroDms;
        for (const TemplateSlot& slot : kSlots) {
            if (slot.next != v.dmsCursorColumn) continue;
            v.editText = v.editText.substr(0, slot.position) + zero.substr(slot.position);
            v.dmsCursorColumn = slot.column;
            break;
        }
    } else if (isDigit(key)) {
        for (const TemplateSlot& slot : kSlots) {
            if (slot.column != v.dmsCursorColumn) continue;
            v.editText[static_cast<size_t>(slot.position)] = key[0];
            v.dmsCursorColumn = slot.next;
            break;
        }
    } else if (key == "\x1b") {
        input_.pause(200);
        return Step::MainScreen;
    } else {
        if (key == "@") placeWindow(homePos_);
        return Step::EditDmsKeys;
    }
    blankField(v.selectedEntry, 16);
    display_.print(v.editText, false);
    display_.locate(v.selectedEntry, v.dmsCursorColumn);
    display_.print(kCursorMark, false);
    return Step::EditDmsKeys;
}

Step Program::inputCount() {
    TriangleValues& v = values_;
    v.inputCount = 0;
    drawValuesPanel();
    countInputs(v);
    if (v.solveMode == SolveMode::Right) completeRightAngles(v);
    if (!enoughInputsToSolve(v)) return Step::MainScreen;
    return v.solveMode == SolveMode::Right ? solveRight() : solveOblique();
}

}  // namespace solvara
