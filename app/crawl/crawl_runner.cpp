// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crawl/crawl_runner.h"

#include "app/crawl/crawler_panel.h"
#include "compose/reachability.h"
#include "crawler/link_check.h"
#include "links/window.h"

#include <type_traits>

namespace trov {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

// The crawl's progress events, made on the worker, shown by the panel on the window thread.
class CrawlRunner::Progress : public CrawlProgress {
public:
    explicit Progress(CrawlRunner& r) : r_(r) {}

    void panelShown(bool shown) override { toPanel(&CrawlProgress::panelShown, shown); }
    void modeCaption(const std::string& caption) override {
        toPanel(&CrawlProgress::modeCaption, caption);
    }
    void counterText(const std::string& counter) override {
        toPanel(&CrawlProgress::counterText, counter);
    }
    void currentAddress(const std::string& address) override {
        toPanel(&CrawlProgress::currentAddress, address);
    }
    void addressShown(bool shown) override { toPanel(&CrawlProgress::addressShown, shown); }
    void placeAddress(int left, int top, int width) override {
        toPanel(&CrawlProgress::placeAddress, left, top, width);
    }
    void barShown(bool shown) override { toPanel(&CrawlProgress::barShown, shown); }
    void barMaximum(long maximum) override { toPanel(&CrawlProgress::barMaximum, maximum); }
    void barPosition(long position) override { toPanel(&CrawlProgress::barPosition, position); }
    void robotsKeptOut(std::size_t pages) override {
        toPanel(&CrawlProgress::robotsKeptOut, pages);
    }
    void showLinks(const std::string& caption, const std::vector<std::string>& links) override {
        r_.post([this, caption, links] {
            if (Tflinks* v = r_.viewer_ ? r_.viewer_() : nullptr) {
                QStringList list;
                list.reserve(static_cast<qsizetype>(links.size()));
                for (const std::string& l : links)
                    list << q(l);
                v->showLinks(q(caption), list);
            }
        });
    }

private:
    template <typename... Values>
    void toPanel(void (CrawlProgress::*event)(Values...), std::remove_cvref_t<Values>... values) {
        r_.post([this, event, values...] {
            if (CrawlProgress* p = r_.panel_.data())
                (p->*event)(values...);
        });
    }

    CrawlRunner& r_;
};

// Boxes asked for on the worker appear on the window thread; the crawl does not wait.
class CrawlRunner::WorkerMessages : public Messages {
public:
    explicit WorkerMessages(CrawlRunner& r) : r_(r) {}
    void show(MessageIcon icon, const std::string& text, bool alwaysOnTop) override {
        r_.post([this, icon, text, alwaysOnTop] { r_.messages_.show(icon, text, alwaysOnTop); });
    }
    // The crawl asks no question of its own.
    bool ask(const std::string&) override { return false; }

private:
    CrawlRunner& r_;
};

class CrawlRunner::WorkerLauncher : public platform::Launcher {
public:
    explicit WorkerLauncher(CrawlRunner& r) : r_(r) {}
    void launch(const std::string& address, const std::string& command) override {
        r_.post([this, address, command] { r_.launcher_.launch(address, command); });
    }

private:
    CrawlRunner& r_;
};

CrawlRunner::CrawlRunner(std::string resultPage, Messages& messages, platform::Launcher& launcher,
                         QObject* parent)
    : QObject(parent), messages_(messages), launcher_(launcher),
      progress_(std::make_unique<Progress>(*this)),
      workerMessages_(std::make_unique<WorkerMessages>(*this)),
      workerLauncher_(std::make_unique<WorkerLauncher>(*this)),
      engine_(source_, std::move(resultPage), *workerMessages_, *progress_) {}

CrawlRunner::~CrawlRunner() {
    endCrawl();
}

void CrawlRunner::setPanel(CrawlerPanel* panel) {
    panel_ = panel;
    if (!panel)
        return;
    connect(panel, &CrawlerPanel::stopRequested, this, &CrawlRunner::stop);
    connect(panel, &CrawlerPanel::cancelRequested, this, &CrawlRunner::cancel);
}

void CrawlRunner::post(std::function<void()> f) {
    const unsigned gen = generation_.load();
    QMetaObject::invokeMethod(
        this,
        [this, gen, f = std::move(f)] {
            if (gen == generation_.load())
                f();
        },
        Qt::QueuedConnection);
}

void CrawlRunner::endCrawl() {
    if (worker_.joinable()) {
        abort_.store(true);
        engine_.requestCancel();
        worker_.join();
    }
    if (running_) {
        running_ = false;
        // What the ended crawl still had queued belongs to nobody now.
        ++generation_;
        if (auto* p = panel_.data())
            p->finish();
    }
}

void CrawlRunner::start(LinksJob job) {
    endCrawl();
    ++generation_;
    abort_.store(false);
    clearWhenDone_ = false;
    running_ = true;
    worker_ = std::thread([this, job = std::move(job)] {
        CurlReachability reachability(&abort_);
        LinksResult result = LinksResult::Cancelled;
        try {
            result = runLinksJob(job, reachability, engine_, *workerMessages_, *workerLauncher_);
        } catch (const std::exception& e) {
            workerMessages_->show(MessageIcon::Error, e.what(), false);
        }
        post([this, result] {
            if (worker_.joinable())
                worker_.join();
            running_ = false;
            if (auto* p = panel_.data())
                p->finish();
            if (clearWhenDone_) {
                clearWhenDone_ = false;
                engine_.clearLinkList();
            }
            emit finished(result);
        });
    });
}

void CrawlRunner::startCheck(std::string site, bool respectRobots, CheckDone done) {
    endCrawl();
    ++generation_;
    abort_.store(false);
    clearWhenDone_ = false;
    running_ = true;
    worker_ = std::thread([this, site = std::move(site), respectRobots, done = std::move(done)] {
        // Shared, so the report is not copied on its way to the window thread.
        auto report = std::make_shared<std::optional<LinkReport>>();
        try {
            LinkCheckOptions options = linkCheckOptions();
            options.respectRobots = respectRobots;
            const std::vector<ListedLink> links = engine_.readLinkList(
                [this](const LinkList& list) { return listedLinks(list, engine_.sightings()); });
            *report = LinkChecker(options).run(links, site, abort_, *progress_);
        } catch (const std::exception& e) {
            workerMessages_->show(MessageIcon::Error, e.what(), false);
        }
        post([this, report, done] {
            if (worker_.joinable())
                worker_.join();
            running_ = false;
            // Cancel abandons the check, not the links it was checking.
            clearWhenDone_ = false;
            if (auto* p = panel_.data())
                p->finish();
            done(std::move(*report));
        });
    });
}

void CrawlRunner::wait() {
    if (worker_.joinable())
        worker_.join();
}

void CrawlRunner::stop() {
    engine_.requestStop();
}

void CrawlRunner::cancel() {
    engine_.requestCancel();
    abort_.store(true);
    if (running_)
        clearWhenDone_ = true;
    else
        engine_.clearLinkList();
}

void CrawlRunner::requestCancel() {
    abort_.store(true);
    engine_.requestCancel();
}

void CrawlRunner::clearLinkList() {
    endCrawl();
    engine_.clearLinkList();
}

void CrawlRunner::run(CrawlMode mode, const CrawlInputs& inputs) {
    endCrawl();
    engine_.run(mode, inputs);
}

void CrawlRunner::resetAllSearches() {
    endCrawl();
    engine_.resetAllSearches();
}

} // namespace trov
