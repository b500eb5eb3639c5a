// Temporary stand-in until the SDL2 window lands; delete this file then.
#include "platform/sdl_backend.h"

namespace solvara {
struct SdlBackend::State {};
SdlBackend::SdlBackend() = default;
SdlBackend::~SdlBackend() = default;
bool SdlBackend::openWindow(Size, std::string& error) {
    error = "not built yet";
    return false;
}
void SdlBackend::setTitle(std::string_view) {}
Size SdlBackend::desktopSize() {
    return {};
}
Point SdlBackend::windowPosition() {
    return {};
}
void SdlBackend::moveWindow(Point) {}
void SdlBackend::present(const std::uint8_t*, Size, const std::array<Rgb, 256>&) {}
void SdlBackend::wait(int, InputDevices&) {}
void SdlBackend::warpPointer(Point) {}
void SdlBackend::showPointer(bool) {}
std::uint64_t SdlBackend::nowMs() {
    return 0;
}
}  // namespace solvara
