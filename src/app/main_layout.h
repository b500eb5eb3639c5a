// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <array>

#include "app/placement.h"
#include "platform/display/colour.h"
#include "platform/geometry.h"

namespace solvara {

// Where the main screen puts its buttons and widgets, for drawing and for the loops' clicks.
// A button is drawn as a box with these corners and clicked anywhere inside it.
namespace main_layout {
inline constexpr Rect kExitButton{43, 186, 100, 210};
inline constexpr Rect kClearButton{110, 186, 170, 210};
inline constexpr Rect kRightButton{180, 186, 245, 210};
inline constexpr Rect kObliqueButton{254, 186, 328, 210};
inline constexpr Rect kHelpButton{43, 218, 100, 242};
// The results loop counts a click on HELP one pixel further out all round, as it does for its
// Print and EDIT buttons.
inline constexpr Rect kResultsHelpHit = kHelpButton.grownBy(1);

// The placement widget: the centre and four corners of a 3 x 3 grid of touching 8-pixel squares,
// in the order the loops test them.
struct WidgetSquare {
    Rect box;
    Target target;
};
inline constexpr std::array<WidgetSquare, 5> kPlacementWidget{{
    {{133, 227, 140, 234}, Target::Home},
    {{141, 235, 148, 242}, Target::BottomRight},
    {{125, 219, 132, 226}, Target::TopLeft},
    {{125, 235, 132, 242}, Target::BottomLeft},
    {{141, 219, 148, 226}, Target::TopRight},
}};

// Text cells. Row 1 is the title bar: the window is dragged by columns 2 to 69, and the close
// blocks " Exit " and " X " cover columns 72 to 80.
inline constexpr int kTitleRow = 1;
// The drag area as a hit region: the pixels cellOf puts in columns 2 to 69 of row 1, x from 8 to
// 551 and y from 1 to 15. The loops drag by it, and a desktop that drags the window itself is
// given it.
inline constexpr Rect kDragArea{7, 0, 552, 16};
inline constexpr int kCloseFirstColumn = 72;
inline constexpr int kCloseLastColumn = 80;
// A click on a value row from this column on selects its entry.
inline constexpr int kValueRowFirstColumn = 39;
inline constexpr int kLastColumn = 80;

// The active mode's button and its instructions are brown, the other button black.
inline constexpr Colour kActiveMode = Colour::Brown;
}  // namespace main_layout

}  // namespace solvara
