// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <optional>
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

// Decimal degrees of an angle given as degrees, minutes and seconds, added up as the template's
// fields are (no field is limited to 59).
double degreesFromDms(double degrees, double minutes, double seconds);

// An angle written "30d15m20s" or "30:15:20" (minutes and seconds may be left off, "30d15m",
// "30:15", "30"; each field is a decimal number without a sign) in decimal degrees; nothing when
// the text is not of that form.
std::optional<double> parseDmsAngle(std::string_view text);

}  // namespace solvara
