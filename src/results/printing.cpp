// SPDX-License-Identifier: GPL-2.0-or-later
// Printing the results: one page of text lines through the printer device, then the saved
// picture. The texts printed are those the results screen left, of the answer on screen.
#include <string>
#include <vector>

#include "app/program.h"

namespace solvara {

namespace {

constexpr const char* kDeviceString = "LPT:,TITLE = Solvara, EMU = TTY";
constexpr const char* kHeading = "           Solvara";
constexpr const char* kNotReady = " Printer Not Ready!      ";
// The program opens no other file, so the printer always gets the first free number.
constexpr int kFreeFileNumber = 1;

// The texts of one answer as the results screen shows them.
struct PrintedTexts {
    const std::string &x, &y, &z, &a, &d, &b, &e, &c, &f, &area;
};

}  // namespace

std::vector<std::string> Program::printedLines() const {
    const AlternateSolution& alt = values_.alternate;
    const bool second =
        values_.solveMode == SolveMode::Oblique && alt.otherAnswerAvailable && alt.otherAnswerShown;
    const TriangleValues& v = values_;
    const PrintedTexts t =
        second ? PrintedTexts{second_.xText, second_.yText,   second_.zText, second_.aText,
                              second_.dText, second_.bText,   second_.eText, second_.cText,
                              second_.fText, second_.areaText}
               : PrintedTexts{v.xText, v.yText, v.zText, v.aText, v.dText,
                              v.bText, v.eText, v.cText, v.fText, v.areaText};

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
    if (v.solveMode == SolveMode::Oblique) {
        lines.push_back("           Triangle Height      = " + v.heightText);
        lines.push_back("           Triangle Width       = " + v.widthText);
    }
    lines.push_back("");
    return lines;
}

Step Program::printResults() {
    const AlternateSolution& alt = values_.alternate;
    const bool second =
        values_.solveMode == SolveMode::Oblique && alt.otherAnswerAvailable && alt.otherAnswerShown;
    if (second) input_.setPointer(320, 240, true);

    printerFileNumber_ = kFreeFileNumber;
    printerNotReady_ = printer_.open(kDeviceString, printerFileNumber_) != PrinterDevice::kOk;
    for (const std::string& line : printedLines())
        printer_.write(printerFileNumber_, line + "\r\n");
    printer_.close(printerFileNumber_);

    // Keys pressed while printing are not acted on.
    input_.pause(1000);
    (void)input_.readKey();
    input_.pause(200);
    (void)input_.readKey();
    return savePicture();
}

Step Program::reportPrinterNotReady() {
    display_.setColors(12, kBackgroundColour);
    display_.locate(29, 17);
    display_.print(kNotReady, false);
    printer_.close(printerFileNumber_);
    input_.pause(3000);
    display_.locate(29, 17);
    display_.print(std::string(25, ' '), false);
    display_.setColors(0, kBackgroundColour);
    drawResultButtons(true);
    return Step::ResultsLoop;
}

}  // namespace solvara
