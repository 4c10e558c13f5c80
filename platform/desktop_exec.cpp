// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/browsers.h"

namespace trov::platform {

namespace {

// The characters a backslash makes literal inside double quotes.
constexpr std::string_view kQuotedEscapes = "\"`$\\";

} // namespace

// Blanks separate arguments outside double quotes; inside them a backslash makes the next
// '"', '`', '$' or '\' literal.
std::vector<std::string> splitExec(std::string_view exec) {
    std::vector<std::string> args;
    std::string current;
    bool inArg = false;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"') {
                quoted = false;
            } else if (c == '\\' && i + 1 < exec.size() &&
                       kQuotedEscapes.find(exec[i + 1]) != std::string_view::npos) {
                current += exec[++i];
            } else {
                current += c;
            }
        } else if (c == ' ' || c == '\t' || c == '\n') {
            if (inArg)
                args.push_back(std::move(current));
            current.clear();
            inArg = false;
        } else if (c == '"') {
            quoted = true;
            inArg = true;
        } else {
            current += c;
            inArg = true;
        }
    }
    if (inArg)
        args.push_back(std::move(current));
    return args;
}

std::string joinExec(const std::vector<std::string>& args) {
    std::string exec;
    for (const std::string& arg : args) {
        if (!exec.empty())
            exec += ' ';
        if (!arg.empty() && arg.find_first_of(" \t\n\"`$\\") == std::string::npos) {
            exec += arg;
            continue;
        }
        exec += '"';
        for (const char c : arg) {
            if (kQuotedEscapes.find(c) != std::string_view::npos)
                exec += '\\';
            exec += c;
        }
        exec += '"';
    }
    return exec;
}

std::size_t programIndex(const std::vector<std::string>& args) {
    std::size_t i = 0;
    if (i < args.size() && args[i] == "env")
        for (++i; i < args.size() && args[i].find('=') != std::string::npos;)
            ++i;
    return i;
}

std::vector<std::string> expandExec(std::string_view exec, const std::string& address) {
    std::vector<std::string> argv;
    bool addressPlaced = false;
    for (const std::string& arg : splitExec(exec)) {
        std::string out;
        bool onlyCodes = !arg.empty();
        for (std::size_t i = 0; i < arg.size(); ++i) {
            if (arg[i] != '%' || i + 1 >= arg.size()) {
                out += arg[i];
                onlyCodes = false;
                continue;
            }
            const char code = arg[++i];
            switch (code) {
            case '%':
                out += '%';
                onlyCodes = false;
                break;
            case 'u':
            case 'U':
            case 'f':
            case 'F':
                out += address;
                addressPlaced = true;
                onlyCodes = false;
                break;
            default: // %i, %c, %k and the deprecated codes carry nothing we have
                break;
            }
        }
        if (!onlyCodes)
            argv.push_back(std::move(out));
    }
    if (!argv.empty() && !addressPlaced)
        argv.push_back(address);
    return argv;
}

} // namespace trov::platform
