// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

namespace solvara {

// The printed lines as one text for the desktop's clipboard, one a line, so that the answer on
// screen can be pasted into a note or a mail (Ctrl+C on the results screen).
std::string clipboardText(const std::vector<std::string>& printedLines);

}  // namespace solvara
