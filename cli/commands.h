// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The commands of trovctl. Each lives in a file of its own and receives the arguments that
// follow its name, with the global options already taken.

#include "cli/args.h"
#include "compose/own_engines.h"
#include "settings/data_folder.h"

#include <iosfwd>
#include <string_view>

namespace trov::cli {

struct Context {
    Args& args;
    const DataFolder& dataFolder;
    std::ostream& out;
    std::ostream& err;
};

struct Command {
    std::string_view name;
    std::string_view summary;
    std::string_view usage; // printed by "trovctl NAME --help"
    int (*run)(Context&);
};

int runCompose(Context& ctx);
int runBrowsers(Context& ctx);
int runHistory(Context& ctx);
int runSuggest(Context& ctx);
int runCrawl(Context& ctx);
int runRobots(Context& ctx);
int runToggle(Context& ctx);
int runShow(Context& ctx);
int runEngines(Context& ctx);

// The own engines of the data folder; each skipped section is reported on err.
OwnEngines readOwnEngines(Context& ctx);

// "engines add SOURCE [--key KEY] [--name NAME]"; words start with "add".
int addEngine(Context& ctx, const std::vector<std::string>& words,
              const std::optional<std::string>& key, const std::optional<std::string>& name);

extern const Command kCommands[];
extern const std::size_t kCommandCount;

} // namespace trov::cli
