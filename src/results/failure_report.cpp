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
constexpr int kAngleTotalRow = 2;
constexpr int kAngleTotalColumn = 39;

}  // namespace

void flashCannotDoIt(Display& display, InputDevices& input) {
    for (int showing = 0; showing < kShowings; ++showing) {
        display.printAt(kFailureRow, kFailureColumn, kCannotDoIt,
                        {showing % 2 == 0 ? Colour::LightRed : Colour::Black});
        input.pause(kFlashPauseMs);
    }
    display.printAt(kFailureRow, kFailureColumn, std::string(kCannotDoIt.size(), ' '));
}

void showAngleTotal(Display& display, double total) {
    // Numbers are printed with a blank where a minus sign would go.
    display.printAt(
        kAngleTotalRow, kAngleTotalColumn,
        "Total Of Angles = " + std::string(total < 0 ? "" : " ") + plainNumberText(total));
}

}  // namespace solvara
