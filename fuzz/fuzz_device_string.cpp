// SPDX-License-Identifier: GPL-2.0-or-later
// The printer's device-string parser, the port of a device URI and the port table, on
// arbitrary text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/print/private/device_string.h"

using namespace solvara;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto request = parseDeviceString(text)) {
        // Whatever was read is made of the text's own bytes.
        if (request->printerName.size() > size || request->title.size() > size) {
            std::fprintf(stderr, "fuzz_device_string: a field longer than the string\n");
            std::abort();
        }
        if (request->port < 0) {
            std::fprintf(stderr, "fuzz_device_string: negative port %d\n", request->port);
            std::abort();
        }
    }
    (void)parallelPortOf(text);

    // The text as lines "name uri default-flag", one printer each.
    std::vector<PrinterEntry> printers;
    std::size_t start = 0;
    while (start < text.size() && printers.size() < 64) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const std::size_t blank = line.find(' ');
        PrinterEntry p;
        p.name = std::string(line.substr(0, blank));
        if (blank != std::string_view::npos) p.deviceUri = std::string(line.substr(blank + 1));
        p.isDefault = !line.empty() && (line.back() & 1);
        printers.push_back(p);
        start = end + 1;
    }
    const auto table = buildPortTable(printers);
    if (table.size() > printers.size() * 2) {
        std::fprintf(stderr, "fuzz_device_string: %zu ports for %zu printers\n", table.size(),
                     printers.size());
        std::abort();
    }
    return 0;
}
