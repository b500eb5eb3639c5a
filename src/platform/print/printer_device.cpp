// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/printer_device.h"

#include <cmath>
#include <new>
#include <optional>
#include <string>

#include "platform/print/private/cups_printer.h"
#include "platform/print/private/device_string.h"
#include "platform/print/private/print_libraries.h"
#include "platform/print/private/text_page_layout.h"
#include "platform/print/private/text_pdf.h"

namespace solvara {

namespace {

constexpr const char* kDefaultTitle = "Solvara print";

}  // namespace

// One open job. The spooler is asked for the printer and the job at open(); the document itself
// is made and sent at close(), when all its bytes are known.
struct PrinterDevice::Job {
    int fileNumber = 0;
    SpoolerSession spooler;
    MediaArea media;
    TextFontMetrics font;
    std::optional<TextPageLayout> layout;  // text jobs only
    std::string raw;                       // raw jobs only
};

PrinterDevice::PrinterDevice() = default;
PrinterDevice::~PrinterDevice() {
    if (job_) close(job_->fileNumber);
}

PrinterDevice::OpenResult PrinterDevice::open(std::string_view deviceString, int fileNumber) {
    // One device, one job: a second open ends the first as close() would.
    if (job_) close(job_->fileNumber);
    const auto request = parseDeviceString(deviceString);
    if (!request) return OpenResult::BadDeviceString;
    // Without libcups and libcairo there is no printer; every step below calls them.
    if (!loadPrintLibraries()) return OpenResult::NoPrinter;
    try {
        auto job = std::make_unique<Job>();
        job->fileNumber = fileNumber;
        if (!job->spooler.findPrinter(*request)) return OpenResult::NoPrinter;
        if (request->emulation == Emulation::Tty) {
            job->media = job->spooler.defaultMedia();
            job->font = measureTextFont();
            const int columns =
                static_cast<int>(std::floor(job->media.printableWidthPt / job->font.cellWidthPt));
            const int lines =
                static_cast<int>(std::floor(job->media.printableHeightPt / job->font.lineHeightPt));
            job->layout.emplace(columns, lines);
        }
        if (!job->spooler.createJob(request->title.empty() ? kDefaultTitle : request->title))
            return OpenResult::JobNotStarted;
        job_ = std::move(job);
        return OpenResult::Ok;
    } catch (const std::bad_alloc&) {
        return OpenResult::NoMemory;
    }
}

void PrinterDevice::write(int fileNumber, std::string_view bytes) {
    if (!isOpen(fileNumber)) return;
    if (job_->layout)
        job_->layout->write(bytes);
    else
        job_->raw.append(bytes);
}

PrinterDevice::CloseResult PrinterDevice::close(int fileNumber) {
    if (!isOpen(fileNumber)) return CloseResult::NotOpen;
    const std::unique_ptr<Job> job = std::move(job_);
    job->spooler.renewBudget();
    const bool text = job->layout.has_value();
    if (text) job->layout->finish();
    // A job in which no character was drawn (no byte written, raw) has nothing to print.
    if (text ? job->layout->pages().empty() : job->raw.empty()) {
        job->spooler.cancelJob();
        return CloseResult::Ok;
    }
    // A page that cannot be drawn or a document the spooler does not take fails the job, which
    // would otherwise wait on the spooler for its document for ever.
    const bool sent =
        text ? job->spooler.sendDocument("application/pdf",
                                         renderTextPdf(job->layout->pages(), job->media, job->font))
             : job->spooler.sendDocument("application/vnd.cups-raw", job->raw);
    if (sent) return CloseResult::Ok;
    job->spooler.cancelJob();
    return CloseResult::Failed;
}

bool PrinterDevice::isOpen(int fileNumber) const {
    return job_ && job_->fileNumber == fileNumber;
}

}  // namespace solvara
