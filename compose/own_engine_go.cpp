// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/own_engine_go.h"

#include "common/translatable.h"
#include "compose/form_model.h"
#include "platform/launcher.h"

#include <variant>

namespace trov {

namespace {

// The command the engine's search opens with: its own browser's where it names one, else
// the form's by the engine buttons' rule; a refusal when that browser cannot open it.
std::variant<std::string, Refusal> ownEngineCommand(const FormModel& model, const OwnEngine& engine,
                                                    bool privately) {
    std::string command;
    if (!engine.browser.empty()) {
        const int index = browserEntryNamed(model.browsers(), engine.browser);
        if (index < 0)
            return Refusal{formatText(kEngineBrowserMissing, {engine.name, engine.browser}),
                           GoStatus::NotOpened};
        command = privately ? privateBrowserCommand(model.browsers(), index, true)
                            : BrowserExecutable(model.browsers(), index);
    } else if (privately) {
        command = model.privateBrowserCommand(model.expanded());
    } else if (model.expanded()) {
        command = model.browserCommand();
    }
    if (privately && command.empty())
        return Refusal{std::string(kNoPrivateWindow), GoStatus::NotOpened};
    return command;
}

} // namespace

GoOutcome goOwnEngine(const FormModel& model, OwnEngine engine, GoServices& services) {
    GoOutcome outcome;
    // An engine kept private is searched as in private mode: nothing recorded or learnt.
    const bool privately = model.privateMode() || engine.privateWindow;
    // Whatever button is down, an own engine is checked as a search engine, never as a crawl.
    std::optional<Refusal> refusal;
    std::variant<std::string, Refusal> command = std::string();
    if (model.text(TextField::Words).empty() && model.text(TextField::Exact).empty())
        refusal = Refusal{std::string(kNothingToSearch)};
    else if (command = ownEngineCommand(model, engine, privately);
             std::holds_alternative<Refusal>(command))
        refusal = std::get<Refusal>(command);
    if (!startSearch(model, refusal, engine.name, privately, services, outcome))
        return outcome;

    const TemplateFields fields =
        templateFields(model, ownEngineWords(engine, model.text(TextField::Words)));
    outcome.composed.address = expandAddress(engine.address, fields);
    outcome.command = std::get<std::string>(command);
    // The opener as the engine buttons name it: the engine's or the form's browser.
    outcome.composed.opener = !engine.browser.empty() || model.expanded() ? Opener::ChosenBrowser
                                                                          : Opener::DefaultHandler;
    services.launcher.launch(outcome.composed.address, outcome.command);
    outcome.status = GoStatus::Opened;
    return outcome;
}

GoOutcome goWithKeywords(const FormModel& model, const OwnEngines& engines, GoServices& services) {
    if (model.engine() != SearchEngine::Links)
        if (const auto match = matchKeyword(engines, model.text(TextField::Words)))
            return goOwnEngine(model, *match->engine, services);
    return xiGOClick(model, services);
}

} // namespace trov
