// SPDX-License-Identifier: GPL-3.0-or-later
// trovctl: the command-line companion of Trov, on the same core as the window program.

#include "cli/commands.h"
#include "common/version.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

using namespace trov;
using namespace trov::cli;

namespace {

void printHelp(std::ostream& out) {
    out << "Usage: trovctl [--data-dir DIR] COMMAND [OPTIONS]\n\n"
           "Composes and opens Trov searches, runs its crawler, and reads and writes its\n"
           "history and suggestion stores.\n\nCommands:\n";
    for (std::size_t i = 0; i < kCommandCount; ++i)
        out << "  " << kCommands[i].name << std::string(12 - kCommands[i].name.size(), ' ')
            << kCommands[i].summary << "\n";
    out << "\nGlobal options:\n"
           "  --data-dir DIR  use DIR as the data folder instead of $XDG_DATA_HOME/Trov/\n"
           "  --help          this text; trovctl COMMAND --help for one command\n"
           "  --version       the version\n";
}

const Command* findCommand(std::string_view name) {
    for (std::size_t i = 0; i < kCommandCount; ++i)
        if (kCommands[i].name == name)
            return &kCommands[i];
    return nullptr;
}

struct CommandLine {
    std::optional<std::string> dataDir;
    std::optional<std::string> command;
    std::vector<std::string> rest;
};

// --data-dir may stand before or after the command; the command is the first word that is
// not an option, and everything else belongs to it.
CommandLine splitCommandLine(const std::vector<std::string>& raw) {
    CommandLine line;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const std::string& a = raw[i];
        if (a == "--") {
            line.rest.insert(line.rest.end(), raw.begin() + static_cast<std::ptrdiff_t>(i),
                             raw.end());
            break;
        }
        if (a == "--data-dir") {
            if (i + 1 >= raw.size())
                throw UsageError("--data-dir needs a value");
            line.dataDir = raw[++i];
        } else if (a.rfind("--data-dir=", 0) == 0) {
            line.dataDir = a.substr(11);
        } else if (!line.command && !a.empty() && a[0] != '-') {
            line.command = a;
        } else {
            line.rest.push_back(a);
        }
    }
    return line;
}

} // namespace

int main(int argc, char** argv) {
    try {
        CommandLine line = splitCommandLine({argv + 1, argv + argc});
        Args args(std::move(line.rest));
        if (!line.command) {
            if (args.flag("--version")) {
                std::cout << "trovctl " << kVersion << "\n";
                return kExitDone;
            }
            const bool help = args.flag("--help") || args.flag("-h");
            args.positionals(); // an unknown option is named before the usage
            printHelp(help ? std::cout : std::cerr);
            return help ? kExitDone : kExitUsage;
        }
        const Command* command = findCommand(*line.command);
        if (!command) {
            std::string names;
            for (std::size_t i = 0; i < kCommandCount; ++i)
                names += (i ? ", " : "") + std::string(kCommands[i].name);
            throw UsageError("unknown command " + *line.command + "; commands: " + names +
                             " (see trovctl --help)");
        }
        if (args.flag("--help") || args.flag("-h")) {
            std::cout << command->usage;
            return kExitDone;
        }
        if (line.dataDir && line.dataDir->empty())
            throw UsageError("--data-dir needs a folder");
        const DataFolder folder =
            line.dataDir ? DataFolder::at(*line.dataDir) : DataFolder::resolve();
        Context ctx{args, folder, std::cout, std::cerr};
        return command->run(ctx);
    } catch (const UsageError& e) {
        std::cerr << "trovctl: " << e.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "trovctl: " << e.what() << "\n";
        return kExitFailed;
    }
}
