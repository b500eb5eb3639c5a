// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace solvara::testing {

// A small RAM file system of its own, mounted on a fresh directory for the lifetime of the object,
// so that a disk can fill up under the code being tested. Mounting needs root (or the right
// capability); where it is not allowed, mounted() is false and error() says why.
class SmallTmpfs {
  public:
    explicit SmallTmpfs(std::size_t bytes);
    ~SmallTmpfs();
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    bool mounted_ = false;
    std::string error_;
};

}  // namespace solvara::testing
