// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/dms_text.h"

#include <cmath>

#include "platform/text/number_format.h"

namespace solvara {

std::string toDmsText(double angle, DmsParts& parts, std::string& tenthsText) {
    parts = DmsParts{};
    tenthsText.clear();
    // An angle without digits has no minutes or seconds; show it as the number text alone.
    if (!std::isfinite(angle)) return plainNumberText(angle);

    // Degrees and minutes are cut down to whole ones (toward minus infinity, so a negative angle
    // keeps positive minutes and seconds); the seconds too, with the leftover shown in tenths.
    parts.degrees = std::floor(angle);
    parts.degreeFraction = angle - parts.degrees;
    parts.minutes = std::floor(60 * parts.degreeFraction);
    parts.minuteFraction = 60 * parts.degreeFraction - parts.minutes;
    const double secondsExact = 60 * parts.minuteFraction;
    parts.seconds = std::floor(secondsExact);

    // Tenths of a second, to nearest with ties to even; kept as a double (0 to 10 for any finite
    // angle), so no conversion to an integer type is needed.
    const double tenthsCount = std::nearbyint(10 * (secondsExact - parts.seconds));
    parts.tenths = 0.1 * tenthsCount;
    tenthsText = plainNumberText(parts.tenths).substr(0, 3);

    // A leftover of 0.95 second or more becomes a whole second, which may carry on.
    if (std::floor(parts.tenths) == 1) parts.seconds += 1;
    if (parts.seconds == 60) {
        parts.seconds = 0;
        parts.minutes += 1;
    }
    if (parts.minutes == 60) {
        parts.minutes = 0;
        parts.degrees += 1;
    }

    std::string text = plainNumberText(parts.degrees) + "d " + plainNumberText(parts.minutes) +
                       "m " + plainNumberText(parts.seconds) + "s ";
    if (tenthsCount >= 1 && tenthsCount <= 9) text += tenthsText;
    return text;
}

std::string toDmsText(double angle) {
    DmsParts parts;
    std::string tenthsText;
    return toDmsText(angle, parts, tenthsText);
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
