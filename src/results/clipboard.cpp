// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/clipboard.h"

namespace solvara {

std::string clipboardText(const std::vector<std::string>& printedLines) {
    std::string text;
    for (const std::string& line : printedLines)
        text += line + "\n";
    return text;
}

}  // namespace solvara
