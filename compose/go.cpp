#include "compose/go.h"

#include "common/messages.h"
#include "compose/form_model.h"
#include "platform/launcher.h"

namespace trov {

namespace {

bool onlySpaces(const std::string& s) {
    return s.find_first_not_of(' ') == std::string::npos;
}

} // namespace

std::optional<std::string_view> checkFields(const FormModel& model) {
    const CrawlMarks& marks = model.crawlMarks();
    const bool listCrawl = marks[CrawlMode::CrawlCSV];
    if (!marks.anyExtract() && !listCrawl && model.text(TextField::Words).empty() &&
        model.text(TextField::Exact).empty())
        return kNothingToSearch;
    if (model.engine() == SearchEngine::Links && !listCrawl) {
        const std::string& site = model.text(TextField::Site);
        if (site.empty() || site.find('.') == std::string::npos)
            return kNothingToSearchSite;
    }
    return std::nullopt;
}

bool startSearch(const FormModel& model, std::optional<std::string_view> refusal,
                 std::string_view ownEngine, GoServices& services, GoOutcome& outcome) {
    if (services.crawl) {
        services.crawl->requestCancel();
        // The list crawl reads the list that was loaded when its mode was chosen.
        if (!model.crawlMarks()[CrawlMode::CrawlCSV])
            services.crawl->clearLinkList();
    }

    if (refusal) {
        services.messages.show(MessageIcon::Information, std::string(*refusal), true);
        outcome.message = std::string(*refusal);
        return false;
    }

    if (model.historyEnabled() && services.history) {
        SearchSnapshot snapshot = model.snapshot();
        snapshot.ownEngine = ownEngine;
        services.history->dodajtabelo(snapshot);
    }

    const std::string owner = model.ownerText();
    outcome.hideDropDown = true;
    if (!onlySpaces(owner) && services.suggestions)
        services.suggestions->osveziBazo(owner);
    return true;
}

GoOutcome xiGOClick(const FormModel& model, GoServices& services) {
    GoOutcome outcome;
    if (!startSearch(model, checkFields(model), {}, services, outcome))
        return outcome;

    const std::string command = model.browserCommand();

    if (model.engine() == SearchEngine::Links) {
        LinksJob job;
        job.inputs = {model.text(TextField::Site), model.text(TextField::Words),
                      model.text(TextField::Exact), model.text(TextField::Exclude)};
        job.marks = model.crawlMarks();
        job.browserCommand = command;
        job.expanded = model.expanded();
        job.resultPage = services.dataFolder + std::string(kCrawlerResultPage);
        outcome.status = GoStatus::LinksPending;
        outcome.links = std::move(job);
        return outcome;
    }

    outcome.composed = composeAddress(model.request(), !command.empty(), services.hosts);
    if (outcome.composed.opener == Opener::ChosenBrowser)
        outcome.command = command;
    services.launcher.launch(outcome.composed.address, outcome.command);
    outcome.status = GoStatus::Opened;
    return outcome;
}

LinksResult runLinksJob(const LinksJob& job, ReachabilityPort& reachability, CrawlPort& crawl,
                        Messages& messages, platform::Launcher& launcher) {
    if (!reachability.reachable(job.inputs.site)) {
        messages.show(MessageIcon::Error, std::string(kInvalidRequest), true);
        return LinksResult::Unreachable;
    }
    crawl.resetFlags();
    for (CrawlMode mode : kCrawlModes) {
        if (!job.marks[mode])
            continue;
        // A cancelled search abandons the operations that have not started yet.
        if (crawl.cancelRequested())
            break;
        crawl.run(mode, job.inputs);
    }
    if (crawl.cancelRequested())
        return LinksResult::Cancelled;
    if (job.marks.anyExtract())
        return LinksResult::Extracted;
    // A collapsed window with a browser chosen opens the page with the default handler,
    // as every collapsed search does, rather than not at all.
    const std::string command = job.expanded ? job.browserCommand : std::string();
    launcher.launch(job.resultPage, command);
    return LinksResult::ResultOpened;
}

} // namespace trov
