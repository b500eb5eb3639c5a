// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>

#include "values/entry.h"

namespace solvara {

// The texts of one answer as the screens show them and the printer prints them: the nine entries
// and the area.
struct AnswerTexts {
    std::string x, y, z, a, b, c;
    std::string d, e, f;  // degrees/minutes/seconds of A, B and C
    std::string area;

    std::string& of(Entry entry);
    const std::string& of(Entry entry) const;
};

}  // namespace solvara
