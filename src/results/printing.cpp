// SPDX-License-Identifier: GPL-2.0-or-later
// Printing the results: one page of text lines through the printer device. The texts printed are
// those the results screen left, of the answer on screen.
#include "results/printing.h"

#include <string_view>

#include "platform/display/display.h"
#include "platform/print/printer_device.h"
#include "platform/window/input_devices.h"
#include "results/results_screen.h"

namespace solvara {

namespace {

constexpr const char* kDeviceString = "LPT:,TITLE = Solvara, EMU = TTY";
// Every printed line but the blank ones starts 11 columns in.
const std::string kIndent(11, ' ');
const std::string kHeading = kIndent + "Solvara";
constexpr std::string_view kNotReady = " Printer Not Ready!      ";
constexpr int kNotReadyShownMs = 3000;
// After the page went out, keys pressed while printing are let pass and thrown away, twice.
constexpr int kAfterPrintMs = 1000;
constexpr int kAfterPrintAgainMs = 200;
constexpr int kNotReadyRow = 29;
constexpr int kNotReadyColumn = 17;
// The program opens no other file, so the printer always gets the first free number.
constexpr int kFileNumber = 1;

}  // namespace

std::vector<std::string> printedLines(SolveMode mode, const AnswerTexts& t,
                                      const ResultLines& results) {
    std::vector<std::string> lines = {"", "", kHeading, ""};
    for (const Entry e : kAllEntries)
        lines.push_back(kIndent + entryLabel(e) + t.of(e));
    lines.push_back(kIndent + "Area of Triangle     = " + t.area);
    if (mode == SolveMode::Oblique) {
        lines.push_back(kIndent + "Triangle Height      = " + results.height);
        lines.push_back(kIndent + "Triangle Width       = " + results.width);
    }
    lines.push_back("");
    return lines;
}

bool printResults(InputDevices& input, PrinterDevice& printer, SolveMode mode,
                  const ResultsScreen& screen) {
    if (screen.secondOnScreen(mode)) {
        input.movePointer(results_layout::kPointerHome);
        input.showPointer();
    }

    const bool opened = printer.open(kDeviceString, kFileNumber) == PrinterDevice::OpenResult::Ok;
    for (const std::string& line : screen.shownLines(mode))
        printer.write(kFileNumber, line + "\r\n");
    const bool closed = printer.close(kFileNumber) == PrinterDevice::CloseResult::Ok;

    // Keys pressed while printing are not acted on, nor a click (a second one on Print).
    input.pause(kAfterPrintMs);
    (void)input.readKey();
    input.pause(kAfterPrintAgainMs);
    (void)input.readKey();
    (void)input.readPointer();
    return opened && closed;
}

void reportPrinterNotReady(Display& display, InputDevices& input, PrinterDevice& printer,
                           const ResultsScreen& screen) {
    display.printAt(kNotReadyRow, kNotReadyColumn, kNotReady, {Colour::LightRed});
    printer.close(kFileNumber);
    input.pause(kNotReadyShownMs);
    display.printAt(kNotReadyRow, kNotReadyColumn, std::string(kNotReady.size(), ' '));
    screen.drawButtons(true);
}

}  // namespace solvara
