// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/editors.h"

#include <string>

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "platform/window/input_devices.h"
#include "values/commit.h"
#include "values/dms_text.h"
#include "values/marker_rules.h"
#include "values/values_panel.h"

namespace solvara {

namespace {

// The left-pointing solid triangle of code page 437, after the text being typed.
constexpr const char* kCursorMark = "\x11";
// The text being typed, in blue.
constexpr Colour kTypingColour = Colour::Blue;

// Cells blanked before a value is written: the typing field (17 cells, the 18th kept for
// nothing), the template and its cursor mark, and what a thrown-away angle leaves.
constexpr int kTypingFieldWidth = 17;
constexpr int kTemplateFieldWidth = 16;
constexpr int kRejectedBlankWidth = 12;

// The waits of the two editors. The decimal editor's key cycle is a poll of the keyboard with a
// short wait after it; the template editor polls alone.
constexpr int kBeforeEditMs = 20;       // before the field is shown ready for typing
constexpr int kDecimalKeyPollMs = 40;   // a cycle's wait for a key
constexpr int kAfterDecimalKeyMs = 10;  // and after it
constexpr int kBeforeCommitMs = 20;     // before a typed number is stored
constexpr int kTemplateKeyPollMs = 20;
constexpr int kAfterEscapeMs = 200;  // Escape leaves the template after this

bool rubsOut(Key key) {
    // The left arrow and a capital K both rub out like Backspace.
    return key == keys::kBackspace || key == keys::kLeft || key == Key::character('K');
}

// The comma is the decimal separator of most of the world's keyboards (and of their keypads), so
// it types the point as "." does.
bool typesPoint(Key key) {
    return key == Key::character('.') || key == Key::character(',');
}

// Blanks `width` cells of the entry's value field and writes `text` from its start.
void showInField(Display& display, Entry e, int width, std::string_view text,
                 TextColours colours = {panel::kText}) {
    display.printAt(panel::rowOf(e), panel::kValueColumn,
                    std::string(static_cast<std::size_t>(width), ' '));
    display.printAt(panel::rowOf(e), panel::kValueColumn, text, colours);
}

// Throws away a committed angle of 180 or more.
EditOutcome rejectAngle(Display& display, TriangleValues& v, EditState& edit) {
    const Entry angle = decimalAngleOf(*edit.selected);
    v.number(angle) = 0;
    v.text(dmsAngleOf(angle)) = kZeroDms;
    edit.text.clear();
    showInField(display, *edit.selected, kRejectedBlankWidth, "");
    return EditOutcome::BackToMainScreen;
}

// The commit the editors make as they start and after a key: the record brought into line with
// the selection, then the panel drawn from it.
void commitAndDraw(Display& display, InputDevices& input, TriangleValues& v, const EditState& e) {
    commitChange(v, e.selected, [&input](int ms) { input.pause(ms); });
    drawValuesPanel(display, v);
}

// The places of the digits in "00d 00m 00s", from 0, in typing order; after the last one the
// template is full and the cursor mark waits past the seconds. Backspace walks them backwards.
constexpr int kDigitPlaces[] = {0, 1, 4, 5, 8, 9};
constexpr int kTemplateFull = 11;

// The digit place after `place`, the full template after the last.
int nextPlace(int place) {
    for (std::size_t i = 0; i + 1 < std::size(kDigitPlaces); ++i)
        if (kDigitPlaces[i] == place) return kDigitPlaces[i + 1];
    return kTemplateFull;
}

}  // namespace

DecimalEditor::DecimalEditor(Display& display, InputDevices& input, TriangleValues& values,
                             EditState& edit)
    : display_(display), input_(input), v_(values), edit_(edit) {}

void DecimalEditor::start() {
    const Entry e = *edit_.selected;
    input_.pause(kBeforeEditMs);
    v_.markers.set(e, true);
    // The field shows 17 characters with the cursor mark after the text.
    edit_.text = formatMaskedToFit(v_.number(e), kMask8, panel::kValueFieldWidth - 2);
    commitAndDraw(display_, input_, v_, edit_);

    if (parseNumber(edit_.text) == 0) edit_.text.clear();
    showInField(display_, e, kTypingFieldWidth, edit_.text + kCursorMark, {kTypingColour});
}

EditOutcome DecimalEditor::cycle() {
    input_.pause(kDecimalKeyPollMs);
    (void)input_.readPointer();  // a click made while editing does nothing
    const Key key = input_.readKey();
    input_.pause(kAfterDecimalKeyMs);
    if (!key) return EditOutcome::Editing;

    if (key == keys::kEnter) return commit(parseNumber(edit_.text));
    if (rubsOut(key)) {
        if (!edit_.text.empty()) edit_.text.pop_back();
    } else if (edit_.text.size() > 10) {
        return EditOutcome::Editing;  // eleven characters at most
    } else if (key.isDigit()) {
        edit_.text += static_cast<char>(key.character());
    } else if (typesPoint(key)) {
        edit_.text += '.';
    } else {
        return key == Key::character('@') ? EditOutcome::PlaceHome : EditOutcome::Editing;
    }
    update();
    return EditOutcome::Editing;
}

EditOutcome DecimalEditor::commit(double typed) {
    const Entry e = *edit_.selected;
    if (typed > 0) {
        input_.pause(kBeforeCommitMs);
        v_.number(e) = typed;
        if (isDecimalAngle(e) && typed >= kAngleLimitDeg) return rejectAngle(display_, v_, edit_);
        return EditOutcome::Committed;
    }
    // Enter on nothing: the entry is left as it was and deselected.
    edit_.text = "0.0";
    showInField(display_, e, kTypingFieldWidth, edit_.text);
    edit_.selected.reset();
    return EditOutcome::Cleared;
}

void DecimalEditor::update() {
    const Entry e = *edit_.selected;
    const double typed = parseNumber(edit_.text);
    // Right mode shows the complement of the angle being typed in the other angle's row until
    // the panel below puts the committed one back.
    if (v_.solveMode == SolveMode::Right && (e == Entry::A || e == Entry::B) && v_.markers.on(e)) {
        const Entry other = e == Entry::A ? Entry::B : Entry::A;
        v_.number(other) = 90 - typed;
        // Up to 22 characters ("-1.000000082740371e-10"): written with fewer digits when it
        // would pass the 18 columns the panel blanks, so that no digit is left behind at column
        // 80 and none wraps onto the next row.
        showInField(display_, other, kTypingFieldWidth,
                    plainNumberTextToFit(v_.number(other), panel::kValueFieldWidth));
        for (const Entry dms : {dmsAngleOf(other), dmsAngleOf(e)}) {
            v_.text(dms) = kZeroDms;
            showInField(display_, dms, kTypingFieldWidth, v_.text(dms));
        }
    }
    // Rubbing the text out empties the entry at once.
    if (edit_.text.empty() && v_.markers.on(e)) {
        v_.markers.set(e, false);
        v_.number(e) = 0;
    }
    if (v_.number(e) == 0) {
        v_.markers.set(e, false);
        v_.markers.set(dmsAngleOf(e), false);
    }
    commitAndDraw(display_, input_, v_, edit_);
    showInField(display_, e, kTypingFieldWidth, edit_.text + kCursorMark);
}

DmsEditor::DmsEditor(Display& display, InputDevices& input, TriangleValues& values, EditState& edit)
    : display_(display), input_(input), v_(values), edit_(edit) {}

void DmsEditor::start() {
    commitAndDraw(display_, input_, v_, edit_);
    edit_.text = kZeroDms;
    cursorPlace_ = kDigitPlaces[0];
    display_.printAt(panel::rowOf(*edit_.selected), panel::kValueColumn + cursorPlace_,
                     kCursorMark);
}

EditOutcome DmsEditor::cycle() {
    input_.pause(kTemplateKeyPollMs);
    (void)input_.readPointer();  // a click made while editing does nothing
    const Key key = input_.readKey();
    if (!key) return EditOutcome::Editing;
    const Entry e = *edit_.selected;

    if (key == keys::kEnter) {
        // Enter on the untouched template does nothing.
        if (edit_.text == kZeroDms) return EditOutcome::Editing;
        const Entry angle = decimalAngleOf(e);
        v_.text(e) = edit_.text;
        v_.number(angle) = fromDmsTemplate(edit_.text);
        if (v_.number(angle) >= kAngleLimitDeg) return rejectAngle(display_, v_, edit_);
        return EditOutcome::Committed;
    }
    if (rubsOut(key)) {
        if (cursorPlace_ == kDigitPlaces[0]) {
            edit_.text.clear();
            return EditOutcome::BackToMainScreen;
        }
        // Zero the last digit typed and everything after it, and step back one digit.
        for (const int place : kDigitPlaces) {
            if (nextPlace(place) != cursorPlace_) continue;
            edit_.text = edit_.text.substr(0, static_cast<std::size_t>(place)) +
                         std::string(kZeroDms).substr(static_cast<std::size_t>(place));
            cursorPlace_ = place;
            break;
        }
    } else if (key.isDigit()) {
        if (cursorPlace_ != kTemplateFull) {
            edit_.text[static_cast<std::size_t>(cursorPlace_)] = static_cast<char>(key.character());
            cursorPlace_ = nextPlace(cursorPlace_);
        }
    } else if (key == keys::kEscape) {
        input_.pause(kAfterEscapeMs);
        return EditOutcome::BackToMainScreen;
    } else {
        return key == Key::character('@') ? EditOutcome::PlaceHome : EditOutcome::Editing;
    }
    showInField(display_, e, kTemplateFieldWidth, edit_.text);
    display_.printAt(panel::rowOf(e), panel::kValueColumn + cursorPlace_, kCursorMark);
    return EditOutcome::Editing;
}

Editors::Editors(Display& display, InputDevices& input, TriangleValues& values)
    : v_(values), decimal_(display, input, values, edit_), dms_(display, input, values, edit_) {}

void Editors::select(Entry e) {
    edit_.selected = e;
    markSelected(v_, e);
}

bool Editors::selectionLeftEmpty() const {
    return edit_.selected && !isDmsAngle(*edit_.selected) && parseNumber(edit_.text) == 0;
}

}  // namespace solvara
