// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The crawl behind the main window's Links button: the crawl runner, its progress panel and
// the links viewer, with the crawler menu's commands on the link list (show, export, import,
// "Check links", "Reset all searches") and the list crawl's file, and the link check's
// report window. The main window starts crawls and keeps the crawl modes; it never reaches
// into the link list itself.

#include "app/crawl/crawl_runner.h"
#include "crawler/results.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QWidget;

namespace trov {

class CrawlerPanel;
class FileChooser;
class LinkReportWindow;
class Tflinks;

class CrawlController : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // The widget the progress panel is made on, when first needed.
        std::function<QWidget*()> panelParent;
        // The site field's text: the exports' suggested names and their first line.
        std::function<std::string()> site;
    };

    // resultPage: TrovCrawler.html in the data folder. files: the crawler menu's dialogs;
    // null: none can be chosen.
    CrawlController(std::string resultPage, Messages& messages, platform::Launcher& launcher,
                    FileChooser* files, Hooks hooks, QObject* parent = nullptr);
    ~CrawlController() override;

    CrawlRunner& runner() { return runner_; }
    bool running() const { return runner_.running(); }
    // Starts a Links job; the panel is made first, so the crawl reports to it from its start.
    void start(LinksJob job);
    // StopRequested: a running crawl finishes with what it has (the panel's Stop, the exit).
    void stop() { runner_.stop(); }
    // CancelRequested: a running crawl is abandoned and the link list cleared once it has
    // ended (the panel's Cancel).
    void cancel() { runner_.cancel(); }

    // The progress panel, made by the first call; panelMade() tells without making it.
    CrawlerPanel* panel();
    bool panelMade() const { return !panel_.isNull(); }
    // The hidden windows' step of the program's start: from now on the links viewer is made
    // when first needed, and extracted links go to it.
    void enableViewer();
    // Null before enableViewer; the first call after it makes the window.
    Tflinks* viewer();

    // A crawl mode was chosen: the list is ready to be filled by the next crawl.
    void markListReady() { runner_.engine().setListReady(true); }
    // The list crawl's file: forgetList ends a running crawl and empties the list; loadList
    // loads the file into it, or warns that it is missing (empty path included).
    void forgetList();
    std::string chooseListFile();
    std::optional<LoadedList> loadList(const std::string& path);
    void showListInViewer(const std::string& text);

    // The crawler menu's commands.
    void showLinks();        // Showlinks1Click
    void exportLinks();      // Exportlinks1000Click
    void exportData();       // Exportdata1000Click
    void importList();       // ImportCSV1Click
    void resetAllSearches(); // Resetallsearches1Click
    // "Check links": the links of the last extraction, while the viewer shows them and no
    // crawl runs; the report window shows the outcome unless the check was cancelled.
    bool canCheckLinks();
    void checkLinks();
    // Whether crawls and the check obey robots.txt, and whether site crawls and extractions
    // also take the site's sitemaps: the crawler menu's "Respect robots.txt" and "Use the
    // site's sitemap" set them.
    void setRespectRobots(bool respect) { respectRobots_ = respect; }
    void setUseSitemap(bool use) { useSitemap_ = use; }
    // Null until the first check has reported.
    LinkReportWindow* reportWindow() const { return reportWindow_.get(); }

private:
    void showReport(LinkReport report);
    // "Export list of links" and "Export data": the same dialog and write, other bytes.
    void exportLinkList(std::string (*fileName)(std::string_view site),
                        std::string (*bytes)(const LinkList& list, std::string_view site));

    Messages& messages_;
    platform::Launcher& launcher_;
    FileChooser* files_;
    Hooks hooks_;
    CrawlRunner runner_;
    QPointer<CrawlerPanel> panel_; // a child of the main window
    bool viewerEnabled_ = false;
    std::unique_ptr<Tflinks> viewer_;
    // The site of the Links job under way or last run, and whether it left an extraction's
    // links in the list and the viewer.
    std::string jobSite_;
    bool extracted_ = false;
    bool respectRobots_ = true;
    bool useSitemap_ = false;
    std::unique_ptr<LinkReportWindow> reportWindow_;
};

} // namespace trov
