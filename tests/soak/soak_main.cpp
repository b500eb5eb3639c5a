// SPDX-License-Identifier: GPL-2.0-or-later
// solvara_soak: the long random-input soak. Usage: solvara_soak [--events N] [--seed N]
// Without --seed the seed comes from the clock; it is printed first, so a failure can be
// replayed with the same seed.
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "soak/soak.h"

int main(int argc, char** argv) {
    solvara::soak::SoakOptions options;
    options.events = 1000000;
    options.seed = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch() /
                                              std::chrono::microseconds(1));
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--events") == 0) {
            options.events = std::strtoull(argv[i + 1], nullptr, 10);
        } else if (std::strcmp(argv[i], "--seed") == 0) {
            options.seed = std::strtoull(argv[i + 1], nullptr, 10);
        } else {
            std::cerr << "usage: solvara_soak [--events N] [--seed N]\n";
            return 2;
        }
    }
    std::cout << "solvara_soak: seed " << options.seed << ", " << options.events << " events"
              << std::endl;
    solvara::soak::isolateFromSpooler();
    options.progress = &std::cout;
    const auto started = std::chrono::steady_clock::now();
    const solvara::soak::SoakReport report = solvara::soak::runSoak(options);
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::cout << solvara::soak::summary(report) << "; " << seconds.count() << " s" << std::endl;
    if (!report.ok) {
        std::cerr << report.failure << std::endl;
        return 1;
    }
    std::cout << "solvara_soak: clean" << std::endl;
    return 0;
}
