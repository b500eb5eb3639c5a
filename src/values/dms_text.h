// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace solvara {

// An angle cut into whole degrees, minutes and seconds (toward minus infinity, so a negative angle
// keeps positive minutes and seconds) and the tenths of a second left over, after a leftover of
// ten tenths has carried into the seconds.
struct DmsParts {
    double degrees = 0;
    double minutes = 0;
    double seconds = 0;
    int tenths = 0;  // 0 to 9 shown; 10 has carried
};
DmsParts toDmsParts(double angle);

// Decimal degrees to "12d 20m 44s 0.2"-style text.
std::string toDmsText(double angle);

// Decimal degrees from an 11-character "00d 00m 00s" template as the editor fills it in.
double fromDmsTemplate(std::string_view text);

}  // namespace solvara
