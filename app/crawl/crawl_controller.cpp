// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crawl/crawl_controller.h"

#include "app/crawl/crawler_panel.h"
#include "app/crawl/link_report_window.h"
#include "app/shared/file_chooser.h"
#include "common/atomic_file.h"
#include "common/translatable.h"
#include "links/window.h"

namespace trov {

namespace {

void writeExport(Messages& messages, const std::string& path, const std::string& bytes) {
    FileError error;
    if (!writeFileAtomically(path, bytes, &error))
        messages.show(MessageIcon::Error, unableToWrite(error.path));
}

} // namespace

CrawlController::CrawlController(std::string resultPage, Messages& messages,
                                 platform::Launcher& launcher, FileChooser* files, Hooks hooks,
                                 QObject* parent)
    : QObject(parent), messages_(messages), launcher_(launcher), files_(files),
      hooks_(std::move(hooks)), runner_(std::move(resultPage), messages, launcher) {
    connect(&runner_, &CrawlRunner::finished, this, [this](LinksResult result) {
        extracted_ = result == LinksResult::Extracted &&
                     runner_.engine().outcome() == CrawlOutcome::LinksShown;
    });
}

CrawlController::~CrawlController() {
    runner_.endCrawl();
}

void CrawlController::start(LinksJob job) {
    panel()->setPartialResults(true);
    extracted_ = false;
    jobSite_ = job.inputs.site;
    job.inputs.respectRobots = respectRobots_;
    job.inputs.useSitemap = useSitemap_;
    runner_.start(std::move(job));
}

bool CrawlController::canCheckLinks() {
    // A Go or another engine since the extraction has emptied the list, and what it saw.
    return extracted_ && !runner_.running() && !runner_.engine().sightings().empty();
}

void CrawlController::checkLinks() {
    if (!canCheckLinks())
        return;
    panel()->setPartialResults(false);
    runner_.startCheck(jobSite_, respectRobots_, [this](std::optional<LinkReport> report) {
        if (report)
            showReport(std::move(*report));
    });
}

void CrawlController::showReport(LinkReport report) {
    if (!reportWindow_)
        reportWindow_ = std::make_unique<LinkReportWindow>(
            messages_, [this](const std::string& a) { launcher_.launch(a, {}); }, files_);
    reportWindow_->showReport(std::move(report), jobSite_);
}

CrawlerPanel* CrawlController::panel() {
    if (!panel_) {
        // Made last of the window's controls, it covers the fields under it while a crawl
        // runs, as it did when made with the window.
        panel_ = new CrawlerPanel(messages_, hooks_.panelParent ? hooks_.panelParent() : nullptr);
        panel_->move(11, 260);
        panel_->setAutoFillBackground(true);
        panel_->setFrameShape(QFrame::Box);
        runner_.setPanel(panel_);
    }
    return panel_;
}

void CrawlController::enableViewer() {
    viewerEnabled_ = true;
    runner_.setLinksViewer([this] { return viewer(); });
}

Tflinks* CrawlController::viewer() {
    if (!viewer_ && viewerEnabled_) {
        viewer_ = std::make_unique<Tflinks>(
            messages_, [this](const std::string& a) { launcher_.launch(a, {}); });
        viewer_->setImportCommand([this] { importList(); });
        viewer_->setExportCommand([this] { exportLinks(); });
    }
    return viewer_.get();
}

void CrawlController::forgetList() {
    runner_.endCrawl();
    extracted_ = false;
    runner_.engine().linkList().count = 0;
}

std::string CrawlController::chooseListFile() {
    return files_ ? files_->openFile(kLinkListOpenDialog, {}) : std::string();
}

std::optional<LoadedList> CrawlController::loadList(const std::string& path) {
    const std::optional<std::string> bytes = fileExists(path) ? readWholeFile(path) : std::nullopt;
    if (!bytes) {
        messages_.show(MessageIcon::Warning, missingListMessage(path));
        return std::nullopt;
    }
    extracted_ = false;
    return loadLinkList(runner_.engine().linkList(), *bytes);
}

void CrawlController::showListInViewer(const std::string& text) {
    if (Tflinks* v = viewer())
        v->setLinksText(QString::fromStdString(text));
}

void CrawlController::showLinks() {
    Tflinks* v = viewer();
    if (!v)
        return;
    v->show();
    v->raise();
}

void CrawlController::exportLinks() {
    exportLinkList(linkExportName, linkExport);
}

void CrawlController::exportData() {
    exportLinkList(dataExportName, dataExport);
}

void CrawlController::exportLinkList(std::string (*fileName)(std::string_view site),
                                     std::string (*bytes)(const LinkList& list,
                                                          std::string_view site)) {
    const std::string site = hooks_.site ? hooks_.site() : std::string();
    const std::string path =
        files_ ? files_->saveFile(kLinkExportDialog, fileName(site)) : std::string();
    if (path.empty())
        return;
    // A running crawl goes on; the file holds the table as it is now.
    writeExport(messages_, path, runner_.engine().readLinkList([&](const LinkList& list) {
        return bytes(list, site);
    }));
}

void CrawlController::importList() {
    Tflinks* v = viewer();
    if (!v)
        return;
    const std::string path = chooseListFile();
    if (!path.empty()) {
        extracted_ = false; // the viewer shows the file's links now
        v->clearLinks();
        if (const auto bytes = readWholeFile(path))
            v->setLinksText(QString::fromStdString(readLinkListText(*bytes)));
    }
    v->show();
}

void CrawlController::resetAllSearches() {
    if (!messages_.ask(TROV_TEXT("Core", "Reset all search parameters and search results?")))
        return;
    runner_.resetAllSearches();
    extracted_ = false;
    if (viewer_) // a viewer not made yet has no links
        viewer_->clearLinks();
}

} // namespace trov
