// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/display_scale.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <cstring>

namespace solvara {

namespace {

std::optional<int> wholeNumberIn(const char* name) {
    const char* text = std::getenv(name);
    if (text == nullptr) return std::nullopt;
    const char* end = text + std::strlen(text);
    int value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

}  // namespace

int chooseDisplayScale(std::optional<int> fromOption) {
    std::optional<int> chosen = fromOption;
    if (!chosen) chosen = wholeNumberIn("SOLVARA_SCALE");
    if (!chosen) chosen = wholeNumberIn("GDK_SCALE");
    return std::clamp(chosen.value_or(1), 1, kLargestDisplayScale);
}

}  // namespace solvara
