// SPDX-License-Identifier: GPL-2.0-or-later
// Ctrl+C on the results screen: the answer on screen goes to the desktop's clipboard as the same
// lines the printer gets, so that it can be pasted into a note or a mail.
#include <string>

#include "app/program.h"

namespace solvara {

void Program::copyResults() {
    std::string text;
    for (const std::string& line : printedLines())
        text += line + "\n";
    backend_.setClipboardText(text);
}

}  // namespace solvara
