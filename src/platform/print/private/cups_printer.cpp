// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/print/private/cups_printer.h"

#include <cstring>
#include <vector>

#include "platform/print/private/paper_size.h"
#include "platform/print/private/print_libraries.h"

namespace solvara {

namespace {

// libcups calls this each time a wait on the spooler has lasted one slice: 1 waits another
// slice, 0 gives up. Short slices checked against the session's deadline end every wait soon
// after it, however many waits one libcups call makes.
constexpr double kSliceSeconds = 0.25;

int waitOn(http_t*, void* deadline) {
    return std::chrono::steady_clock::now() <
                   *static_cast<std::chrono::steady_clock::time_point*>(deadline)
               ? 1
               : 0;
}

double hundredthsMmToPt(int value) {
    return value * 72.0 / 2540.0;
}

// The sheet and its printable area as the printer describes a paper it has.
MediaArea areaOf(const cups_size_t& size) {
    MediaArea area;
    area.widthPt = hundredthsMmToPt(size.width);
    area.heightPt = hundredthsMmToPt(size.length);
    area.leftPt = hundredthsMmToPt(size.left);
    area.topPt = hundredthsMmToPt(size.top);
    area.printableWidthPt = hundredthsMmToPt(size.width - size.left - size.right);
    area.printableHeightPt = hundredthsMmToPt(size.length - size.top - size.bottom);
    return area;
}

// A paper the printer does not describe: the whole sheet, since its margins are unknown.
MediaArea areaOf(const PaperSize& paper) {
    MediaArea area;
    area.widthPt = area.printableWidthPt = hundredthsMmToPt(paper.widthHmm);
    area.heightPt = area.printableHeightPt = hundredthsMmToPt(paper.lengthHmm);
    return area;
}

}  // namespace

SpoolerSession::SpoolerSession(std::chrono::milliseconds budget)
    : budget_(budget), deadline_(std::chrono::steady_clock::now() + budget) {}

SpoolerSession::~SpoolerSession() {
    if (http_) printLibraries().httpClose(http_);
}

void SpoolerSession::renewBudget() {
    deadline_ = std::chrono::steady_clock::now() + budget_;
}

bool SpoolerSession::arm() {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline_ - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !http_) return false;
    printLibraries().httpSetTimeout(http_, kSliceSeconds, waitOn, &deadline_);
    return true;
}

bool SpoolerSession::findPrinter(const DeviceRequest& request) {
    const PrintLibraries& lib = printLibraries();
    // Forget a server name cached by an earlier session, so that CUPS_SERVER is read afresh.
    lib.cupsSetServer(nullptr);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline_ - std::chrono::steady_clock::now());
    int cancel = 0;
    http_ =
        lib.httpConnect2(lib.cupsServer(), lib.ippPort(), nullptr, AF_UNSPEC, lib.cupsEncryption(),
                         1, static_cast<int>(std::max<long long>(left.count(), 1)), &cancel);
    if (!http_ || !arm()) return false;

    cups_dest_t* dests = nullptr;
    const int count = lib.cupsGetDests2(http_, &dests);
    if (count <= 0) {
        lib.cupsFreeDests(count, dests);
        return false;
    }
    const cups_dest_t* chosen = nullptr;
    if (request.port == 0) {
        // A named printer may carry an instance after a slash, as CUPS names them.
        std::string name = request.printerName;
        std::string instance;
        if (const auto slash = name.find('/'); slash != std::string::npos) {
            instance = name.substr(slash + 1);
            name.resize(slash);
        }
        chosen = lib.cupsGetDest(name.empty() ? nullptr : name.c_str(),
                                 instance.empty() ? nullptr : instance.c_str(), count, dests);
    } else {
        std::vector<PrinterEntry> entries;
        for (int i = 0; i < count; ++i) {
            if (dests[i].instance) continue;
            const char* uri =
                lib.cupsGetOption("device-uri", dests[i].num_options, dests[i].options);
            entries.push_back({dests[i].name, uri ? uri : "", dests[i].is_default != 0});
        }
        const auto table = buildPortTable(entries);
        if (const auto it = table.find(request.port); it != table.end())
            chosen = lib.cupsGetDest(it->second.c_str(), nullptr, count, dests);
    }
    if (chosen) printer_ = chosen->name;
    lib.cupsFreeDests(count, dests);
    return !printer_.empty();
}

MediaArea SpoolerSession::defaultMedia() {
    const PrintLibraries& lib = printLibraries();
    cups_dest_t* dest = nullptr;
    cups_dinfo_t* info = nullptr;
    if (!printer_.empty() && arm()) dest = lib.cupsGetNamedDest(http_, printer_.c_str(), nullptr);
    if (dest && arm()) info = lib.cupsCopyDestInfo(http_, dest);

    // The printer's paper: the destination's media option (the user's own choice for this
    // printer, or the default the spooler listed with it), else the printer's media-default.
    // cupsGetDestMediaDefault() is not asked: without the option it answers with the library's
    // own default, Letter, whatever paper the printer holds.
    std::string printerMedia;
    if (dest)
        if (const char* media = lib.cupsGetOption("media", dest->num_options, dest->options))
            printerMedia = media;
    if (printerMedia.empty() && info)
        if (ipp_attribute_t* media = lib.cupsFindDestDefault(http_, dest, info, "media"))
            if (const char* name = lib.ippGetString(media, 0, nullptr)) printerMedia = name;

    // The size and margins the printer gives for a paper it lists.
    cups_size_t size{};
    const auto described = [&](const std::string& name) {
        return info && !name.empty() && arm() &&
               lib.cupsGetDestMediaByName(http_, dest, info, name.c_str(), CUPS_MEDIA_FLAGS_DEFAULT,
                                          &size) &&
               size.width > 0 && size.length > 0;
    };
    MediaArea area;
    if (described(printerMedia)) {
        area = areaOf(size);
    } else {
        // A printer that names no paper, or none it describes: the user's paper, with the
        // printer's margins for it when it has that paper.
        const PaperChoice choice = choosePaper(paperNamed(printerMedia), readPaperSettings());
        area = described(choice.paper.name) ? areaOf(size) : areaOf(choice.paper);
    }
    lib.cupsFreeDestInfo(info);
    lib.cupsFreeDests(dest ? 1 : 0, dest);
    return area;
}

bool SpoolerSession::createJob(const std::string& title) {
    if (printer_.empty() || !arm()) return false;
    jobId_ = printLibraries().cupsCreateJob(http_, printer_.c_str(), title.c_str(), 0, nullptr);
    return jobId_ > 0;
}

bool SpoolerSession::sendDocument(std::string_view mimeType, std::string_view bytes) {
    const PrintLibraries& lib = printLibraries();
    if (bytes.empty() || jobId_ <= 0 || !arm()) return false;
    const std::string type(mimeType);
    if (lib.cupsStartDocument(http_, printer_.c_str(), jobId_, "page", type.c_str(), 1) !=
        HTTP_STATUS_CONTINUE)
        return false;
    if (lib.cupsWriteRequestData(http_, bytes.data(), bytes.size()) != HTTP_STATUS_CONTINUE ||
        !arm()) {
        lib.cupsFinishDocument(http_, printer_.c_str());
        return false;
    }
    return lib.cupsFinishDocument(http_, printer_.c_str()) <= IPP_STATUS_OK_EVENTS_COMPLETE;
}

void SpoolerSession::cancelJob() {
    if (jobId_ <= 0 || !arm()) return;
    printLibraries().cupsCancelJob2(http_, printer_.c_str(), jobId_, 0);
    jobId_ = 0;
}

}  // namespace solvara
