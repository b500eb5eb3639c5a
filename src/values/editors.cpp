// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/editors.h"

#include <string>

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "platform/window/input_devices.h"
#include "values/dms_text.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

// The left-pointing solid triangle of code page 437, after the text being typed.
constexpr const char* kCursorMark = "\x11";
// The text being typed, in blue.
constexpr Colour kTypingColour = Colour::Blue;

bool rubsOut(Key key) {
    // The left arrow and a capital K both rub out like Backspace.
    return key == keys::kBackspace || key == keys::kLeft || key == Key::character('K');
}

// The comma is the decimal separator of most of the world's keyboards (and of their keypads), so
// it types the point as "." does.
bool typesPoint(Key key) {
    return key == Key::character('.') || key == Key::character(',');
}

// Blanks `width` cells of the entry's value field and leaves the cursor at its start.
void blankField(Display& display, Entry e, int width) {
    display.locate(panel::rowOf(e), panel::kValueColumn);
    display.print(std::string(static_cast<std::size_t>(width), ' '), false);
    display.locate(panel::rowOf(e), panel::kValueColumn);
}

// Throws away a committed angle of 180 or more.
EditOutcome rejectAngle(Display& display, TriangleValues& v) {
    const Entry angle = decimalAngleOf(*v.selected);
    v.number(angle) = 0;
    v.text(dmsAngleOf(angle)) = kZeroDms;
    v.editText.clear();
    blankField(display, *v.selected, 12);
    return EditOutcome::BackToMainScreen;
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

DecimalEditor::DecimalEditor(Display& display, InputDevices& input, TriangleValues& values)
    : display_(display), input_(input), v_(values) {}

void DecimalEditor::start() {
    const Entry e = *v_.selected;
    display_.setColors(panel::kText, kBackground);
    input_.pause(20);
    v_.markers.set(e, true);
    // The field shows 17 characters with the cursor mark after the text.
    v_.editText = formatMaskedToFit(v_.number(e), kMask8, panel::kValueFieldWidth - 2);
    drawValuesPanel(display_, input_, v_);

    display_.setColors(kTypingColour, kBackground);
    blankField(display_, e, 17);
    if (parseNumber(v_.editText) == 0) v_.editText.clear();
    display_.print(v_.editText + kCursorMark, false);
    display_.setColors(panel::kText, kBackground);
}

EditOutcome DecimalEditor::cycle() {
    input_.pause(40);
    (void)input_.readPointer();  // a click made while editing does nothing
    const Key key = input_.readKey();
    input_.pause(10);
    if (!key) return EditOutcome::Editing;

    if (key == keys::kEnter) return commit(parseNumber(v_.editText));
    if (rubsOut(key)) {
        if (!v_.editText.empty()) v_.editText.pop_back();
    } else if (v_.editText.size() > 10) {
        return EditOutcome::Editing;  // eleven characters at most
    } else if (key.isDigit()) {
        v_.editText += static_cast<char>(key.character());
    } else if (typesPoint(key)) {
        v_.editText += '.';
    } else {
        return key == Key::character('@') ? EditOutcome::PlaceHome : EditOutcome::Editing;
    }
    update();
    return EditOutcome::Editing;
}

EditOutcome DecimalEditor::commit(double typed) {
    const Entry e = *v_.selected;
    if (typed > 0) {
        input_.pause(20);
        v_.number(e) = typed;
        if (isDecimalAngle(e) && typed >= kAngleLimitDeg) return rejectAngle(display_, v_);
        return EditOutcome::Committed;
    }
    // Enter on nothing: the entry is left as it was and deselected.
    v_.editText = "0.0";
    blankField(display_, e, 17);
    display_.print(v_.editText, false);
    v_.selected.reset();
    return EditOutcome::Cleared;
}

void DecimalEditor::update() {
    const Entry e = *v_.selected;
    const double typed = parseNumber(v_.editText);
    // Right mode shows the complement of the angle being typed in the other angle's row until
    // the panel below puts the committed one back.
    if (v_.solveMode == SolveMode::Right && (e == Entry::A || e == Entry::B) && v_.markers.on(e)) {
        const Entry other = e == Entry::A ? Entry::B : Entry::A;
        v_.number(other) = 90 - typed;
        // Up to 22 characters ("-1.000000082740371e-10"): written with fewer digits when it
        // would pass the 18 columns the panel blanks, so that no digit is left behind at column
        // 80 and none wraps onto the next row.
        blankField(display_, other, 17);
        display_.print(plainNumberTextToFit(v_.number(other), panel::kValueFieldWidth), false);
        for (const Entry dms : {dmsAngleOf(other), dmsAngleOf(e)}) {
            v_.text(dms) = kZeroDms;
            blankField(display_, dms, 17);
            display_.print(v_.text(dms), false);
        }
    }
    // Rubbing the text out empties the entry at once.
    if (v_.editText.empty() && v_.markers.on(e)) {
        v_.markers.set(e, false);
        v_.number(e) = 0;
    }
    if (v_.number(e) == 0) {
        v_.markers.set(e, false);
        v_.markers.set(dmsAngleOf(e), false);
    }
    drawValuesPanel(display_, input_, v_);
    blankField(display_, e, 17);
    display_.print(v_.editText + kCursorMark, false);
}

DmsEditor::DmsEditor(Display& display, InputDevices& input, TriangleValues& values)
    : display_(display), input_(input), v_(values) {}

void DmsEditor::start() {
    display_.setColors(panel::kText, kBackground);
    drawValuesPanel(display_, input_, v_);
    v_.editText = kZeroDms;
    cursorColumn_ = kSlots[0].column;
    display_.locate(panel::rowOf(*v_.selected), cursorColumn_);
    display_.print(kCursorMark, false);
}

EditOutcome DmsEditor::cycle() {
    input_.pause(20);
    (void)input_.readPointer();  // a click made while editing does nothing
    const Key key = input_.readKey();
    if (!key) return EditOutcome::Editing;
    const Entry e = *v_.selected;

    if (key == keys::kEnter) {
        // Enter on the untouched template does nothing.
        if (v_.editText == kZeroDms) return EditOutcome::Editing;
        const Entry angle = decimalAngleOf(e);
        v_.text(e) = v_.editText;
        v_.number(angle) = fromDmsTemplate(v_.editText);
        if (v_.number(angle) >= kAngleLimitDeg) return rejectAngle(display_, v_);
        return EditOutcome::Committed;
    }
    if (rubsOut(key)) {
        if (cursorColumn_ == kSlots[0].column) {
            v_.editText.clear();
            return EditOutcome::BackToMainScreen;
        }
        // Zero the last digit typed and everything after it, and step back one digit.
        const std::string zero = kZeroDms;
        for (const TemplateSlot& slot : kSlots) {
            if (slot.next != cursorColumn_) continue;
            v_.editText = v_.editText.substr(0, slot.position) + zero.substr(slot.position);
            cursorColumn_ = slot.column;
            break;
        }
    } else if (key.isDigit()) {
        for (const TemplateSlot& slot : kSlots) {
            if (slot.column != cursorColumn_) continue;
            v_.editText[static_cast<std::size_t>(slot.position)] =
                static_cast<char>(key.character());
            cursorColumn_ = slot.next;
            break;
        }
    } else if (key == keys::kEscape) {
        input_.pause(200);
        return EditOutcome::BackToMainScreen;
    } else {
        return key == Key::character('@') ? EditOutcome::PlaceHome : EditOutcome::Editing;
    }
    blankField(display_, e, 16);
    display_.print(v_.editText, false);
    display_.locate(panel::rowOf(e), cursorColumn_);
    display_.print(kCursorMark, false);
    return EditOutcome::Editing;
}

}  // namespace solvara
