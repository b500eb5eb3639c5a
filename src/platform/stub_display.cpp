// Temporary stand-ins until the surface lands; delete this file then.
#include "platform/bmp_writer.h"
#include "platform/display.h"
#include "platform/window_backend.h"

namespace solvara {
Display::Display(WindowBackend& backend) : backend_(backend) {}
bool Display::open(std::string& error) {
    if (!backend_.openWindow(Size{kWidth, kHeight}, error)) return false;
    pages_.assign(static_cast<size_t>(kPages) * kWidth * kHeight, 0);
    open_ = true;
    return true;
}
void Display::setPages(int, int) {}
void Display::setPaletteEntry(int, std::uint32_t) {}
void Display::setTextGrid(int, int) {}
void Display::setTitle(std::string_view t) {
    backend_.setTitle(t);
}
Size Display::desktopSize() {
    return backend_.desktopSize();
}
Point Display::windowPosition() {
    return backend_.windowPosition();
}
void Display::moveWindow(int x, int y) {
    backend_.moveWindow(Point{x, y});
}
void Display::setColors(int f, int b) {
    foreground_ = f;
    background_ = b;
}
void Display::locate(int r, int c) {
    cursorRow_ = r;
    cursorColumn_ = c;
}
void Display::print(std::string_view, bool) {}
void Display::clear() {}
void Display::setTextViewport(int, int) {}
void Display::line(double, double, double, double, std::optional<int>, Shape) {}
void Display::circle(double, double, double, std::optional<int>, double, double, bool) {}
void Display::drawText(double, double, std::string_view) {}
void Display::lock() {}
void Display::unlock() {}
void Display::presentIfChanged() {}
std::uint8_t Display::pixel(int page, int x, int y) const {
    return pages_.empty() ? 0
                          : pages_[static_cast<size_t>(page) * kWidth * kHeight + y * kWidth + x];
}
const std::uint8_t* Display::pageData(int page) const {
    return pages_.data() + static_cast<size_t>(page) * kWidth * kHeight;
}
const std::array<Rgb, 256>& defaultVgaPalette() {
    static std::array<Rgb, 256> p{};
    return p;
}
const std::array<std::uint8_t, 4096> kFont8x16{};
int BmpWriter::savePage(const Display&, const std::string&) {
    return 0;
}
int BmpWriter::savePage(const Display&, int, const std::string&) {
    return 0;
}
}  // namespace solvara
