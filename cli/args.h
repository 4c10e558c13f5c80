// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The arguments of one trovctl command, taken option by option. What is left at the end
// are the positional words; an option nobody took is a usage error.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace trov::cli {

enum ExitCode : int {
    kExitDone = 0,
    kExitFailed = 1,
    kExitUsage = 2,
    kExitRefused = 3,
    kExitUnreachable = 4,
    kExitProblems = 5, // a link check found broken links
    kExitCancelled = 130,
};

// A usage error (exit 2); what() names the option and the accepted values.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation that failed (exit 1); what() names the file and the reason.
class OperationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Args {
public:
    explicit Args(std::vector<std::string> args) : args_(std::move(args)) {}

    // "--name VALUE" or "--name=VALUE"; the last occurrence wins.
    std::optional<std::string> option(const std::string& name);
    // "--name" alone.
    bool flag(const std::string& name);
    // Everything not taken; throws UsageError for a leftover "--option". A lone "--"
    // ends the options: what follows is positional even when it starts with "-".
    std::vector<std::string> positionals();

    bool empty() const { return args_.empty(); }

private:
    std::vector<std::string> args_;
};

} // namespace trov::cli
