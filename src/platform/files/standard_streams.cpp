// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/standard_streams.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace solvara {

namespace {

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

ByteStreams standardStreams() {
    ByteStreams streams;
    // A closed standard input fails with EBADF, a directory with EISDIR; one left non-blocking
    // by whoever started the program is waited on rather than taken for a failure.
    streams.read = [](char* buffer, std::size_t size) -> ReadResult {
        for (;;) {
            const ssize_t got = ::read(STDIN_FILENO, buffer, size);
            if (got >= 0) return static_cast<std::size_t>(got);
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd input{STDIN_FILENO, POLLIN, 0};
                (void)::poll(&input, 1, -1);
                continue;
            }
            ReadResult failed;
            failed.error = std::strerror(errno);
            return failed;
        }
    };
    streams.write = [](std::string_view text) { return writeAll(STDOUT_FILENO, text); };
    streams.error = [](std::string_view line) { (void)writeAll(STDERR_FILENO, line); };
    return streams;
}

}  // namespace solvara
