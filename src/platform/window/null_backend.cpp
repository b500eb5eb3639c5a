// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/window/null_backend.h"

namespace solvara {

bool NullBackend::openWindow(Size size, std::string&) {
    if (window_ == Size{}) {
        window_ = size;
        position_ = Point{(desktop_.width - size.width) / 2, (desktop_.height - size.height) / 2};
    }
    return true;
}

std::vector<Monitor> NullBackend::monitors() {
    const Area all{Point{0, 0}, desktop_};
    return {Monitor{all, all, true}};
}

}  // namespace solvara
