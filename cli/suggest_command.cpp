// SPDX-License-Identifier: GPL-3.0-or-later
// trovctl suggest: the suggestion store, read and changed by the window program's rules.

#include "cli/commands.h"
#include "platform/paths.h"
#include "settings/config.h"
#include "suggest/suggestion_manager.h"
#include "suggest/suggestion_store.h"

#include <ostream>

namespace trov::cli {

namespace {

struct Subcommand {
    std::string_view name;
    bool takesText;
    bool writes;
};

constexpr Subcommand kSubcommands[] = {
    {"list", false, false},
    {"add", true, true},
    {"match", true, false},
    {"delete", true, true},
};

void fail(const FileError& error) {
    throw OperationError(error.path + ": " + error.reason);
}

void printLines(Context& ctx, const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        ctx.out << line << '\n';
}

} // namespace

int runSuggest(Context& ctx) {
    const std::vector<std::string> words = ctx.args.positionals();
    if (words.empty())
        throw UsageError("suggest needs a subcommand: list, add, match, delete");
    const Subcommand* sub = nullptr;
    for (const Subcommand& s : kSubcommands)
        if (s.name == words[0])
            sub = &s;
    if (!sub)
        throw UsageError("unknown suggest subcommand " + words[0] +
                         "; subcommands: list, add, match, delete");
    if (words.size() != (sub->takesText ? 2u : 1u))
        throw UsageError(sub->takesText ? "suggest " + words[0] + " needs one TEXT (quote it)"
                                        : "suggest list takes no words");

    const Config config(ctx.dataFolder.file(kConfigFileName));
    SuggestionStore store(ctx.dataFolder.file(kSuggestionFileName));
    FileError error;
    // Reading commands take the shipped store over in memory only.
    if (!store.load({config.readBool(cfg::AppStart), platform::shippedStoreDirs(), sub->writes},
                    &error))
        fail(error);

    const std::string_view name = sub->name;
    if (name == "list") {
        printLines(ctx, store.suggestionList());
    } else if (name == "match") {
        printLines(ctx, store.dropDownRows(words[1]));
    } else if (name == "add") {
        if (isSuggestionWorthy(words[1]) && !store.osveziBazo(words[1], &error))
            fail(error);
    } else {
        SuggestionManager manager;
        if (!deleteSearchSuggestion(store, manager, words[1], &error))
            fail(error);
    }
    return kExitDone;
}

} // namespace trov::cli
