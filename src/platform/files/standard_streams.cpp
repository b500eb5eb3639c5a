// SPDX-License-Identifier: GPL-2.0-or-later
#include "platform/files/standard_streams.h"

#include <unistd.h>

#include <cerrno>

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
    streams.read = [](char* buffer, std::size_t size) -> std::size_t {
        for (;;) {
            const ssize_t got = ::read(STDIN_FILENO, buffer, size);
            if (got < 0 && errno == EINTR) continue;
            return got > 0 ? static_cast<std::size_t>(got) : 0;
        }
    };
    streams.write = [](std::string_view text) { return writeAll(STDOUT_FILENO, text); };
    streams.error = [](std::string_view line) { (void)writeAll(STDERR_FILENO, line); };
    return streams;
}

}  // namespace solvara
