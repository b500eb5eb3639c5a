// SPDX-License-Identifier: GPL-2.0-or-later
// parseNumber on arbitrary text; formatMasked and plainNumberText on arbitrary doubles.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/text/number_format.h"

using namespace solvara;

namespace {

void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_number_format: %s\n", what);
        std::abort();
    }
}

bool onlyNumberCharacters(const std::string& text) {
    return text.find_first_not_of("0123456789.-") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The bytes as text.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double parsed = parseNumber(text);
    (void)parsed;

    // The bytes as doubles, every bit pattern: NaNs, infinities, denormals, negative zero.
    for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
        double value;
        std::memcpy(&value, data + at, sizeof value);
        for (const char* mask : {kMask8, kMask9}) {
            const std::string masked = formatMasked(value, mask);
            check(!masked.empty(), "formatMasked gave an empty text");
            if (!std::isfinite(value)) continue;
            check(onlyNumberCharacters(masked), "formatMasked wrote a character of no number");
            check(masked.find('.') != std::string::npos, "formatMasked wrote no point");
            // The text reads back as the number, to the mask's decimals.
            const double back = parseNumber(masked);
            check(std::fabs(back - value) <= 1e-8 + 1e-15 * std::fabs(value),
                  "formatMasked does not read back as its number");
        }
        const std::string plain = plainNumberText(value);
        check(!plain.empty(), "plainNumberText gave an empty text");
        // Sixteen significant digits read back to within their rounding; next to the largest
        // double, that rounding goes past it ("1.797693134862316e+308" reads as infinity).
        if (std::isfinite(value) && std::fabs(value) < 1.79769313486231e308) {
            const double back = parseNumber(plain);
            check(std::fabs(back - value) <= 1e-15 * std::fabs(value) || back == value ||
                      std::fabs(value) < 1e-300,
                  "plainNumberText does not read back as its number");
        }
    }
    return 0;
}
