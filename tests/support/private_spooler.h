// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/files/shell_quote.h"

namespace solvara::testing {

// A print spooler of the tests' own: cupsd run in the foreground on a Unix socket in a fresh
// directory, never the system's. While it lives, CUPS_SERVER points at it (and PRINTER and LPDEST
// are unset), so the program under test and lpadmin both talk to it; the old values come back
// when it stops. Needs cupsd and, for PDF queues, the cups-filters PDF driver.
class PrivateSpooler {
  public:
    PrivateSpooler();
    ~PrivateSpooler();
    PrivateSpooler(const PrivateSpooler&) = delete;
    PrivateSpooler& operator=(const PrivateSpooler&) = delete;

    // Requests with a body larger than this many bytes are refused (cupsd's LimitRequestBody),
    // documents too; set before start(). 0 takes any size. A PDF queue cannot be added under a
    // limit of a few kilobytes, a raw one can.
    int requestBodyLimitBytes = 0;

    // Writes the configuration, checks it and starts cupsd; false with `error()` set on failure.
    bool start();
    void stop();
    bool running() const { return pid_ > 0; }
    const std::string& error() const { return error_; }

    const std::filesystem::path& base() const { return base_; }
    std::filesystem::path socket() const { return base_ / "cups.sock"; }

    // A queue that turns each job into a PDF file, outputPdf(name), replaced by every job.
    // `media`, a name such as "iso_a4_210x297mm", is its default paper (its media-default).
    bool addPdfQueue(const std::string& name, bool makeDefault, const std::string& media = {});
    // A queue that passes each job on unchanged to a file in the same place. It describes no
    // paper, and names none unless given `media`.
    bool addRawQueue(const std::string& name, bool makeDefault, const std::string& media = {});
    std::filesystem::path outputPdf(const std::string& name) const;

    struct Job {
        int id = 0;
        std::string printer;
        std::string title;
        std::string format;
        int state = 0;  // ipp_jstate_t: 9 completed, 7 canceled, 8 aborted
    };
    // The document of a job as the spooler received it (documents are kept after printing).
    std::filesystem::path documentFile(int jobId) const;
    // Every job the spooler knows, finished or not.
    std::vector<Job> jobs() const;
    // Waits until the job has finished (completed, canceled or aborted).
    std::optional<Job> waitForJob(int id,
                                  std::chrono::milliseconds limit = std::chrono::seconds(30)) const;
    // The tail of the spooler's error log, for failure messages.
    std::string log() const;

  private:
    bool run(const std::string& commandLine);
    bool addQueue(const std::string& name, bool makeDefault, const std::string& model,
                  const std::string& media);

    std::filesystem::path base_;
    pid_t pid_ = -1;
    std::string error_;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnv_;
};

// A Unix socket that accepts connections and never answers: a spooler that hangs.
class SilentServer {
  public:
    SilentServer();
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    bool ok() const { return fd_ >= 0; }
    const std::filesystem::path& socket() const { return path_; }

  private:
    std::filesystem::path dir_;
    std::filesystem::path path_;
    int fd_ = -1;
};

// Runs a command and returns its standard output ("" when it cannot run).
std::string commandOutput(const std::string& commandLine);

// The words of a line one blank apart, for comparing printed lines whatever their spacing.
std::string words(const std::string& line);

// Sets (or, given nullopt, unsets) an environment variable for the lifetime of the object.
class ScopedEnv {
  public:
    ScopedEnv(std::string name, const std::optional<std::string>& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    std::string name_;
    std::optional<std::string> old_;
};

}  // namespace solvara::testing
