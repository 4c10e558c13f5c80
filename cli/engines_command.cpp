// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands.h"
#include "compose/engines.h"
#include "suggest/engine_suggestions.h"

#include <ostream>

namespace trov::cli {

OwnEngines readOwnEngines(Context& ctx) {
    OwnEngines engines = trov::readOwnEngines(ctx.dataFolder.file(kOwnEnginesFileName));
    for (const InvalidEngine& invalid : engines.invalid)
        ctx.err << kOwnEnginesFileName << ": " << invalidEngineLine(invalid) << "\n";
    return engines;
}

namespace {

int listEngines(Context& ctx) {
    for (const EngineInfo& e : kEngines)
        if (e.engine != SearchEngine::Links)
            ctx.out << e.cliName << "\n";
    for (const OwnEngine& e : readOwnEngines(ctx).engines) {
        ctx.out << e.name << "\t" << e.key << "\t" << e.address;
        if (!e.browser.empty())
            ctx.out << "\tbrowser=" << e.browser;
        if (e.privateWindow)
            ctx.out << "\tprivate=true";
        if (!e.suggest.empty())
            ctx.out << "\tsuggest=" << e.suggest;
        ctx.out << "\n";
    }
    return kExitDone;
}

// "engines suggest NAME TEXT": the engine's suggestions for TEXT, one a line.
int suggest(Context& ctx, const std::vector<std::string>& words) {
    if (words.size() < 3)
        throw UsageError("engines suggest needs an engine and a text");
    std::string text;
    for (std::size_t i = 2; i < words.size(); ++i)
        text += (text.empty() ? "" : " ") + words[i];
    const OwnEngines own = readOwnEngines(ctx);
    const OwnEngine* engine = own.byName(words[1]);
    if (!engine)
        engine = own.byKey(words[1]);
    if (!engine) {
        std::string names;
        for (const OwnEngine& e : own.engines)
            names += (names.empty() ? "" : ", ") + e.name;
        throw UsageError("engines suggest: \"" + words[1] +
                         "\" is not an own engine; accepted: " + names);
    }
    if (engine->suggest.empty()) {
        ctx.err << "trovctl: engine \"" << engine->name << "\" has no Suggest address\n";
        return kExitFailed;
    }
    const EngineSuggestAnswer answer =
        fetchEngineSuggestions(engineSuggestAddress(engine->suggest, text));
    if (!answer.texts) {
        ctx.err << "trovctl: engine \"" << engine->name
                << "\" did not answer with suggestions: " << answer.error << "\n";
        return kExitFailed;
    }
    for (const std::string& s : *answer.texts)
        ctx.out << s << "\n";
    return kExitDone;
}

} // namespace

int runEngines(Context& ctx) {
    const std::optional<std::string> key = ctx.args.option("--key");
    const std::optional<std::string> name = ctx.args.option("--name");
    const std::vector<std::string> words = ctx.args.positionals();
    const std::string command = words.empty() ? "" : words[0];
    if (command != "add" && (key || name))
        throw UsageError(std::string(key ? "--key" : "--name") + " belongs to engines add");
    if (command.empty())
        return listEngines(ctx);
    if (command == "suggest")
        return suggest(ctx, words);
    if (command == "add")
        return addEngine(ctx, words, key, name);
    throw UsageError("engines: unknown command \"" + command + "\"; accepted: suggest, add");
}

} // namespace trov::cli
