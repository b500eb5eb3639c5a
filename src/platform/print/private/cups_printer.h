// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/print/private/device_string.h"

typedef struct _http_s http_t;

namespace solvara {

// The sheet a page is printed on and its printable area, in points (1/72 inch).
struct MediaArea {
    double widthPt = 595.28;  // A4 until a paper is chosen
    double heightPt = 841.89;
    double leftPt = 0;  // the printable area, from the top-left of the sheet
    double topPt = 0;
    double printableWidthPt = 595.28;
    double printableHeightPt = 841.89;
};

// One conversation with the system's print spooler (CUPS): it finds the printer, starts a job
// and sends the document. Every step shares one time budget from the moment the session is made,
// so a spooler that accepts a connection and then never answers costs about that long (libcups
// adds up to a second and a quarter of waits of its own); left alone, its waits would be a minute
// or more. Every call but the constructor needs loadPrintLibraries() to have succeeded.
class SpoolerSession {
  public:
    static constexpr std::chrono::milliseconds kBudget{3000};

    explicit SpoolerSession(std::chrono::milliseconds budget = kBudget);
    ~SpoolerSession();
    SpoolerSession(const SpoolerSession&) = delete;
    SpoolerSession& operator=(const SpoolerSession&) = delete;

    // Connects to the spooler that CUPS_SERVER or the client configuration names, and finds the
    // printer the request asks for. False when there is no spooler, it does not answer in time or
    // it has no such printer.
    bool findPrinter(const DeviceRequest& request);
    const std::string& printerName() const { return printer_; }
    // The sheet to print on: the printer's default media, else the user's paper (choosePaper()),
    // with the printable area the printer gives for it; the whole sheet when it gives none.
    MediaArea defaultMedia();

    // Gives the session its whole budget again, for a step that comes later (the document).
    void renewBudget();

    // Creates the job with its title; false when the spooler refuses it or runs out of time.
    bool createJob(const std::string& title);
    int jobId() const { return jobId_; }
    // Sends the one document of the job (MIME type such as "application/pdf") and closes the job.
    // False when the spooler does not take it, and at once for an empty document.
    bool sendDocument(std::string_view mimeType, std::string_view bytes);
    // Withdraws a job that has nothing to print or whose document failed.
    void cancelJob();

  private:
    // Arms the connection's time-out with what is left of the budget; false when none is left.
    bool arm();

    std::chrono::milliseconds budget_;
    std::chrono::steady_clock::time_point deadline_;
    http_t* http_ = nullptr;
    std::string printer_;
    int jobId_ = 0;
};

}  // namespace solvara
