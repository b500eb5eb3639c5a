// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/device_string.h"

#include <gtest/gtest.h>

namespace solvara {
namespace {

struct ParseCase {
    const char* text;
    int port;
    const char* printer;
    const char* title;
    Emulation emulation;
};

TEST(DeviceString, ReadsPortItemsAndKeys) {
    const ParseCase cases[] = {
        {"LPT:,TITLE = Solvara, EMU = TTY", 0, "", "Solvara", Emulation::Tty},
        {"lpt:", 0, "", "", Emulation::Raw},
        {"LPT1:", 1, "", "", Emulation::Raw},
        {"LPT12:,emu=raw", 12, "", "", Emulation::Raw},
        {"prn:", 1, "", "", Emulation::Raw},
        {"PRN:, EMU = tty", 1, "", "", Emulation::Tty},
        {"  LPT : ,  Office Laser  , title =  Two words , EMU=", 0, "Office Laser", "Two words",
         Emulation::Raw},
        {"LPT:,COPIES=3,TITLE=A=B,EMU=Tty", 0, "", "A=B", Emulation::Tty},
        {"LPT:,,, ,EMU=TTY,", 0, "", "", Emulation::Tty},
        {"LPT:,title=first,TITLE=last", 0, "", "last", Emulation::Raw},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto r = parseDeviceString(c.text);
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->port, c.port);
        EXPECT_EQ(r->printerName, c.printer);
        EXPECT_EQ(r->title, c.title);
        EXPECT_EQ(r->emulation, c.emulation);
    }
}

TEST(DeviceString, RefusesUnreadableStringsAndUnknownEmulations) {
    for (const char* text : {"", "LPT", "LPT1", "COM1:", "LPTx:", "LPT1x:", "LPT99999:", "PRN1:",
                             "LPT:,EMU=PCL", "LPT:,EMU = TTY2", "PRN:,EMU=raw text"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(parseDeviceString(text).has_value());
    }
}

TEST(DeviceString, ParallelPortsOfDeviceUris) {
    EXPECT_EQ(parallelPortOf("parallel:/dev/lp0"), 1);
    EXPECT_EQ(parallelPortOf("parallel:/dev/lp2"), 3);
    EXPECT_EQ(parallelPortOf("PARALLEL:/dev/parport1"), 2);
    EXPECT_EQ(parallelPortOf("parallel:/dev/lp"), 0);
    EXPECT_EQ(parallelPortOf("usb://Maker/Model"), 0);
    EXPECT_EQ(parallelPortOf("file:///dev/lp0"), 0);
    EXPECT_EQ(parallelPortOf(""), 0);
}

TEST(DeviceString, PortTableKeepsParallelPortsAndNumbersTheRest) {
    const std::vector<PrinterEntry> printers = {
        {"Office", "ipp://office/ipp", false},
        {"Dot", "parallel:/dev/lp0", false},
        {"Home", "usb://x", true},
        {"Lab", "socket://lab", false},
    };
    const std::map<int, std::string> expected = {
        {1, "Dot"}, {2, "Home"}, {128, "Office"}, {129, "Lab"}};
    EXPECT_EQ(buildPortTable(printers), expected);

    // A default printer on a parallel port keeps it and also takes the lowest free number.
    const std::map<int, std::string> onPort = {{1, "Home"}, {2, "Home"}, {128, "Office"}};
    EXPECT_EQ(buildPortTable({{"Home", "parallel:/dev/lp1", true}, {"Office", "", false}}), onPort);

    EXPECT_TRUE(buildPortTable({}).empty());
}

}  // namespace
}  // namespace solvara
