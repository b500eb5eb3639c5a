// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "results/result_lines.h"
#include "values/answer_texts.h"
#include "values/triangle.h"

namespace solvara {

class Display;
class InputDevices;
class PrinterDevice;
class ResultsScreen;

// The lines Print sends for an answer, without their line ends: 15 for a right triangle, 17 for
// an oblique one (its height and width too).
std::vector<std::string> printedLines(SolveMode mode, const AnswerTexts& texts,
                                      const ResultLines& lines);

// Prints the answer on screen as one page of text lines, then lets a moment pass in which keys
// are swallowed. Returns false when the printer could not be opened or the job failed after.
bool printResults(InputDevices& input, PrinterDevice& printer, SolveMode mode,
                  const ResultsScreen& screen);

// " Printer Not Ready!      " on row 29 for three seconds, then the buttons again.
void reportPrinterNotReady(Display& display, InputDevices& input, PrinterDevice& printer,
                           const ResultsScreen& screen);

}  // namespace solvara
