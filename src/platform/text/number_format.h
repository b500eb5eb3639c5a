// SPDX-License-Identifier: GPL-2.0-or-later
// The text room: numbers to masked and plain texts and back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace solvara {

// The two masks the program uses: a point, one always-written 0, then optional digits.
inline constexpr const char* kMask9 = ".0########";  // panel values, results of B and C
inline constexpr const char* kMask8 = ".0#######";   // editor start text, results, drawing texts

// Number to text under a mask, rounding the last kept decimal up only when what is cut off is
// at least 0.500001 of its unit (nine decimals) and writing no leading zero below 1.
// Locale-independent: always a point.
std::string formatMasked(double value, std::string_view mask);

// "%.16g" less a trailing point.
std::string plainNumberText(double value);

// A finite number in the form nlohmann-json gives JSON numbers: the shortest digits that read
// back as the same double, fixed from 1e-4 up to 1e15 with ".0" on a whole number ("12.0", "2.4",
// "0.0001"), else a mantissa and an exponent of two digits or more ("1e+15", "1.5e-07",
// "2.5e-300"). Writes at most 25 characters at `to` and returns their end.
char* writeJsonNumber(char* to, double value);

// formatMasked, with decimals dropped (down to the mask's one) while the text is wider than
// `width`; a number whose whole part alone is too wide falls back to plainNumberTextToFit. Only
// numbers of ten digits or more before the point need this, and the decimals they lose lie below
// a double's precision anyway.
std::string formatMaskedToFit(double value, std::string_view mask, std::size_t width);

// plainNumberText with as many significant digits as fit in `width` characters.
std::string plainNumberTextToFit(double value, std::size_t width);

// The longest decimal prefix after leading blanks (E, e, D or d exponents); 0 when none.
double parseNumber(std::string_view text);

// parseNumber of a text that is all number: nothing when no number starts it or something
// follows the number ("3x", "3e", "1.2.3").
std::optional<double> parseWholeNumber(std::string_view text);

}  // namespace solvara
