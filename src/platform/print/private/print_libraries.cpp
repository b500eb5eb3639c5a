// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/print_libraries.h"

#include <dlfcn.h>

#include <cassert>
#include <cstdio>
#include <cstring>

namespace solvara {

namespace {

// Sets `function` to the library's symbol of that name; false when it has none.
template <typename Function>
bool find(void* library, const char* name, Function& function) {
    void* symbol = dlsym(library, name);
    if (symbol == nullptr) return false;
    static_assert(sizeof function == sizeof symbol);
    std::memcpy(&function, &symbol, sizeof function);
    return true;
}

struct Loaded {
    PrintLibraries functions;
    bool complete = false;
};

const Loaded& loaded() {
    // A function-local static is initialised once, by the first caller, while any other waits.
    static const Loaded once = [] {
        Loaded result;
        result.complete = loadPrintLibrariesFrom("libcups.so.2", "libcairo.so.2", result.functions);
        return result;
    }();
    return once;
}

}  // namespace

bool loadPrintLibrariesFrom(const char* cupsName, const char* cairoName, PrintLibraries& into) {
    void* cups = dlopen(cupsName, RTLD_NOW | RTLD_LOCAL);
    void* cairo = cups != nullptr ? dlopen(cairoName, RTLD_NOW | RTLD_LOCAL) : nullptr;
    bool complete = cairo != nullptr;
    PrintLibraries found;
    // Stops at the first function missing; dlerror() then names it.
#define SOLVARA_CUPS_FUNCTION(name) complete = complete && find(cups, #name, found.name);
#define SOLVARA_CAIRO_FUNCTION(name) complete = complete && find(cairo, #name, found.name);
#include "platform/print/private/print_library_functions.h"
#undef SOLVARA_CUPS_FUNCTION
#undef SOLVARA_CAIRO_FUNCTION
    if (!complete) {
        const char* why = dlerror();
        std::fprintf(stderr, "solvara: cannot print: %s\n", why != nullptr ? why : "no library");
        // What did open stays open: libcups allocates as it loads (its language cache), and
        // unloading it would leak that.
        return false;
    }
    into = found;
    return true;
}

bool loadPrintLibraries() {
    return loaded().complete;
}

const PrintLibraries& printLibraries() {
    assert(loaded().complete && "print code ran without loadPrintLibraries()");
    return loaded().functions;
}

}  // namespace solvara
