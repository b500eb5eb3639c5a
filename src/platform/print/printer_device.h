// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <memory>
#include <string_view>

namespace solvara {

// The printer as a text output file: opened with a device string such as
// "LPT:,TITLE = Solvara, EMU = TTY", written to like a file, and closed, which sends the job to
// the system's print spooler. Results are error codes; the program itself never tests them.
class PrinterDevice {
  public:
    // open() results.
    static constexpr int kOk = 0;
    static constexpr int kBadDeviceString = 1;
    static constexpr int kNoPrinter = 2;
    static constexpr int kJobNotStarted = 3;
    static constexpr int kNoMemory = 4;

    PrinterDevice();
    ~PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    int open(std::string_view deviceString, int fileNumber);
    // Writing or closing a file number that is not open does nothing.
    void write(int fileNumber, std::string_view bytes);
    void close(int fileNumber);
    bool isOpen(int fileNumber) const;

  private:
    struct Job;
    std::unique_ptr<Job> job_;
};

}  // namespace solvara
