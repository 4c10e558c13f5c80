// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crawl/crawl_runner.h"

#include "app/crawl/crawler_panel.h"
#include "compose/reachability.h"
#include "crawler/concurrent_page_source.h"
#include "crawler/latest_progress.h"
#include "crawler/link_check.h"
#include "links/window.h"

#include <condition_variable>
#include <mutex>

namespace trov {

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

// What a job's thread works with: the engine, its page source and the stand-ins of the
// window thread's panel, boxes and launcher. The thread holds it too, so a job that does
// not end in time at the end of the program can be left to end on its own: it touches
// nothing the runner owns, and what it posts goes nowhere once the runner is gone.
struct CrawlRunner::Crew {
    // The crawl's progress, merged: one update at a time waits on the window thread.
    class Progress : public LatestProgress {
    public:
        explicit Progress(Crew& crew)
            : LatestProgress([&crew] {
                  crew.postAlways([](CrawlRunner& r, bool newest) {
                      // The newest job's updates only; the rest are forgotten.
                      if (CrawlProgress* p = r.panel_.data(); p && newest)
                          r.crew_->progress.takeInto(*p);
                      else
                          r.crew_->progress.discard();
                  });
              }),
              crew_(crew) {}
        void showLinks(const std::string& caption, const std::vector<std::string>& links) override {
            crew_.post([caption, links](CrawlRunner& r) {
                if (Tflinks* v = r.viewer_ ? r.viewer_() : nullptr) {
                    QStringList list;
                    list.reserve(static_cast<qsizetype>(links.size()));
                    for (const std::string& l : links)
                        list << q(l);
                    v->showLinks(q(caption), list);
                }
            });
        }

        void robotsKeptOut(std::size_t pages) override {
            crew_.post([pages](CrawlRunner& r) {
                if (CrawlProgress* p = r.panel_.data())
                    p->robotsKeptOut(pages);
            });
        }

    private:
        Crew& crew_;
    };

    // Boxes asked for on the worker appear on the window thread; the crawl does not wait.
    class WorkerMessages : public Messages {
    public:
        explicit WorkerMessages(Crew& crew) : crew_(crew) {}
        void show(MessageIcon icon, const std::string& text, bool alwaysOnTop) override {
            crew_.post([icon, text, alwaysOnTop](CrawlRunner& r) {
                r.messages_.show(icon, text, alwaysOnTop);
            });
        }
        // The crawl asks no question of its own.
        bool ask(const std::string&) override { return false; }

    private:
        Crew& crew_;
    };

    class WorkerLauncher : public platform::Launcher {
    public:
        explicit WorkerLauncher(Crew& crew) : crew_(crew) {}
        void launch(const std::string& address, const std::string& command) override {
            crew_.post(
                [address, command](CrawlRunner& r) { r.launcher_.launch(address, command); });
        }

    private:
        Crew& crew_;
    };

    Crew(CrawlRunner& r, std::unique_ptr<PageSource> s, std::string resultPage)
        : runner(&r), progress(*this), messages(*this), launcher(*this),
          source(s ? std::move(s) : std::make_unique<ConcurrentPageSource>()),
          engine(*source, std::move(resultPage), messages, progress) {}

    // Hands f to the window thread, where it runs while the job that posted it is the
    // newest request; never once the runner is gone.
    void post(std::function<void(CrawlRunner&)> f) {
        postAlways([f = std::move(f)](CrawlRunner& r, bool newest) {
            if (newest)
                f(r);
        });
    }
    // The same, run whatever came since; newest tells whether it did.
    void postAlways(std::function<void(CrawlRunner&, bool newest)> f) {
        const unsigned from = job.load();
        std::lock_guard lock(mutex);
        if (!runner)
            return;
        CrawlRunner* r = runner;
        QMetaObject::invokeMethod(
            r, [r, from, f = std::move(f)] { f(*r, from == r->generation_); },
            Qt::QueuedConnection);
    }

    std::mutex mutex;
    CrawlRunner* runner;          // guarded by mutex; null once the runner is gone
    std::atomic<unsigned> job{0}; // the running job's generation
    Progress progress;
    WorkerMessages messages;
    WorkerLauncher launcher;
    std::unique_ptr<PageSource> source;
    CrawlEngine engine;

    // The job's thread is over (told as its last act).
    std::mutex endMutex;
    std::condition_variable endChanged;
    bool threadDone = true;
};

CrawlRunner::CrawlRunner(std::string resultPage, Messages& messages, platform::Launcher& launcher,
                         QObject* parent, std::unique_ptr<PageSource> source)
    : QObject(parent), messages_(messages), launcher_(launcher),
      crew_(std::make_shared<Crew>(*this, std::move(source), std::move(resultPage))) {}

// A job's thread that has not ended within the bound (a page source or a name look-up that
// does not watch the cancel) is left to end on its own rather than waited for: it holds
// the crew, so nothing it touches is freed under it, and what it posts goes nowhere. trov
// itself then leaves at once, its stores written (main).
CrawlRunner::~CrawlRunner() {
    const bool ended = endForExit();
    {
        std::lock_guard lock(crew_->mutex);
        crew_->runner = nullptr;
    }
    if (worker_.joinable()) {
        if (ended)
            worker_.join();
        else
            worker_.detach();
    }
}

void CrawlRunner::setPanel(CrawlerPanel* panel) {
    panel_ = panel;
    if (!panel)
        return;
    connect(panel, &CrawlerPanel::stopRequested, this, &CrawlRunner::stop);
    connect(panel, &CrawlerPanel::cancelRequested, this, &CrawlRunner::cancel);
}

CrawlEngine& CrawlRunner::engine() {
    return crew_->engine;
}

void CrawlRunner::launch(Work work) {
    ++generation_;
    running_ = true;
    clearWhenDone_ = false;
    token_ = std::make_shared<StopToken>();
    crew_->progress.discard();
    crew_->job.store(generation_);
    {
        std::lock_guard lock(crew_->endMutex);
        crew_->threadDone = false;
    }
    worker_ = std::thread([crew = crew_, token = token_, work = std::move(work)] {
        std::function<void(CrawlRunner&)> done;
        try {
            done = work(*crew, *token);
        } catch (const std::exception& e) {
            crew->messages.show(MessageIcon::Error, e.what(), false);
        }
        crew->postAlways(
            [done = std::move(done)](CrawlRunner& r, bool newest) { r.jobEnded(newest, done); });
        {
            std::lock_guard lock(crew->endMutex);
            crew->threadDone = true;
        }
        crew->endChanged.notify_all();
    });
}

void CrawlRunner::jobEnded(bool newest, const std::function<void(CrawlRunner&)>& done) {
    // The thread has posted this as its last act but one: the join is a moment.
    if (worker_.joinable())
        worker_.join();
    running_ = false;
    token_.reset();
    if (auto* p = panel_.data())
        p->finish();
    if (newest) {
        if (done)
            done(*this);
        return;
    }
    // Ended for newer requests: they run now, in the order they came.
    crew_->progress.discard();
    for (const auto& action : std::exchange(pendingActions_, {}))
        action();
    if (const auto next = std::exchange(pendingJob_, {}))
        next();
}

void CrawlRunner::showStopping() {
    if (auto* p = panel_.data())
        p->showStopping();
}

void CrawlRunner::supersede() {
    token_->cancel();
    ++generation_;
    showStopping();
}

void CrawlRunner::whenIdle(std::function<void()> action) {
    pendingJob_ = {};
    if (!running_) {
        action();
        return;
    }
    supersede();
    pendingActions_.push_back(std::move(action));
}

void CrawlRunner::start(LinksJob job) {
    auto go = [this, job = std::move(job)] {
        launch([job](Crew& crew, StopToken& token) -> std::function<void(CrawlRunner&)> {
            CurlReachability reachability(&token.cancelFlag());
            LinksResult result = LinksResult::Cancelled;
            try {
                result = runLinksJob(job, token, reachability, crew.engine, crew.messages,
                                     crew.launcher);
            } catch (const std::exception& e) {
                crew.messages.show(MessageIcon::Error, e.what(), false);
            }
            return [result](CrawlRunner& r) {
                if (std::exchange(r.clearWhenDone_, false))
                    r.crew_->engine.clearLinkList();
                emit r.finished(result);
            };
        });
    };
    if (!running_)
        return go();
    supersede();
    pendingJob_ = std::move(go);
}

void CrawlRunner::startCheck(std::string site, bool respectRobots, CheckDone done) {
    auto check = [this, site = std::move(site), respectRobots, done = std::move(done)] {
        launch([site, respectRobots, done](Crew& crew, StopToken& token) {
            // Shared, so the report is not copied on its way to the window thread.
            auto report = std::make_shared<std::optional<LinkReport>>();
            try {
                LinkCheckOptions options = linkCheckOptions();
                options.respectRobots = respectRobots;
                const std::vector<ListedLink> links =
                    crew.engine.readLinkList([&crew](const LinkList& list) {
                        return listedLinks(list, crew.engine.sightings());
                    });
                *report = LinkChecker(options).run(links, site, token.cancelFlag(), crew.progress);
            } catch (const std::exception& e) {
                crew.messages.show(MessageIcon::Error, e.what(), false);
            }
            return std::function<void(CrawlRunner&)>([report, done](CrawlRunner& r) {
                // Cancel abandons the check, not the links it was checking.
                r.clearWhenDone_ = false;
                done(std::move(*report));
            });
        });
    };
    if (!running_)
        return check();
    supersede();
    pendingJob_ = std::move(check);
}

void CrawlRunner::stop() {
    if (!running_)
        return;
    token_->stop();
    showStopping();
}

void CrawlRunner::cancel() {
    pendingJob_ = {};
    if (!running_) {
        crew_->engine.clearLinkList();
        return;
    }
    token_->cancel();
    clearWhenDone_ = true;
    showStopping();
}

bool CrawlRunner::endForExit() {
    pendingActions_.clear();
    pendingJob_ = {};
    if (!worker_.joinable())
        return true;
    token_->cancel();
    ++generation_; // nothing of the job is shown or opened any more
    if (!exitDeadline_)
        exitDeadline_ = std::chrono::steady_clock::now() + kExitBound;
    std::unique_lock lock(crew_->endMutex);
    const bool ended =
        crew_->endChanged.wait_until(lock, *exitDeadline_, [this] { return crew_->threadDone; });
    lock.unlock();
    if (ended)
        worker_.join();
    return ended;
}

void CrawlRunner::requestCancel() {
    pendingJob_ = {};
    if (running_)
        supersede();
}

void CrawlRunner::clearLinkList() {
    whenIdle([this] { crew_->engine.clearLinkList(); });
}

void CrawlRunner::resetAllSearches() {
    whenIdle([this] { crew_->engine.resetAllSearches(); });
}

} // namespace trov
