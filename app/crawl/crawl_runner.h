// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs the Links branch of Go (the reachability check and the crawl) on a worker thread,
// so the window never waits for the network. The crawl's progress reaches the panel and
// the links viewer through queued calls; message boxes and the opening of the result page
// are handed to the window thread the same way. Stop and Cancel set the crawl's flags.
//
// As the window's CrawlPort it also makes the window's own requests safe during a crawl:
// clearing the LinkList first ends the running crawl (Cancel abandons a transfer at once),
// so a new Go always works on a freshly cleared table with its own flags.

#include "common/messages.h"
#include "compose/go.h"
#include "crawler/concurrent_page_source.h"
#include "crawler/crawl_engine.h"
#include "links/window.h"
#include "platform/launcher.h"

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace trov {

class CrawlerPanel;

class CrawlRunner : public QObject, public CrawlPort {
    Q_OBJECT
public:
    // resultPage: TrovCrawler.html in the data folder. messages and launcher are the
    // window thread's; the worker reaches them through queued calls.
    CrawlRunner(std::string resultPage, Messages& messages, platform::Launcher& launcher,
                QObject* parent = nullptr);
    ~CrawlRunner() override;

    void setPanel(CrawlerPanel* panel);
    // Where PrikazLinkov shows the sorted links.
    // The viewer that shows an extraction's links; asked for when they arrive, so a
    // viewer made on first use is made then.
    void setLinksViewer(std::function<Tflinks*()> viewer) { viewer_ = std::move(viewer); }

    // Starts a Links job; a crawl still running is ended first.
    void start(LinksJob job);
    bool running() const { return running_; }
    // Waits until the worker is done (tests; the end of the program).
    void wait();
    // Ends a running crawl at once (Cancel) and forgets what it still had queued.
    void endCrawl();

    // Stop: finish with partial results. Cancel: abandon; the LinkList is cleared once the
    // crawl has ended.
    void stop();
    void cancel();

    // CrawlPort
    void requestCancel() override;
    void resetFlags() override { engine_.resetFlags(); }
    bool cancelRequested() const override { return engine_.cancelRequested(); }
    void clearLinkList() override;
    void run(CrawlMode mode, const CrawlInputs& inputs) override;

    CrawlEngine& engine() { return engine_; }
    // "Reset all searches" once confirmed.
    void resetAllSearches();

signals:
    void finished(trov::LinksResult result);

private:
    class Progress;
    class WorkerMessages;
    class WorkerLauncher;

    // Runs f on the window thread later, unless a newer job has started by then.
    void post(std::function<void()> f);

    Messages& messages_;
    platform::Launcher& launcher_;
    std::unique_ptr<Progress> progress_;
    std::unique_ptr<WorkerMessages> workerMessages_;
    std::unique_ptr<WorkerLauncher> workerLauncher_;
    ConcurrentPageSource source_; // pages fetched ahead, results as one at a time
    CrawlEngine engine_;
    std::atomic<bool> abort_{false};
    std::atomic<unsigned> generation_{0};
    QPointer<CrawlerPanel> panel_;
    std::function<Tflinks*()> viewer_;
    std::thread worker_;
    bool running_ = false;
    bool clearWhenDone_ = false;
};

} // namespace trov
