// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/dms_text.h"

#include <cmath>

#include "platform/text/number_format.h"

namespace solvara {

DmsParts toDmsParts(double angle) {
    DmsParts parts;
    if (!std::isfinite(angle)) return parts;
    parts.degrees = std::floor(angle);
    const double degreeFraction = angle - parts.degrees;
    parts.minutes = std::floor(60 * degreeFraction);
    const double minuteFraction = 60 * degreeFraction - parts.minutes;
    const double secondsExact = 60 * minuteFraction;
    parts.seconds = std::floor(secondsExact);

    // Tenths of a second, to nearest with ties to even: 0 to 10 for any finite angle.
    const double tenths = std::nearbyint(10 * (secondsExact - parts.seconds));
    parts.tenths = static_cast<int>(tenths);

    // A leftover of 0.95 second or more becomes a whole second, which may carry on.
    if (parts.tenths == 10) parts.seconds += 1;
    if (parts.seconds == 60) {
        parts.seconds = 0;
        parts.minutes += 1;
    }
    if (parts.minutes == 60) {
        parts.minutes = 0;
        parts.degrees += 1;
    }
    return parts;
}

std::string toDmsText(double angle) {
    // An angle without digits has no minutes or seconds; show it as the number text alone.
    if (!std::isfinite(angle)) return plainNumberText(angle);
    const DmsParts parts = toDmsParts(angle);
    std::string text = plainNumberText(parts.degrees) + "d " + plainNumberText(parts.minutes) +
                       "m " + plainNumberText(parts.seconds) + "s ";
    // The tenths figure as the plain text of 0.1 x the count gives it: 0.6 for six tenths,
    // whose full text is 0.6000000000000001.
    if (parts.tenths >= 1 && parts.tenths <= 9)
        text += plainNumberText(0.1 * parts.tenths).substr(0, 3);
    return text;
}

namespace {
// Characters [from, from + 2) of the template, or what is left of them in a short text.
std::string_view field(std::string_view text, std::size_t from) {
    if (from >= text.size()) return {};
    return text.substr(from, 2);
}
}  // namespace

double fromDmsTemplate(std::string_view text) {
    // "DDd MMm SSs": no field is limited to 59, so 10d 75m gives 11.25 degrees.
    double degrees = parseNumber(field(text, 0));
    const double minutes = parseNumber(field(text, 4));
    if (minutes != 0) degrees += minutes / 60;
    const double seconds = parseNumber(field(text, 8));
    if (seconds != 0) degrees += seconds / 3600;
    return degrees;
}

}  // namespace solvara
