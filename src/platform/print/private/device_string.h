// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace solvara {

// How the printer treats the bytes written to it.
enum class Emulation {
    Raw,  // the bytes go to the printer unchanged
    Tty,  // the device lays the bytes out as text on pages itself
};

// What a device string such as "LPT:,TITLE = Solvara, EMU = TTY" asks for.
struct DeviceRequest {
    int port = 0;             // 0: the named printer or the default one; n >= 1: port table
    std::string printerName;  // an item without "=", blanks trimmed; empty when none
    std::string title;        // the TITLE value; empty when missing
    Emulation emulation = Emulation::Raw;
};

// Reads a device string: "PRN:" or "LPT" with optional port digits and a colon, then
// comma-separated items, each "KEY = value" or a bare printer name. Keys and the emulation are
// matched in any letter case; blanks around items, keys and values are ignored; keys other than
// EMU and TITLE are ignored. Returns nothing when the string cannot be read or names an emulation
// other than empty, RAW or TTY. It never touches the printing system.
std::optional<DeviceRequest> parseDeviceString(std::string_view text);

// A destination of the print spooler, as far as choosing a port needs it.
struct PrinterEntry {
    std::string name;
    std::string deviceUri;  // empty when the spooler did not say
    bool isDefault = false;
};

// The parallel port of a device URI as a port number: "parallel:/dev/lp0" is 1, /dev/lp1 is 2,
// and /dev/parportN the same; 0 for anything else.
int parallelPortOf(std::string_view deviceUri);

// Port numbers to printer names. A printer on a parallel port keeps that port's number; the
// default printer then also gets the lowest free number from 1 upward, and every other printer
// without a parallel port a free number from 128 upward, in the order given.
std::map<int, std::string> buildPortTable(const std::vector<PrinterEntry>& printers);

}  // namespace solvara
