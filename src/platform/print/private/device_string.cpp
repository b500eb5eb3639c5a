// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/device_string.h"

#include <algorithm>
#include <cctype>

namespace solvara {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    return s.size() >= prefix.size() && equalsNoCase(s.substr(0, prefix.size()), prefix);
}

// Digits only, at most four of them; anything else is not a port number.
std::optional<int> portDigits(std::string_view digits) {
    if (digits.empty()) return 0;
    if (digits.size() > 4) return std::nullopt;
    int port = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    return port;
}

}  // namespace

std::optional<DeviceRequest> parseDeviceString(std::string_view text) {
    DeviceRequest request;
    std::string_view rest = trimmed(text);
    const auto colon = rest.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view portPart = trimmed(rest.substr(0, colon));
    if (equalsNoCase(portPart, "PRN")) {
        request.port = 1;
    } else if (startsWithNoCase(portPart, "LPT")) {
        const auto port = portDigits(trimmed(portPart.substr(3)));
        if (!port) return std::nullopt;
        request.port = *port;
    } else {
        return std::nullopt;
    }
    rest.remove_prefix(colon + 1);

    std::string_view emulation;
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string_view item = trimmed(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
        if (item.empty()) continue;
        const auto equals = item.find('=');
        if (equals == std::string_view::npos) {
            request.printerName = std::string(item);
            continue;
        }
        const std::string_view key = trimmed(item.substr(0, equals));
        const std::string_view value = trimmed(item.substr(equals + 1));
        if (equalsNoCase(key, "EMU"))
            emulation = value;
        else if (equalsNoCase(key, "TITLE"))
            request.title = std::string(value);
    }

    if (emulation.empty() || equalsNoCase(emulation, "RAW"))
        request.emulation = Emulation::Raw;
    else if (equalsNoCase(emulation, "TTY"))
        request.emulation = Emulation::Tty;
    else
        return std::nullopt;
    return request;
}

int parallelPortOf(std::string_view deviceUri) {
    if (!startsWithNoCase(deviceUri, "parallel:")) return 0;
    std::string_view path = deviceUri.substr(9);
    for (std::string_view stem : {"/dev/parport", "/dev/lp"}) {
        if (!path.starts_with(stem)) continue;
        const auto number = portDigits(path.substr(stem.size()));
        if (number && path.size() > stem.size()) return *number + 1;
    }
    return 0;
}

std::map<int, std::string> buildPortTable(const std::vector<PrinterEntry>& printers) {
    std::map<int, std::string> table;
    for (const auto& p : printers) {
        const int port = parallelPortOf(p.deviceUri);
        if (port > 0) table.emplace(port, p.name);
    }
    const auto freeFrom = [&](int first) {
        int port = first;
        while (table.contains(port))
            ++port;
        return port;
    };
    for (const auto& p : printers)
        if (p.isDefault) table.emplace(freeFrom(1), p.name);
    for (const auto& p : printers)
        if (!p.isDefault && parallelPortOf(p.deviceUri) == 0) table.emplace(freeFrom(128), p.name);
    return table;
}

}  // namespace solvara
