// SPDX-License-Identifier: GPL-3.0-or-later
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

bool startSearch(const FormModel& model, const std::optional<Refusal>& refusal,
                 std::string_view ownEngine, bool privately, GoServices& services,
                 GoOutcome& outcome) {
    if (services.crawl) {
        services.crawl->requestCancel();
        // The list crawl reads the list that was loaded when its mode was chosen.
        if (!model.crawlMarks()[CrawlMode::CrawlCSV])
            services.crawl->clearLinkList();
    }

    if (refusal) {
        services.messages.show(MessageIcon::Information, refusal->text, true);
        outcome.message = refusal->text;
        outcome.status = refusal->status;
        return false;
    }

    const bool keep = model.keepHistory() && !privately;
    if (keep && model.historyEnabled() && services.history) {
        SearchSnapshot snapshot = model.snapshot();
        snapshot.ownEngine = ownEngine;
        services.history->dodajtabelo(snapshot);
    }

    const std::string owner = model.ownerText();
    outcome.hideDropDown = true;
    if (keep && !onlySpaces(owner) && services.suggestions)
        services.suggestions->osveziBazo(owner);
    return true;
}

namespace {

// The Links branch: the job, with the command that opens the result page.
GoOutcome linksJob(const FormModel& model, GoServices& services, GoOutcome outcome) {
    LinksJob job;
    job.inputs = {model.text(TextField::Site), model.text(TextField::Words),
                  model.text(TextField::Exact), model.text(TextField::Exclude)};
    job.marks = model.crawlMarks();
    job.expanded = model.expanded();
    job.privateWindow = model.privateMode();
    job.browserCommand =
        job.privateWindow ? model.privateBrowserCommand(job.expanded) : model.browserCommand();
    job.resultPage = services.dataFolder + std::string(kCrawlerResultPage);
    outcome.status = GoStatus::LinksPending;
    outcome.links = std::move(job);
    return outcome;
}

} // namespace

GoOutcome xiGOClick(const FormModel& model, GoServices& services) {
    GoOutcome outcome;
    const bool privately = model.privateMode();
    std::optional<Refusal> refusal;
    if (const auto check = checkFields(model))
        refusal = Refusal{std::string(*check)};

    const std::string command = model.browserCommand();
    ComposedAddress composed;
    std::string launch;
    if (model.engine() == SearchEngine::Links) {
        // The extract modes open no page; a result page that cannot open privately is
        // not worth a crawl.
        if (!refusal && privately && !model.crawlMarks().anyExtract() &&
            model.privateBrowserCommand(model.expanded()).empty())
            refusal = Refusal{std::string(kNoPrivateWindow), GoStatus::NotOpened};
    } else {
        composed = composeAddress(model.request(), !command.empty(), services.hosts);
        const bool chosen = composed.opener == Opener::ChosenBrowser;
        launch = privately ? model.privateBrowserCommand(chosen) : chosen ? command : "";
        if (!refusal && privately && launch.empty())
            refusal = Refusal{std::string(kNoPrivateWindow), GoStatus::NotOpened};
    }
    if (!startSearch(model, refusal, {}, privately, services, outcome))
        return outcome;
    if (model.engine() == SearchEngine::Links)
        return linksJob(model, services, std::move(outcome));

    outcome.composed = std::move(composed);
    outcome.command = launch;
    services.launcher.launch(outcome.composed.address, outcome.command);
    outcome.status = GoStatus::Opened;
    return outcome;
}

LinksResult runLinksJob(const LinksJob& job, StopToken& token, ReachabilityPort& reachability,
                        CrawlOperations& crawl, Messages& messages, platform::Launcher& launcher) {
    if (!reachability.reachable(job.inputs.site)) {
        // A check cut short by the cancel says nothing of the site.
        if (token.cancelled())
            return LinksResult::Cancelled;
        messages.show(MessageIcon::Error, std::string(kInvalidRequest), true);
        return LinksResult::Unreachable;
    }
    for (CrawlMode mode : kCrawlModes) {
        if (!job.marks[mode])
            continue;
        // A cancelled search abandons the operations that have not started yet.
        if (token.cancelled())
            break;
        crawl.run(mode, job.inputs, token);
    }
    if (token.cancelled())
        return LinksResult::Cancelled;
    if (job.marks.anyExtract())
        return LinksResult::Extracted;
    // A collapsed window with a browser chosen opens the page with the default handler,
    // as every collapsed search does, rather than not at all; a private one in the
    // private window chosen for it.
    const std::string command =
        job.expanded || job.privateWindow ? job.browserCommand : std::string();
    launcher.launch(job.resultPage, command);
    return LinksResult::ResultOpened;
}

} // namespace trov
