// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/text/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>
#include <system_error>

namespace solvara {

namespace {

// 10^n for small n, exact in a double.
double powerOfTen(int n) {
    double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

// Texts for the values that have no digits. No screen shows them in ordinary use; they only keep
// a bad value readable instead of letting it reach integer conversions.
std::string nonFiniteText(double value) {
    if (std::isnan(value)) return "nan";
    return value < 0 ? "-inf" : "inf";
}

// |value| in fixed notation with `decimals` decimals, rounded to nearest by the conversion.
std::string fixedText(double value, int decimals) {
    // 309 integer digits, a point and the decimals.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string formatMasked(double value, std::string_view mask) {
    if (!std::isfinite(value)) return nonFiniteText(value);

    // The mask is a point followed by digit places: the 0s are always written, the #s only when
    // they are not trailing zeros.
    const std::size_t point = mask.find('.');
    const std::string_view places =
        point == std::string_view::npos ? std::string_view{} : mask.substr(point + 1);
    const int decimals = static_cast<int>(std::min<std::size_t>(places.size(), 15));
    const int alwaysWritten = static_cast<int>(std::count(places.begin(), places.end(), '0'));

    const double scale = powerOfTen(decimals);
    double v = value;
    if (std::fabs(v) < 1 / scale) v = 0;

    // The last kept decimal is rounded away from zero only when what is cut off is at least
    // 0.500001 of its unit; an exact half is cut off. All of it is whole-number arithmetic in
    // doubles, so no value can overflow an integer type.
    const double whole = std::trunc(v);
    const double scaled = (v - whole) * scale;
    double kept = std::trunc(scaled);
    const double cutOff = std::trunc((scaled - kept) * powerOfTen(15 - decimals));
    const double half = std::trunc(5 * powerOfTen(14 - decimals));
    if (cutOff > half) kept += 1;
    if (cutOff < -half) kept -= 1;
    v = kept / scale + whole;  // a carry may reach the integer part

    if (v == 0) {
        return "0." + std::string(static_cast<std::size_t>(std::max(alwaysWritten, 1)), '0');
    }

    // Writing |v| as a whole keeps a decimal carry and the integer digits together.
    const std::string digits = fixedText(std::fabs(v), decimals);
    const std::size_t pointAt = digits.find('.');
    std::string integerDigits = digits.substr(0, pointAt);
    std::string decimalDigits = pointAt == std::string::npos ? "" : digits.substr(pointAt + 1);
    if (integerDigits == "0") integerDigits.clear();  // no leading zero below 1
    while (static_cast<int>(decimalDigits.size()) > alwaysWritten && decimalDigits.back() == '0') {
        decimalDigits.pop_back();
    }
    if (decimalDigits.empty()) decimalDigits.push_back('0');

    std::string text = v < 0 ? "-" : "";
    text += integerDigits;
    text += '.';
    text += decimalDigits;
    return text;
}

std::string formatMaskedToFit(double value, std::string_view mask, std::size_t width) {
    std::string text = formatMasked(value, mask);
    std::string shorter(mask);
    while (text.size() > width && shorter.size() > 2) {
        shorter.pop_back();
        text = formatMasked(value, shorter);
    }
    return text.size() <= width ? text : plainNumberTextToFit(value, width);
}

std::string plainNumberTextToFit(double value, std::size_t width) {
    std::string text = plainNumberText(value);
    if (text.size() <= width || !std::isfinite(value)) return text;
    char buffer[64];
    for (int digits = 15; digits >= 1; --digits) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::general, digits);
        text.assign(buffer, result.ptr);
        if (text.size() <= width) break;
    }
    return text;
}

// nlohmann-json writes fixed notation where the point of the shortest digits falls from three
// zeros before them to fifteen digits into them, which is from 1e-4 up to 1e15, and 0 as 0.0.
char* writeJsonNumber(char* to, double value) {
    if (value == 0 || (std::fabs(value) >= 1e-4 && std::fabs(value) < 1e15)) {
        char* const start = to;
        to = std::to_chars(to, to + 25, value, std::chars_format::fixed).ptr;
        if (std::find(start, to, '.') == to) to = std::copy_n(".0", 2, to);
        return to;
    }
    return std::to_chars(to, to + 25, value, std::chars_format::scientific).ptr;
}

std::string plainNumberText(double value) {
    if (!std::isfinite(value)) return nonFiniteText(value);
    // "%.16g" in the C locale, whatever locale the process runs in.
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 16);
    std::string text(buffer, result.ptr);
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The value of a digit in bases up to 16, or -1.
int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "&H1F", "&O17", "&B101": a whole number in that radix, read up to the first digit that does
// not belong to it; `used` counts the radix letter and the digits. Accumulating in a double
// cannot overflow into undefined behaviour.
double parseRadixNumber(std::string_view text, std::size_t& used) {
    int radix = 0;
    switch (text.empty() ? '\0' : text.front()) {
        case 'H':
        case 'h':
            radix = 16;
            break;
        case 'O':
        case 'o':
            radix = 8;
            break;
        case 'B':
        case 'b':
            radix = 2;
            break;
        default:
            used = 0;
            return 0;
    }
    double value = 0;
    std::size_t i = 1;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit < 0 || digit >= radix) break;
        value = value * radix + digit;
    }
    used = i;
    return value;
}

// parseNumber, also telling how many characters of `text` the number took (0 when none).
double readNumber(std::string_view text, std::size_t& used) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    used = 0;
    text.remove_prefix(pos);
    if (text.empty()) return 0;
    if (text.front() == '&') {
        std::size_t radixUsed = 0;
        const double value = parseRadixNumber(text.substr(1), radixUsed);
        if (radixUsed > 1) used = pos + 1 + radixUsed;
        return value;
    }

    // The longest prefix of the form [sign] digits [. digits] [exponent], rewritten for
    // from_chars, which takes neither a plus sign nor a D exponent.
    std::string number;
    std::size_t i = 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    int integerDigits = 0;         // significant digits before the point
    int leadingFractionZeros = 0;  // zeros right after the point before any other digit
    bool anyDigit = false;
    bool significantSeen = false;
    while (i < text.size() && isDigit(text[i])) {
        if (text[i] != '0' || significantSeen) {
            significantSeen = true;
            ++integerDigits;
        }
        number += text[i++];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && isDigit(text[i])) {
            if (text[i] != '0') significantSeen = true;
            if (!significantSeen) ++leadingFractionZeros;
            number += text[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0;

    // An exponent counts only when digits follow the letter (and its sign).
    long exponent = 0;
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        bool exponentNegative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponentNegative = text[j] == '-';
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            number += exponentNegative ? "e-" : "e";
            for (; j < text.size() && isDigit(text[j]); ++j) {
                number += text[j];
                exponent = std::min(exponent * 10 + (text[j] - '0'), 100000L);
            }
            if (exponentNegative) exponent = -exponent;
            i = j;
        }
    }
    used = pos + i;
    if (!significantSeen) return negative ? -0.0 : 0.0;

    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large gives an infinity, too small a zero, as the nearest double would.
        const long magnitude =
            exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
        value = magnitude > 0 ? HUGE_VAL : 0.0;
    } else if (result.ec != std::errc{}) {
        value = 0;
    }
    return negative ? -value : value;
}

}  // namespace

double parseNumber(std::string_view text) {
    std::size_t used = 0;
    return readNumber(text, used);
}

std::optional<double> parseWholeNumber(std::string_view text) {
    std::size_t used = 0;
    const double value = readNumber(text, used);
    if (used == 0 || used != text.size()) return std::nullopt;
    return value;
}

}  // namespace solvara
