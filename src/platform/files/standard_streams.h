// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace solvara {

// What one read of the input gave: a number of bytes, 0 at its end, or why it failed.
struct ReadResult {
    ReadResult(std::size_t count = 0) : bytes(count) {}
    std::size_t bytes = 0;
    std::string error;  // "Is a directory", when the read failed
};

// Bytes in and out of a command without a window, as functions so that a test can stand in for
// the process's own streams.
struct ByteStreams {
    // Up to `size` bytes of input as soon as some are there.
    std::function<ReadResult(char* buffer, std::size_t size)> read;
    // All of `text` to standard output; false when it could not be written.
    std::function<bool(std::string_view text)> write;
    // One line to standard error.
    std::function<void(std::string_view line)> error;
};

// The process's standard input, output and error.
ByteStreams standardStreams();

}  // namespace solvara
