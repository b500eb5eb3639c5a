// SPDX-License-Identifier: GPL-2.0-or-later
// Printing the results: one page of text lines through the printer device. The texts printed are
// those the results screen left, of the answer on screen.
#include "results/printing.h"

#include "platform/display/display.h"
#include "platform/print/printer_device.h"
#include "platform/window/input_devices.h"
#include "results/results_screen.h"

namespace solvara {

namespace {

constexpr const char* kDeviceString = "LPT:,TITLE = Solvara, EMU = TTY";
constexpr const char* kHeading = "           Solvara";
constexpr const char* kNotReady = " Printer Not Ready!      ";
constexpr int kNotReadyRow = 29;
constexpr int kNotReadyColumn = 17;
// The program opens no other file, so the printer always gets the first free number.
constexpr int kFileNumber = 1;

}  // namespace

std::vector<std::string> printedLines(SolveMode mode, const AnswerTexts& t,
                                      const std::string& heightText, const std::string& widthText) {
    std::vector<std::string> lines = {
        "",
        "",
        kHeading,
        "",
        "           X = Length           = " + t.x,
        "           Y = Height           = " + t.y,
        "           Z = Length of angle  = " + t.z,
        "           A = Angle A decimal  = " + t.a,
        "           D = Angle A degrees  = " + t.d,
        "           B = Angle B decimal  = " + t.b,
        "           E = Angle B degrees  = " + t.e,
        "           C = Angle C decimal  = " + t.c,
        "           F = Angle C degrees  = " + t.f,
        "           Area of Triangle     = " + t.area,
    };
    if (mode == SolveMode::Oblique) {
        lines.push_back("           Triangle Height      = " + heightText);
        lines.push_back("           Triangle Width       = " + widthText);
    }
    lines.push_back("");
    return lines;
}

bool printResults(InputDevices& input, PrinterDevice& printer, const TriangleValues& v,
                  const ResultsScreen& screen) {
    if (v.secondAnswerOnScreen()) input.setPointer(320, 240, true);

    const bool opened = printer.open(kDeviceString, kFileNumber) == PrinterDevice::OpenResult::Ok;
    for (const std::string& line :
         printedLines(v.solveMode, screen.shownTexts(), v.heightText, v.widthText))
        printer.write(kFileNumber, line + "\r\n");
    const bool closed = printer.close(kFileNumber) == PrinterDevice::CloseResult::Ok;

    // Keys pressed while printing are not acted on, nor a click (a second one on Print).
    input.pause(1000);
    (void)input.readKey();
    input.pause(200);
    (void)input.readKey();
    (void)input.readPointer();
    return opened && closed;
}

void reportPrinterNotReady(Display& display, InputDevices& input, PrinterDevice& printer,
                           ResultsScreen& screen) {
    display.setColors(Colour::LightRed, kBackground);
    display.locate(kNotReadyRow, kNotReadyColumn);
    display.print(kNotReady, false);
    printer.close(kFileNumber);
    input.pause(3000);
    display.locate(kNotReadyRow, kNotReadyColumn);
    display.print(std::string(25, ' '), false);
    display.setColors(Colour::Black, kBackground);
    screen.drawButtons(true);
}

}  // namespace solvara
