// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>
#include <vector>

namespace trov::test {

struct ProcessResult {
    int exitCode = -1; // 128 + signal when killed
    std::string out, err;
};

struct ProcessOptions {
    std::map<std::string, std::string> env; // set (an empty value unsets)
    int timeoutMs = 60000;                  // then killed by its process id
};

// Runs argv[0] (searched on PATH) with the arguments, captures both outputs.
ProcessResult runProcess(const std::vector<std::string>& argv, const ProcessOptions& options = {});

} // namespace trov::test
