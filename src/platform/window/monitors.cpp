// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/monitors.h"

#include <algorithm>

namespace solvara {

Area Area::intersectedWith(const Area& other) const {
    const int left = std::max(origin.x, other.origin.x);
    const int top = std::max(origin.y, other.origin.y);
    const int width = std::min(right(), other.right()) - left;
    const int height = std::min(bottom(), other.bottom()) - top;
    if (width <= 0 || height <= 0) return Area{Point{left, top}, Size{}};
    return Area{Point{left, top}, Size{width, height}};
}

const Monitor* primaryMonitor(std::span<const Monitor> monitors) {
    if (monitors.empty()) return nullptr;
    const auto marked =
        std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
    return marked != monitors.end() ? &*marked : &monitors.front();
}

const Monitor* monitorHolding(std::span<const Monitor> monitors, const Area& window) {
    const Monitor* holding = nullptr;
    long long most = 0;
    for (const Monitor& m : monitors) {
        const Area common = m.bounds.intersectedWith(window);
        const long long pixels = static_cast<long long>(common.size.width) * common.size.height;
        if (pixels > most) {
            most = pixels;
            holding = &m;
        }
    }
    return holding != nullptr ? holding : primaryMonitor(monitors);
}

Point centredIn(const Area& area, Size window) {
    return Point{area.origin.x + std::max(0, (area.size.width - window.width) / 2),
                 area.origin.y + std::max(0, (area.size.height - window.height) / 2)};
}

Point keptInside(const Area& area, Size window, Point corner) {
    // The far edge first, then the near one, so that the near one wins when it cannot be whole.
    corner.x = std::max(area.origin.x, std::min(corner.x, area.right() - window.width));
    corner.y = std::max(area.origin.y, std::min(corner.y, area.bottom() - window.height));
    return corner;
}

int largestScaleFitting(Size page, Size usable, int wanted) {
    int scale = std::max(1, wanted);
    while (scale > 1 && (page.width * scale > usable.width || page.height * scale > usable.height))
        --scale;
    return scale;
}

}  // namespace solvara
