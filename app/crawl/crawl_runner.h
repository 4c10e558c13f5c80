// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the Links branch of Go (the reachability check and the crawl) and the link check as
// jobs on a worker thread, so the window never waits for the network or for a page. Each
// job has its own stop token: Stop and Cancel are requests to it, the panel shows the job
// stopping, and the window acts on the job's end event. The crawl's progress reaches the
// panel merged (the latest values, at most one update waiting), the links viewer, message
// boxes and the opening of the result page through queued calls.
//
// As the window's CrawlPort it also makes the window's own requests safe during a job: a
// new Go, a cleared or reset list, the list crawl's file cancel the running job and wait,
// in order, for its end event; the window thread goes on meanwhile.

#include "common/messages.h"
#include "compose/go.h"
#include "crawler/crawl_engine.h"
#include "crawler/link_status.h"
#include "links/window.h"
#include "platform/launcher.h"

#include <QObject>
#include <QPointer>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace trov {

class CrawlerPanel;

class CrawlRunner : public QObject, public CrawlPort {
    Q_OBJECT
public:
    // How long the end of the program waits for a cancelled job to notice.
    static constexpr std::chrono::milliseconds kExitBound{2000};

    // resultPage: TrovCrawler.html in the data folder. messages and launcher are the
    // window thread's; the worker reaches them through queued calls. source: where the
    // pages come from; null: the network, fetched ahead of the crawl.
    CrawlRunner(std::string resultPage, Messages& messages, platform::Launcher& launcher,
                QObject* parent = nullptr, std::unique_ptr<PageSource> source = nullptr);
    // Ends a running job as endForExit does.
    ~CrawlRunner() override;

    void setPanel(CrawlerPanel* panel);
    // The viewer that shows an extraction's links; asked for when they arrive, so a
    // viewer made on first use is made then.
    void setLinksViewer(std::function<Tflinks*()> viewer) { viewer_ = std::move(viewer); }

    // Starts a Links job: at once when no job runs, else once the running one, told to
    // cancel, has ended. finished tells its result, unless a newer request ended it.
    void start(LinksJob job);
    // The link check of what the last extraction listed, as a job of its own, paced as the
    // crawl's page source is. done gets the report on the window thread, or nothing when
    // Cancel ended the check; it is not called when a Go or the end of the program did.
    // The link list stays as the extraction left it either way.
    using CheckDone = std::function<void(std::optional<LinkReport>)>;
    void startCheck(std::string site, bool respectRobots, CheckDone done);
    // Whether a job runs, or waits for the running one to end.
    bool running() const { return running_; }
    // Runs action on the window thread once no job runs: at once when none does, else
    // after the running job, told to cancel, has ended. A job waiting to start is dropped.
    void whenIdle(std::function<void()> action);

    // Stop: finish with partial results. Cancel: abandon; the LinkList is cleared once the
    // job has ended. Neither waits.
    void stop();
    void cancel();
    // The end of the program: cancels the job and waits a bounded moment (kExitBound in
    // all, however often asked) for its thread to end. False when it still runs: the
    // program leaves without it (see the destructor).
    bool endForExit();

    // CrawlPort
    void requestCancel() override;
    void clearLinkList() override;

    // The table and what the last job did. Change it only through whenIdle; read it while
    // a job runs only through readLinkList.
    CrawlEngine& engine();
    // "Reset all searches" once confirmed.
    void resetAllSearches();

signals:
    void finished(trov::LinksResult result);

private:
    struct Crew;
    // A job's work on its thread; what it gives back runs on the window thread at its end,
    // unless a newer request ended the job.
    using Work = std::function<std::function<void(CrawlRunner&)>(Crew&, StopToken&)>;

    void launch(Work work);
    void jobEnded(bool newest, const std::function<void(CrawlRunner&)>& done);
    // The running job is cancelled for a newer request: what it still posts is dropped,
    // its end excepted, and the panel shows it stopping.
    void supersede();
    void showStopping();

    Messages& messages_;
    platform::Launcher& launcher_;
    std::shared_ptr<Crew> crew_;       // shared with the job's thread
    std::shared_ptr<StopToken> token_; // the running job's
    std::thread worker_;
    unsigned generation_ = 0; // of the newest job or request; window thread only
    bool running_ = false;
    bool clearWhenDone_ = false;
    std::vector<std::function<void()>> pendingActions_; // in order, once no job runs
    std::function<void()> pendingJob_;                  // after them
    std::optional<std::chrono::steady_clock::time_point> exitDeadline_;
    QPointer<CrawlerPanel> panel_;
    std::function<Tflinks*()> viewer_;
};

} // namespace trov
