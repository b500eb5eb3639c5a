// SPDX-License-Identifier: GPL-2.0-or-later
#include "app/help.h"

#include <string>

#include "app/loop_decisions.h"
#include "app/main_screen.h"
#include "app/placement.h"
#include "app/version.h"
#include "platform/display/display.h"
#include "platform/window/input_devices.h"

namespace solvara {

namespace {

constexpr int kBlankPageShownMs = 100;  // the cleared help page before its text
constexpr int kBackPollMs = 40;         // a cycle of the wait for BACK
constexpr int kAfterBackMs = 300;       // before the screen the help was called from returns

constexpr const char* kRules[7] = {
    "The total of all angles will equal 180 degrees in all triangles.",
    "The C angle will not be used as an input for Right Triangles.",
    "All Right Triangles are 90 degrees at C angle. The A and B angles add to",
    "another 90 degrees. This is why only two inputs are needed, because C",
    "angle is known at 90 degrees. Some Oblique Triangles have two solutions.",
    "If you see a \"CAN NOT DO IT !\" message then the solution can not be ",
    "found or is out of bounds.",
};

void drawHelpPage(Display& d) {
    d.setPages(1, 1);
    d.clear();
}

void drawHelpText(Display& d) {
    d.setTextGrid(80, 30);
    d.setTextViewport(1, 30);
    drawWindowFrame(d);

    drawBackButton(d);
    d.printAt(2, 5, std::string("Solvara Ver. ") + kVersion + " - Help", {Colour::Blue});
    for (int i = 0; i < 7; ++i)
        d.printAt(5 + i, 5, kRules[i]);
    drawExplanatoryTriangle(d);
}

// Waits, a cycle every 40 ms, until a key or a click on BACK says to go back.
void waitForLeave(Display& display, InputDevices& input, Placement& placement) {
    while (!input.closeRequested()) {
        input.pause(kBackPollMs);
        switch (decideHelpKey(input.readKey())) {
            case HelpKey::Leave:
                return;
            case HelpKey::Home:
                sendWindowTo(display, placement, Target::Home);
                break;
            case HelpKey::None:
                break;
        }
        input.showPointer();
        // A pointer outside the window clicks nothing.
        const PointerReading p = input.readPointer();
        if (p.ok && (p.buttons & PointerReading::kEither) &&
            help_layout::kBackButton.containsInside(Point{p.x, p.y}))
            return;
    }
}

}  // namespace

void showHelp(Display& display, InputDevices& input, Placement& placement) {
    drawHelpPage(display);
    input.pause(kBlankPageShownMs);
    drawHelpText(display);
    waitForBack(display, input, placement);
}

void drawBackButton(Display& display) {
    display.box(help_layout::kBackButton, Colour::Blue);
    display.printAt(help_layout::kBackRow, help_layout::kBackColumn, "BACK", {Colour::Blue});
}

void waitForBack(Display& display, InputDevices& input, Placement& placement) {
    waitForLeave(display, input, placement);
    input.pause(kAfterBackMs);
    display.setPages(0, 0);
}

}  // namespace solvara
