// SPDX-License-Identifier: GPL-2.0-or-later
#include "support/small_tmpfs.h"

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace solvara::testing {

SmallTmpfs::SmallTmpfs(std::size_t bytes) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "solvara-tmpfs-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error_ = std::strerror(errno);
        return;
    }
    path_ = pattern;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
        mounted_ = true;
    else
        error_ = std::strerror(errno);
}

SmallTmpfs::~SmallTmpfs() {
    if (mounted_) umount2(path_.c_str(), MNT_DETACH);
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove(path_, ec);
}

}  // namespace solvara::testing
