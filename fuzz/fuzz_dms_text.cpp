// SPDX-License-Identifier: GPL-2.0-or-later
// toDmsText on arbitrary doubles and fromDmsTemplate on arbitrary text.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "values/dms_text.h"

using namespace solvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double fromText = fromDmsTemplate(text);
    (void)fromText;

    for (std::size_t at = 0; at + sizeof(double) <= size; at += sizeof(double)) {
        double angle;
        std::memcpy(&angle, data + at, sizeof angle);
        const std::string dms = toDmsText(angle);
        const DmsParts parts = toDmsParts(angle);
        if (parts.tenths < 0 || parts.tenths > 10) {
            std::fprintf(stderr, "fuzz_dms_text: %d tenths for %.17g\n", parts.tenths, angle);
            std::abort();
        }
        if (dms.empty()) {
            std::fprintf(stderr, "fuzz_dms_text: empty text for %.17g\n", angle);
            std::abort();
        }
        // An angle the editor can hold (below 180, to a hundredth of a second) comes back
        // through the template it would be typed into, to within the template's whole seconds.
        if (std::isfinite(angle) && angle > 0 && angle < 100) {
            const int whole = static_cast<int>(angle);
            const double minutesAll = (angle - whole) * 60;
            const int minutes = static_cast<int>(minutesAll);
            const int seconds = static_cast<int>((minutesAll - minutes) * 60);
            char tmpl[32];
            std::snprintf(tmpl, sizeof tmpl, "%02dd %02dm %02ds", whole, minutes, seconds);
            const double back = fromDmsTemplate(tmpl);
            if (std::fabs(back - angle) > 1.0 / 3600 + 1e-9) {
                std::fprintf(stderr, "fuzz_dms_text: %s reads as %.17g, not %.17g\n", tmpl, back,
                             angle);
                std::abort();
            }
        }
    }
    return 0;
}
