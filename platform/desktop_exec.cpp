#include "platform/browsers.h"

namespace trov::platform {

namespace {

// Splits by the Exec quoting rules: blanks separate arguments outside double quotes;
// inside them a backslash makes the next '"', '`', '$' or '\' literal.
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
                       std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos) {
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

} // namespace

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
                // A command takes the address once, as the entry format allows one such
                // code: a line of many cannot multiply the address into gigabytes.
                if (!addressPlaced) {
                    out += address;
                    addressPlaced = true;
                    onlyCodes = false;
                }
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
