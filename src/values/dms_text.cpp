// SPDX-License-Identifier: GPL-2.0-or-later
#include "values/dms_text.h"

#include <charconv>
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
    return degreesFromDms(parseNumber(field(text, 0)), parseNumber(field(text, 4)),
                          parseNumber(field(text, 8)));
}

double degreesFromDms(double degrees, double minutes, double seconds) {
    if (minutes != 0) degrees += minutes / 60;
    if (seconds != 0) degrees += seconds / 3600;
    return degrees;
}

namespace {

// Reads digits, and a point with more digits, from the front of `text` and drops them from it.
std::optional<double> takeField(std::string_view& text) {
    auto digitsAt = [&](std::size_t i) {
        std::size_t j = i;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        return j;
    };
    std::size_t end = digitsAt(0);
    if (end == 0) return std::nullopt;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = digitsAt(end + 1);
        if (fractionEnd == end + 1) return std::nullopt;
        end = fractionEnd;
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + end, value);
    if (result.ec != std::errc{} || result.ptr != text.data() + end) return std::nullopt;
    text.remove_prefix(end);
    return value;
}

}  // namespace

std::optional<double> parseDmsAngle(std::string_view text) {
    double fields[3] = {0, 0, 0};
    // Either each field ends in its letter (d, m, s in either case) or colons part the fields.
    const bool colons = text.find(':') != std::string_view::npos;
    constexpr char kLetters[3] = {'d', 'm', 's'};
    for (int i = 0; i < 3; ++i) {
        const std::optional<double> field = takeField(text);
        if (!field) return std::nullopt;
        fields[i] = *field;
        if (colons) {
            if (text.empty()) break;
            if (i == 2 || text.front() != ':') return std::nullopt;
        } else {
            if (text.empty() && i == 0) break;  // whole degrees alone
            if (text.empty() || (text.front() | 0x20) != kLetters[i]) return std::nullopt;
        }
        text.remove_prefix(1);
        if (!colons && text.empty()) break;
    }
    if (!text.empty()) return std::nullopt;
    return degreesFromDms(fields[0], fields[1], fields[2]);
}

}  // namespace solvara
