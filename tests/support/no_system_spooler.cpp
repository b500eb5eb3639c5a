// SPDX-License-Identifier: GPL-2.0-or-later
// No test may reach the machine's own print spooler: on a developer's desktop a real printer
// would print. Tests that print start a private spooler, which points CUPS_SERVER at itself.
#include <cstdlib>

namespace {

const bool kSpoolerHidden = [] {
    setenv("CUPS_SERVER", "/nonexistent/solvara-tests/cups.sock", 1);
    unsetenv("PRINTER");
    unsetenv("LPDEST");
    return true;
}();

}  // namespace
