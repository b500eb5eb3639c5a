// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

#include "platform/print/private/cups_printer.h"
#include "platform/print/private/text_page_layout.h"

namespace solvara {

// The text printer's font: 10 points, fixed pitch, 12 characters per inch.
struct TextFontMetrics {
    double cellWidthPt = 6;   // 72 / 12
    double lineHeightPt = 0;  // the font's line height
    double ascentPt = 0;      // from the top of a line to its baseline
};

// Measures the fixed-pitch face ("DejaVu Sans Mono", or whatever fontconfig gives for it). This
// and renderTextPdf() need the print libraries loaded (loadPrintLibraries()).
TextFontMetrics measureTextFont();

// Draws the pages as a PDF document on the given media: the cell in column c of line l has its
// top-left corner at (c x cell width, l x line height) from the top-left of the printable area,
// the bytes drawn as the code page 437 characters they stand for, black on white. Returns the
// document's bytes, empty when cairo fails.
std::string renderTextPdf(const std::vector<TextPage>& pages, const MediaArea& media,
                          const TextFontMetrics& font);

}  // namespace solvara
