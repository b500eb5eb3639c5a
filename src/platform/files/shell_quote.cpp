// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/shell_quote.h"

namespace solvara {

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

}  // namespace solvara
