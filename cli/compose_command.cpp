// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/captured_messages.h"
#include "cli/commands.h"
#include "common/text.h"
#include "compose/browser_list.h"
#include "compose/code_tables.h"
#include "compose/engines.h"
#include "compose/form_model.h"
#include "compose/go.h"
#include "compose/own_engine_go.h"
#include "platform/browsers.h"
#include "platform/launcher.h"

#include <ostream>

namespace trov::cli {

namespace {

std::string joined(const std::vector<std::string>& values) {
    std::string out;
    for (const std::string& v : values)
        out += (out.empty() ? "" : ", ") + v;
    return out;
}

[[noreturn]] void refuse(const std::string& option, const std::string& value,
                         const std::vector<std::string>& accepted) {
    throw UsageError(option + ": \"" + value +
                     "\" is not in its list; accepted: " + joined(accepted));
}

// The engine --engine names: a button's name, else an own engine's name or key.
struct EngineChoice {
    SearchEngine button = SearchEngine::Google;
    const OwnEngine* own = nullptr;
};

EngineChoice engineOption(Args& args, const OwnEngines& own) {
    const std::optional<std::string> value = args.option("--engine");
    std::vector<std::string> names;
    for (const EngineInfo& e : kEngines) {
        if (e.engine == SearchEngine::Links)
            continue; // the crawler is trovctl crawl
        if (value && text::equalsIgnoreCase(*value, e.cliName))
            return {e.engine, nullptr};
        names.emplace_back(e.cliName);
    }
    if (!value)
        return {};
    if (const OwnEngine* e = own.byName(*value))
        return {SearchEngine::Google, e};
    if (const OwnEngine* e = own.byKey(*value))
        return {SearchEngine::Google, e};
    for (const OwnEngine& e : own.engines)
        names.push_back(e.name);
    refuse("--engine", *value, names);
}

// An entry by its label, else by its code (or, for file types, one of its extensions).
int codeListIndex(std::span<const CodeEntry> list, const std::string& option,
                  const std::string& value) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (text::equalsIgnoreCase(list[i].label, value))
            return static_cast<int>(i);
    for (std::size_t i = 1; i < list.size(); ++i) {
        if (text::equalsIgnoreCase(list[i].code, value))
            return static_cast<int>(i);
        for (const std::string& piece : text::split(list[i].code, ','))
            if (text::equalsIgnoreCase(text::trim(piece), value))
                return static_cast<int>(i);
    }
    std::vector<std::string> accepted;
    for (const CodeEntry& e : list)
        accepted.push_back(e.code.empty()
                               ? std::string(e.label)
                               : std::string(e.label) + " (" + std::string(e.code) + ")");
    refuse(option, value, accepted);
}

int textListIndex(std::span<const std::string_view> list, const std::string& option,
                  const std::string& value) {
    std::vector<std::string> accepted;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (text::equalsIgnoreCase(list[i], value))
            return static_cast<int>(i);
        accepted.emplace_back(list[i]);
    }
    refuse(option, value, accepted);
}

void selectListOption(Args& args, FormModel& model, const std::string& option, ListField list,
                      std::span<const CodeEntry> entries) {
    if (const auto value = args.option(option))
        model.select(list, codeListIndex(entries, option, *value));
}

void selectBrowser(Args& args, FormModel& model, const platform::BrowserRegistry& registry) {
    model.setBrowsers(nalozibrskalnike(registry));
    const std::optional<std::string> value = args.option("--browser");
    if (!value) {
        model.select(ListField::Browser,
                     firstRunSelection(model.browsers(), defbrwsClick(registry)));
        return;
    }
    std::vector<std::string> accepted;
    for (std::size_t i = 0; i < model.browsers().size(); ++i) {
        if (text::equalsIgnoreCase(model.browsers()[i].text, *value)) {
            model.select(ListField::Browser, static_cast<int>(i));
            return;
        }
        accepted.push_back(model.browsers()[i].text);
    }
    if (accepted.empty())
        throw UsageError("--browser: \"" + *value +
                         "\" is not in its list; no browser is "
                         "installed (see trovctl browsers)");
    refuse("--browser", *value, accepted);
}

} // namespace

int runCompose(Context& ctx) {
    Args& args = ctx.args;
    FormModel model;
    const OwnEngines own = readOwnEngines(ctx);
    const EngineChoice engine = engineOption(args, own);
    model.selectEngine(engine.button);

    for (const char* option : {"--kind", "--period"})
        if (engine.own && args.option(option))
            throw UsageError(std::string(option) + ": own engines have no such list (engine \"" +
                             engine.own->name + "\")");
    if (const auto kind = args.option("--kind"))
        model.setKindIndex(textListIndex(model.kinds(), "--kind", *kind));
    if (const auto period = args.option("--period"))
        model.select(ListField::Period, textListIndex(kPeriods, "--period", *period));
    selectListOption(args, model, "--filetype", ListField::FileType, kFileTypes);
    selectListOption(args, model, "--country", ListField::Country, kCountries);
    selectListOption(args, model, "--language", ListField::Language, kResultLanguages);
    selectListOption(args, model, "--interface", ListField::Interface, kInterfaceLanguages);

    const platform::XdgBrowserRegistry registry;
    selectBrowser(args, model, registry);

    const std::optional<std::string> wordsOption = args.option("--words");
    const std::optional<std::string> exact = args.option("--exact");
    const std::optional<std::string> exclude = args.option("--exclude");
    const std::optional<std::string> site = args.option("--site");
    model.setExpanded(!args.flag("--collapsed"));
    const bool open = args.flag("--open");
    const bool verbose = args.flag("--verbose");
    // Only an address that is opened can be opened privately.
    model.setPrivateMode(args.flag("--private") && open);

    const std::vector<std::string> words = args.positionals();
    if (wordsOption && !words.empty())
        throw UsageError("give the search words either as WORDS or with --words, not both");
    std::string typed = wordsOption.value_or("");
    for (const std::string& w : words)
        typed += (typed.empty() ? "" : " ") + w;
    model.setText(TextField::Words, typed);
    model.setText(TextField::Exact, exact.value_or(""));
    model.setText(TextField::Exclude, exclude.value_or(""));
    model.setText(TextField::Site, site.value_or(""));

    CapturedMessages messages;
    platform::ProcessLauncher processLauncher;
    platform::RecordingLauncher noLaunch;
    platform::Launcher& launcher =
        open ? static_cast<platform::Launcher&>(processLauncher) : noLaunch;
    GoServices services{messages, launcher};
    services.dataFolder = ctx.dataFolder.path();
    // A leading key picks its engine whatever --engine says.
    const GoOutcome outcome = engine.own && !matchKeyword(own, typed)
                                  ? goOwnEngine(model, *engine.own, services)
                                  : goWithKeywords(model, own, services);
    if (outcome.status == GoStatus::Refused || outcome.status == GoStatus::NotOpened) {
        ctx.err << terminalText(outcome.message) << "\n";
        return outcome.status == GoStatus::Refused ? kExitRefused : kExitFailed;
    }
    ctx.out << outcome.composed.address << "\n";
    if (verbose)
        ctx.out << "opener: " << (outcome.command.empty() ? "default" : outcome.command) << "\n";
    return kExitDone;
}

} // namespace trov::cli
