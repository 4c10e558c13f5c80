// SPDX-License-Identifier: GPL-3.0-or-later
// trovctl crawl: the Links branch of Go, headless, and the link check after an extraction.
// Ctrl+C once asks the crawl to stop with partial results, twice to cancel; during the
// link check it cancels the check.

#include "cli/commands.h"
#include "common/atomic_file.h"
#include "common/text.h"
#include "compose/form_model.h"
#include "compose/go.h"
#include "compose/reachability.h"
#include "crawler/concurrent_page_source.h"
#include "crawler/crawl_engine.h"
#include "crawler/link_check.h"
#include "crawler/link_report.h"
#include "crawler/results.h"

#include <array>
#include <csignal>
#include <iostream>
#include <sys/wait.h>
#include <unistd.h>

namespace trov::cli {

namespace {

struct ModeName {
    std::string_view name;
    CrawlMode mode;
};
constexpr std::array kModes = {
    ModeName{"subpages", CrawlMode::StartFastCrawl}, ModeName{"site", CrawlMode::StartSlowCrawl},
    ModeName{"all-links", CrawlMode::AllLinks}, ModeName{"internal-links", CrawlMode::interLinks},
    ModeName{"list", CrawlMode::CrawlCSV}};

// The window's messages with "\r\n" as line breaks.
std::string forTerminal(std::string_view message) {
    return text::replaced(message, "\r\n", "\n");
}

// The flags the signal handler reaches; lock-free atomics are safe to store from it.
std::atomic<int> interrupts{0};
CrawlEngine* runningEngine = nullptr;
std::atomic<bool> checking{false};
std::atomic<bool> checkCancelled{false};

extern "C" void onInterrupt(int) {
    const int n = interrupts.fetch_add(1) + 1;
    if (checking.load()) {
        checkCancelled.store(true);
        return;
    }
    if (runningEngine == nullptr)
        return;
    if (n == 1)
        runningEngine->requestStop();
    else
        runningEngine->requestCancel();
}

// Ctrl+C reaches the running crawl (or, without one, the link check) while this lives.
class InterruptHandler {
public:
    explicit InterruptHandler(CrawlEngine* engine) {
        runningEngine = engine;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        sigemptyset(&action.sa_mask);
        ::sigaction(SIGINT, &action, &previous_);
    }
    ~InterruptHandler() {
        ::sigaction(SIGINT, &previous_, nullptr);
        runningEngine = nullptr;
    }
    InterruptHandler(const InterruptHandler&) = delete;
    InterruptHandler& operator=(const InterruptHandler&) = delete;

private:
    struct sigaction previous_ {};
};

class TerminalMessages : public Messages {
public:
    explicit TerminalMessages(std::ostream& err) : err_(err) {}
    void show(MessageIcon, const std::string& message, bool) override {
        err_ << forTerminal(text::rightTrimSpaces(message)) << "\n";
    }
    bool ask(const std::string&) override { return false; }

private:
    std::ostream& err_;
};

// The progress panel as one line on a terminal: the counter and the current address.
class TerminalProgress : public CrawlProgress {
public:
    TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
    ~TerminalProgress() override { finish(); }

    void counterText(const std::string& counter) override {
        counter_ = counter;
        draw();
    }
    void currentAddress(const std::string& address) override {
        address_ = address;
        draw();
    }
    void showLinks(const std::string&, const std::vector<std::string>& links) override {
        links_ = links;
        shown_ = true;
    }
    void robotsKeptOut(std::size_t pages) override {
        finish();
        err_ << "robots.txt: " << pages << " pages not fetched\n";
    }
    void finish() {
        if (drawn_)
            err_ << "\r\033[K" << std::flush;
        drawn_ = false;
    }

    std::vector<std::string> links_;
    bool shown_ = false;

private:
    void draw() {
        if (!enabled_)
            return;
        std::string line = counter_ + "  " + address_;
        line = std::string(text::cutUtf8(line, 160));
        err_ << "\r\033[K" << line << std::flush;
        drawn_ = true;
    }
    std::ostream& err_;
    bool enabled_;
    bool drawn_ = false;
    std::string counter_, address_;
};

// The form as the window would hold it for this crawl: the Links engine, the mode's
// check mark and the four fields, so the field checks are Go's own.
FormModel formFor(CrawlMode mode, const CrawlInputs& inputs) {
    FormModel model;
    model.selectEngine(SearchEngine::Links);
    model.setCrawlMark(mode, true);
    model.setText(TextField::Words, inputs.words);
    model.setText(TextField::Exact, inputs.exactPhrase);
    model.setText(TextField::Exclude, inputs.excludedWords);
    model.setText(TextField::Site, inputs.site);
    return model;
}

bool writeOut(const std::string& path, const std::string& bytes, std::ostream& err) {
    FileError error;
    if (writeFileAtomically(path, bytes, &error))
        return true;
    err << "trovctl: " << unableToWrite(path) << ": " << error.reason << "\n";
    return false;
}

// What trovctl crawl was asked for.
struct CrawlRequest {
    CrawlMode mode = CrawlMode::StartFastCrawl;
    CrawlInputs inputs;
    std::optional<std::string> listFile, exportLinks, exportData;
    bool open = false;
    bool quiet = false;
    bool respectRobots = true; // --no-robots: fetch what the mode would without robots.txt
    bool useSitemap = false;   // --sitemap: also take the addresses of the site's sitemaps
    bool check = false;        // --check: check the links an extraction listed
    std::optional<std::string> report;
};

CrawlRequest parseRequest(Args& args) {
    CrawlRequest request;
    const auto modeName = args.option("--mode");
    const auto site = args.option("--site");
    request.inputs.words = args.option("--words").value_or("");
    request.inputs.exactPhrase = args.option("--exact").value_or("");
    request.inputs.excludedWords = args.option("--exclude").value_or("");
    request.listFile = args.option("--list");
    request.exportLinks = args.option("--export-links");
    request.exportData = args.option("--export-data");
    request.open = args.flag("--open");
    request.quiet = args.flag("--quiet");
    request.respectRobots = !args.flag("--no-robots");
    request.useSitemap = args.flag("--sitemap");
    request.check = args.flag("--check");
    request.inputs.respectRobots = request.respectRobots;
    request.inputs.useSitemap = request.useSitemap;
    request.report = args.option("--report");
    if (!args.positionals().empty())
        throw UsageError("crawl takes no words; see trovctl crawl --help");

    const ModeName* mode = nullptr;
    for (const auto& m : kModes)
        if (modeName && text::equalsIgnoreCase(*modeName, m.name))
            mode = &m;
    if (!mode)
        throw UsageError("--mode needs one of: subpages, site, all-links, internal-links, list");
    request.mode = mode->mode;
    if (request.mode == CrawlMode::CrawlCSV && !request.listFile)
        throw UsageError("--mode list needs --list FILE");
    if (request.mode != CrawlMode::CrawlCSV && !site)
        throw UsageError("--site needs a value");
    request.inputs.site = site.value_or("");
    if (request.check && request.mode != CrawlMode::AllLinks &&
        request.mode != CrawlMode::interLinks)
        throw UsageError("--check needs --mode all-links or internal-links");
    if (request.report && !request.check)
        throw UsageError("--report needs --check");
    if (request.report && !reportFormatOf(*request.report))
        throw UsageError("--report needs a file name ending in .csv or .json");
    return request;
}

// Checks the links the extraction listed, writes the report when asked, and tells how many
// problems there were.
int checkLinks(Context& ctx, const CrawlRequest& request, const CrawlEngine& engine,
               TerminalProgress& progress) {
    LinkCheckOptions options = linkCheckOptions();
    options.respectRobots = request.respectRobots;
    LinkChecker checker(options);
    checkCancelled.store(false);
    checking.store(true);
    std::optional<LinkReport> report;
    {
        const InterruptHandler interruptible(nullptr);
        report = checker.run(listedLinks(engine.linkList(), engine.sightings()),
                             request.inputs.site, checkCancelled, progress);
    }
    checking.store(false);
    progress.finish();
    if (!report)
        return kExitCancelled;
    FileError error;
    if (request.report && !writeLinkReport(*request.report, *report, &error)) {
        ctx.err << "trovctl: " << unableToWrite(*request.report) << ": " << error.reason << "\n";
        return kExitFailed;
    }
    const std::size_t problems = problemCount(*report);
    ctx.err << "links: " << report->size() << " checked, " << problems << " problems\n";
    return problems == 0 ? kExitDone : kExitProblems;
}

} // namespace

int runCrawl(Context& ctx) {
    CrawlRequest request = parseRequest(ctx.args);
    CrawlInputs& inputs = request.inputs;
    const CrawlMode mode = request.mode;

    TerminalMessages messages(ctx.err);
    TerminalProgress progress(ctx.err, !request.quiet && ::isatty(STDERR_FILENO) == 1);
    ConcurrentPageSource source;
    CrawlEngine engine(source, ctx.dataFolder.file(kResultPageName), messages, progress);

    if (mode == CrawlMode::CrawlCSV) {
        // naloziCSVLinke: the list's first line becomes the site.
        const auto bytes = readWholeFile(*request.listFile);
        if (!bytes) {
            ctx.err << "trovctl: " << missingListMessage(*request.listFile) << "\n";
            return kExitFailed;
        }
        inputs.site = loadLinkList(engine.linkList(), *bytes).site;
    }
    if (const auto refused = checkFields(formFor(mode, inputs))) {
        ctx.err << forTerminal(*refused) << "\n";
        return kExitRefused;
    }
    CurlReachability reachability;
    if (!reachability.reachable(inputs.site)) {
        ctx.err << forTerminal(kInvalidRequest) << "\n";
        return kExitUnreachable;
    }

    engine.resetFlags();
    try {
        const InterruptHandler interruptible(&engine);
        engine.run(mode, inputs);
    } catch (...) {
        progress.finish();
        throw;
    }
    progress.finish();

    switch (engine.outcome()) {
    case CrawlOutcome::Cancelled:
        return kExitCancelled;
    case CrawlOutcome::Refused:
        return kExitRefused;
    default:
        break;
    }
    if (request.exportLinks &&
        !writeOut(*request.exportLinks, linkExport(engine.linkList(), inputs.site), ctx.err))
        return kExitFailed;
    if (request.exportData &&
        !writeOut(*request.exportData, dataExport(engine.linkList(), inputs.site), ctx.err))
        return kExitFailed;
    if (engine.outcome() == CrawlOutcome::ResultPage) {
        ctx.out << engine.resultPage() << "\n";
        if (request.open) {
            // The default handler, as the window does with no browser chosen.
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::execlp("xdg-open", "xdg-open", engine.resultPage().c_str(), nullptr);
                ::_exit(127);
            }
            if (pid > 0)
                ::waitpid(pid, nullptr, 0);
        }
    } else if (engine.outcome() == CrawlOutcome::LinksShown) {
        for (const std::string& link : progress.links_)
            ctx.out << link << "\n";
    }
    if (request.check)
        return checkLinks(ctx, request, engine, progress);
    return kExitDone;
}

} // namespace trov::cli
