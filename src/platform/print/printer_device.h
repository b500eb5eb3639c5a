// SPDX-License-Identifier: GPL-2.0-or-later
// The print room: the printer as a text file, behind it the spooler and the page drawing.
#pragma once

#include <memory>
#include <string_view>

namespace solvara {

// The printer as a text output file: opened with a device string such as
// "LPT:,TITLE = Solvara, EMU = TTY", written to like a file, and closed, which sends the job to
// the system's print spooler. Opening and closing give error codes.
class PrinterDevice {
  public:
    enum class OpenResult {
        Ok = 0,
        BadDeviceString = 1,  // unreadable, or an emulation other than RAW or TTY
        NoPrinter = 2,        // no such printer, or no spooler to ask
        JobNotStarted = 3,
        NoMemory = 4,
    };

    PrinterDevice();
    ~PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    enum class CloseResult {
        Ok = 0,       // sent to the spooler, or withdrawn when nothing was written to print
        NotOpen = 1,  // no job has that file number
        Failed = 2,   // the page could not be drawn or the spooler did not take it
    };

    OpenResult open(std::string_view deviceString, int fileNumber);
    // Writing or closing a file number that is not open does nothing.
    void write(int fileNumber, std::string_view bytes);
    // Ends the job. A job that fails is withdrawn from the spooler, so that none is left waiting
    // there for a document.
    CloseResult close(int fileNumber);
    bool isOpen(int fileNumber) const;

  private:
    struct Job;
    std::unique_ptr<Job> job_;
};

}  // namespace solvara
