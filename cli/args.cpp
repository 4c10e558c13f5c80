// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/args.h"

#include <algorithm>

namespace trov::cli {

namespace {
bool isTerminator(const std::string& a) {
    return a == "--";
}
} // namespace

std::optional<std::string> Args::option(const std::string& name) {
    std::optional<std::string> value;
    const std::string prefix = name + "=";
    for (std::size_t i = 0; i < args_.size();) {
        if (isTerminator(args_[i]))
            break;
        if (args_[i] == name) {
            if (i + 1 >= args_.size())
                throw UsageError(name + " needs a value");
            value = args_[i + 1];
            args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i),
                        args_.begin() + static_cast<std::ptrdiff_t>(i + 2));
        } else if (args_[i].rfind(prefix, 0) == 0) {
            value = args_[i].substr(prefix.size());
            args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return value;
}

bool Args::flag(const std::string& name) {
    bool seen = false;
    for (std::size_t i = 0; i < args_.size();) {
        if (isTerminator(args_[i]))
            break;
        if (args_[i] == name) {
            seen = true;
            args_.erase(args_.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return seen;
}

std::vector<std::string> Args::positionals() {
    std::vector<std::string> words;
    bool optionsEnded = false;
    for (const auto& a : args_) {
        if (!optionsEnded && isTerminator(a)) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && a.size() > 1 && a[0] == '-')
            throw UsageError("unknown option " + a + " (see trovctl --help)");
        words.push_back(a);
    }
    args_.clear();
    return words;
}

} // namespace trov::cli
