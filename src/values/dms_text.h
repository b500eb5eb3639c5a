// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "values/triangle_values.h"

namespace solvara {

// Decimal degrees to "12d 20m 44s 0.2"-style text; also fills the conversion's working parts.
std::string toDmsText(double angle, DmsParts& parts, std::string& tenthsText);
std::string toDmsText(double angle);

// Decimal degrees from an 11-character "00d 00m 00s" template as the editor fills it in.
double fromDmsTemplate(std::string_view text);

}  // namespace solvara
