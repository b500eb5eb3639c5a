// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cups/cups.h>

namespace solvara {

// The print spooler's library (libcups) and the PDF renderer (libcairo) are opened at the first
// print, or the first drawing written to a file (line_drawing.h), not linked: with what they pull
// in (TLS, Kerberos, fonts, ...) they are thirty-odd libraries that would cost every run several
// megabytes and part of its start-up, for a print that most runs never make. The program calls them
// through this table of their functions (print_library_functions.h), e.g.
// printLibraries().cupsCreateJob(...).
struct PrintLibraries {
#define SOLVARA_CUPS_FUNCTION(name) decltype(&::name) name = nullptr;
#define SOLVARA_CAIRO_FUNCTION(name) decltype(&::name) name = nullptr;
#include "platform/print/private/print_library_functions.h"
#undef SOLVARA_CUPS_FUNCTION
#undef SOLVARA_CAIRO_FUNCTION
};

// Opens libcups.so.2 and libcairo.so.2 and finds every function of the table, on the first call
// only (from any thread); later calls give the same answer. False when a library cannot be
// opened or lacks one of the functions: then there is no printing at all.
bool loadPrintLibraries();

// The table, every function present. Only for code that runs after loadPrintLibraries() has
// returned true: PrinterDevice::open() checks it before any other print code runs.
const PrintLibraries& printLibraries();

// What loadPrintLibraries() does, with the libraries' names given and no answer kept: fills `into`
// and returns true when both libraries open and have every function, else leaves `into` as it
// was and returns false.
bool loadPrintLibrariesFrom(const char* cupsName, const char* cairoName, PrintLibraries& into);

}  // namespace solvara
