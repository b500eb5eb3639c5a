// SPDX-License-Identifier: GPL-2.0-or-later
#include "results/clipboard.h"

namespace solvara {

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

}  // namespace solvara
