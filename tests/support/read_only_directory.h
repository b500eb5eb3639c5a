// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files/shell_quote.h"

namespace solvara::testing {

// Makes `dir` (created if missing) a directory nobody may write to, for the object's lifetime.
// Root writes into a directory without write permission, so as root the directory is a
// read-only file system of its own; elsewhere its permissions say it.
class ReadOnlyDirectory {
  public:
    explicit ReadOnlyDirectory(const std::filesystem::path& dir) : dir_(dir) {
        std::filesystem::create_directories(dir);
        if (geteuid() == 0) {
            mounted_ = std::system(("mount -t tmpfs -o ro,size=64k solvara-ro " +
                                    shellQuoted(dir.string()) + " 2>/dev/null")
                                       .c_str()) == 0;
            ok_ = mounted_;
        } else {
            std::filesystem::permissions(
                dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
            ok_ = true;
        }
    }
    ~ReadOnlyDirectory() {
        if (mounted_)
            (void)std::system(("umount " + shellQuoted(dir_.string()) + " 2>/dev/null").c_str());
        else
            std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
    }
    ReadOnlyDirectory(const ReadOnlyDirectory&) = delete;
    ReadOnlyDirectory& operator=(const ReadOnlyDirectory&) = delete;
    bool ok() const { return ok_; }

  private:
    std::filesystem::path dir_;
    bool mounted_ = false;
    bool ok_ = false;
};

}  // namespace solvara::testing
