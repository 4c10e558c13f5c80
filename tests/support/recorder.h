// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Programs on a temporary PATH that write the arguments they were started with to a file,
// NUL-terminated, so a test can compare them byte for byte.

#include "tests/support/temp_dir.h"

#include <chrono>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace trov::test {

class Recorder {
public:
    explicit Recorder(const TempDir& dir) : dir_(dir) {}

    // Writes bin/<name>; it records into <name>.args.
    std::string install(const std::string& name) {
        const std::string out = dir_.file(name + ".args");
        const std::string path = dir_.write(
            "bin/" + name, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" + out +
                               ".tmp'\nmv '" + out + ".tmp' '" + out + "'\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    std::string binDir() const { return dir_.file("bin"); }

    // The arguments name recorded, waiting for the detached program up to timeoutMs.
    std::optional<std::vector<std::string>> args(const std::string& name,
                                                 int timeoutMs = 10000) const {
        const std::string file = dir_.file(name + ".args");
        for (int waited = 0; waited <= timeoutMs; waited += 20) {
            struct stat st {};
            if (::stat(file.c_str(), &st) == 0) {
                std::istringstream in(dir_.read(name + ".args"));
                std::vector<std::string> out;
                for (std::string arg; std::getline(in, arg, '\0');)
                    out.push_back(arg);
                return out;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return std::nullopt;
    }
    bool ran(const std::string& name) const {
        struct stat st {};
        return ::stat(dir_.file(name + ".args").c_str(), &st) == 0;
    }

private:
    const TempDir& dir_;
};

} // namespace trov::test
