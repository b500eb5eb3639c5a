// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

namespace solvara {

// A text as one word for the POSIX shell: in single quotes, each quote inside written as '\''.
std::string shellQuoted(const std::string& text);

}  // namespace solvara
