// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/private_spooler.h"

#include <cairo.h>
#include <cups/cups.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace solvara::testing {

namespace {

namespace fs = std::filesystem;

std::optional<std::string> getEnv(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::optional<std::string>(v) : std::nullopt;
}

void putEnv(const std::string& name, const std::optional<std::string>& value) {
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

fs::path makeBase(const char* stem) {
    std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) return {};
    // Filters run as user lp and must reach the spool and configuration below.
    chmod(pattern.c_str(), 0755);
    return pattern;
}

bool writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out);
}

// Cairo and fontconfig keep the fonts a printed page loaded until the process ends; the leak
// checker of the sanitizer build would count them. Every test binary that prints links this file,
// so the caches are released here after the last test.
class FontCachesReleased : public ::testing::Environment {
  public:
    void TearDown() override {
        cairo_debug_reset_static_data();
        FcFini();
    }
};
[[maybe_unused]] const auto* const kFontCachesReleased =
    ::testing::AddGlobalTestEnvironment(new FontCachesReleased);

}  // namespace

std::string commandOutput(const std::string& commandLine) {
    FILE* pipe = popen(commandLine.c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

std::string words(const std::string& line) {
    std::istringstream in(line);
    std::string out;
    for (std::string word; in >> word;)
        out += (out.empty() ? "" : " ") + word;
    return out;
}

ScopedEnv::ScopedEnv(std::string name, const std::optional<std::string>& value)
    : name_(std::move(name)), old_(getEnv(name_.c_str())) {
    putEnv(name_, value);
}

ScopedEnv::~ScopedEnv() {
    putEnv(name_, old_);
}

PrivateSpooler::PrivateSpooler() = default;

PrivateSpooler::~PrivateSpooler() {
    stop();
    std::error_code ec;
    if (!base_.empty()) fs::remove_all(base_, ec);
}

bool PrivateSpooler::run(const std::string& commandLine) {
    const std::string line =
        commandLine + " >>" + shellQuoted((base_ / "commands.log").string()) + " 2>&1";
    if (std::system(line.c_str()) == 0) return true;
    error_ = "failed: " + commandLine + "\n" +
             commandOutput("cat " + shellQuoted((base_ / "commands.log").string()));
    return false;
}

bool PrivateSpooler::start() {
    if (running()) return true;
    base_ = makeBase("solvara-cups");
    if (base_.empty()) {
        error_ = "cannot make a directory for the spooler";
        return false;
    }
    const std::string b = base_.string();
    for (const char* sub : {"spool", "cache", "state", "log", "out", "ppd"})
        fs::create_directories(base_ / sub);
    // Filters write their temporary files here as user lp.
    fs::create_directories(base_ / "tmp");
    chmod((base_ / "tmp").c_str(), 01777);

    std::ostringstream filesConf;
    filesConf << "ServerRoot " << b << "\n"
              << "RequestRoot " << b << "/spool\n"
              << "TempDir " << b << "/tmp\n"
              << "CacheDir " << b << "/cache\n"
              << "StateDir " << b << "/state\n"
              << "AccessLog " << b << "/log/access_log\n"
              << "ErrorLog " << b << "/log/error_log\n"
              << "PageLog " << b << "/log/page_log\n"
              << "Printcap " << b << "/printcap\n"
              << "FileDevice Yes\n"
              << "SystemGroup root\n";
    // Local access only, through the socket; documents are kept so tests can read raw jobs.
    std::ostringstream server;
    server << "Listen " << b << "/cups.sock\n"
           << "Browsing No\n"
           << "WebInterface No\n"
           << "LogLevel warn\n"
           << "PreserveJobFiles Yes\n"
           << "LimitRequestBody " << requestBodyLimitBytes << "\n"
           << "DefaultPolicy local\n"
           << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
           << "<Policy local>\n  <Limit All>\n    Order allow,deny\n    Allow all\n"
           << "  </Limit>\n</Policy>\n";
    const bool written = writeFile(base_ / "cups-files.conf", filesConf.str()) &&
                         writeFile(base_ / "cupsd.conf", server.str());
    if (!written) {
        error_ = "cannot write the spooler's configuration";
        return false;
    }
    const std::string conf = (base_ / "cupsd.conf").string();
    const std::string files = (base_ / "cups-files.conf").string();
    if (!run("cupsd -t -c " + shellQuoted(conf) + " -s " + shellQuoted(files))) return false;

    std::vector<std::string> args = {"cupsd", "-f", "-c", conf, "-s", files};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawnp(&pid, "cupsd", nullptr, nullptr, argv.data(), environ) != 0) {
        error_ = "cannot start cupsd";
        return false;
    }
    pid_ = pid;

    // The program and lpadmin talk to this spooler only.
    for (const char* name : {"CUPS_SERVER", "PRINTER", "LPDEST"})
        savedEnv_.emplace_back(name, getEnv(name));
    setenv("CUPS_SERVER", socket().c_str(), 1);
    unsetenv("PRINTER");
    unsetenv("LPDEST");
    cupsSetServer(nullptr);

    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < until) {
        if (fs::exists(socket())) {
            http_t* http = httpConnect2(socket().c_str(), ippPort(), nullptr, AF_UNSPEC,
                                        HTTP_ENCRYPTION_NEVER, 1, 1000, nullptr);
            if (http) {
                httpClose(http);
                return true;
            }
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            error_ = "cupsd ended at start:\n" + log();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    error_ = "cupsd did not open its socket:\n" + log();
    stop();
    return false;
}

void PrivateSpooler::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > until) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        pid_ = -1;
    }
    for (const auto& [name, value] : savedEnv_)
        putEnv(name, value);
    savedEnv_.clear();
    cupsSetServer(nullptr);
}

bool PrivateSpooler::addQueue(const std::string& name, bool makeDefault, const std::string& model,
                              const std::string& media) {
    fs::create_directories(base_ / "out" / name);
    const std::string uri = "file://" + outputPdf(name).string();
    std::string options = model;
    if (!media.empty()) options += " -o " + shellQuoted("media-default=" + media);
    if (!run("lpadmin -p " + shellQuoted(name) + " -E -v " + shellQuoted(uri) + options))
        return false;
    return !makeDefault || run("lpadmin -d " + shellQuoted(name));
}

bool PrivateSpooler::addPdfQueue(const std::string& name, bool makeDefault,
                                 const std::string& media) {
    return addQueue(name, makeDefault, " -m lsb/usr/cupsfilters/Generic-PDF_Printer-PDF.ppd",
                    media);
}

bool PrivateSpooler::addRawQueue(const std::string& name, bool makeDefault,
                                 const std::string& media) {
    return addQueue(name, makeDefault, "", media);
}

fs::path PrivateSpooler::outputPdf(const std::string& name) const {
    return base_ / "out" / name / "job.pdf";
}

fs::path PrivateSpooler::documentFile(int jobId) const {
    char name[32];
    std::snprintf(name, sizeof name, "d%05d-001", jobId);
    return base_ / "spool" / name;
}

std::vector<PrivateSpooler::Job> PrivateSpooler::jobs() const {
    std::vector<Job> result;
    http_t* http = httpConnect2(socket().c_str(), ippPort(), nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_NEVER, 1, 2000, nullptr);
    if (!http) return result;
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(http, &list, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int i = 0; i < count; ++i)
        result.push_back(
            Job{list[i].id, list[i].dest ? list[i].dest : "", list[i].title ? list[i].title : "",
                list[i].format ? list[i].format : "", static_cast<int>(list[i].state)});
    cupsFreeJobs(count, list);
    httpClose(http);
    return result;
}

std::optional<PrivateSpooler::Job> PrivateSpooler::waitForJob(
    int id, std::chrono::milliseconds limit) const {
    const auto until = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < until) {
        for (const Job& job : jobs())
            if (job.id == id && job.state >= IPP_JSTATE_CANCELED) return job;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

std::string PrivateSpooler::log() const {
    return commandOutput("tail -n 30 " + shellQuoted((base_ / "log" / "error_log").string()) +
                         " 2>/dev/null");
}

SilentServer::SilentServer() {
    dir_ = makeBase("solvara-silent");
    if (dir_.empty()) return;
    path_ = dir_ / "cups.sock";
    fd_ = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path_.c_str(), sizeof addr.sun_path - 1);
    if (fd_ < 0 || bind(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd_, 8) != 0) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
}

SilentServer::~SilentServer() {
    if (fd_ >= 0) ::close(fd_);
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
}

}  // namespace solvara::testing
