// Temporary stand-in until the printer device lands; delete this file then.
#include "platform/printer_device.h"

namespace solvara {
struct PrinterDevice::Job {};
PrinterDevice::PrinterDevice() = default;
PrinterDevice::~PrinterDevice() = default;
int PrinterDevice::open(std::string_view, int) {
    return kNoPrinter;
}
void PrinterDevice::write(int, std::string_view) {}
void PrinterDevice::close(int) {}
bool PrinterDevice::isOpen(int) const {
    return false;
}
}  // namespace solvara
