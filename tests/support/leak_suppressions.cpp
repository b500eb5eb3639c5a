// SPDX-License-Identifier: GPL-2.0-or-later
// What LeakSanitizer is not to report in the test binary (read only by sanitizer builds).
//
// glibc 2.36's newlocale() keeps the list it makes of LOCPATH's directories (48 bytes a call):
// the paper tests load a locale of their own through LOCPATH, which the program never sets.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:__argz_add_sep\n";
}
