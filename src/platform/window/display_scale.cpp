// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/display_scale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace

ScaleRequest requestDisplayScale(std::optional<int> fromOption) {
    ScaleRequest request{fromOption, fromOption.has_value()};
    if (!request.scale) request.scale = wholeNumberIn("SOLVARA_SCALE");
    if (!request.scale) request.scale = wholeNumberIn("GDK_SCALE");
    if (request.scale) request.scale = std::clamp(*request.scale, 1, kLargestDisplayScale);
    return request;
}

std::optional<int> scaleOfResources(std::string_view resources) {
    // One resource a line, "name:<blanks>value", as the resource manager string holds them.
    while (!resources.empty()) {
        const std::size_t newline = resources.find('\n');
        std::string_view line = resources.substr(0, newline);
        resources.remove_prefix(newline == std::string_view::npos ? resources.size() : newline + 1);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || trimmed(line.substr(0, colon)) != "Xft.dpi")
            continue;
        const std::string_view value = trimmed(line.substr(colon + 1));
        double dpi = 0;
        const auto [stop, error] = std::from_chars(value.data(), value.data() + value.size(), dpi);
        if (error != std::errc() || stop != value.data() + value.size() || !std::isfinite(dpi) ||
            dpi <= 0)
            return std::nullopt;
        const double scale = std::min(std::round(dpi / 96), double{kLargestDisplayScale});
        return std::max(1, static_cast<int>(scale));
    }
    return std::nullopt;
}

}  // namespace solvara
