#include "compose/own_engine_go.h"

#include "compose/form_model.h"
#include "platform/launcher.h"

namespace trov {

GoOutcome goOwnEngine(const FormModel& model, const OwnEngine& engine, GoServices& services) {
    GoOutcome outcome;
    // Whatever button is down, an own engine is checked as a search engine, never as a crawl.
    std::optional<std::string_view> refusal;
    if (model.text(TextField::Words).empty() && model.text(TextField::Exact).empty())
        refusal = kNothingToSearch;
    if (!startSearch(model, refusal, engine.name, services, outcome))
        return outcome;

    const std::string command = model.browserCommand();
    const TemplateFields fields =
        templateFields(model, ownEngineWords(engine, model.text(TextField::Words)));
    outcome.composed.address = expandAddress(engine.address, fields);
    outcome.composed.opener = model.expanded() ? Opener::ChosenBrowser : Opener::DefaultHandler;
    if (outcome.composed.opener == Opener::ChosenBrowser)
        outcome.command = command;
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
