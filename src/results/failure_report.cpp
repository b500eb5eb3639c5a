// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/failure_report.h"

#include <string>
#include <string_view>

#include "platform/display/display.h"
#include "platform/text/number_format.h"
#include "platform/window/input_devices.h"

namespace solvara {

namespace {

constexpr std::string_view kCannotDoIt = "      CAN NOT DO IT !        ";
constexpr int kFailureRow = 28;
constexpr int kFailureColumn = 5;
constexpr int kFlashPauseMs = 900;
constexpr int kShowings = 5;

}  // namespace

void flashCannotDoIt(Display& display, InputDevices& input) {
    for (int showing = 0; showing < kShowings; ++showing) {
        display.setColors(showing % 2 == 0 ? Colour::LightRed : Colour::Black, kBackground);
        display.locate(kFailureRow, kFailureColumn);
        display.print(kCannotDoIt, false);
        input.pause(kFlashPauseMs);
    }
    display.setColors(Colour::Black, kBackground);
    display.locate(kFailureRow, kFailureColumn);
    display.print(std::string(kCannotDoIt.size(), ' '), false);
}

void showAngleTotal(Display& display, double total) {
    // Numbers are printed with a blank where a minus sign would go.
    display.locate(2, 39);
    display.print("Total Of Angles = " + std::string(total < 0 ? "" : " ") + plainNumberText(total),
                  false);
}

}  // namespace solvara
