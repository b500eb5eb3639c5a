// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <vector>

namespace solvara {

// Lines as one text, each ended by a line end: the printed lines on the desktop's clipboard, so
// that the answer on screen can be pasted into a note or a mail (Ctrl+C on the results screen),
// and the printed page of the solve command.
std::string joinedLines(const std::vector<std::string>& lines);

}  // namespace solvara
