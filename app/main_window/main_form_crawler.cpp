// The crawler menu under the Links button and the hidden "Crawler" submenu: the mode
// entries, the link list shown, exported and imported, and the list crawl's file.

#include "app/main_window/main_form.h"
#include "app/main_window/suggestion_list.h"
#include "common/atomic_file.h"
#include "common/messages.h"
#include "crawler/results.h"
#include "links/window.h"

#include <QLineEdit>

namespace trov {

namespace {

QString chooseToSave(FileChooser* files, const std::string& presetName) {
    return files ? QString::fromStdString(files->saveFile(kLinkExportDialog, presetName))
                 : QString();
}

QString chooseToOpen(FileChooser* files) {
    return files ? QString::fromStdString(files->openFile(kLinkListOpenDialog, {})) : QString();
}

} // namespace

void TMainForm::chooseCrawlMode(CrawlMode mode) {
    const bool extract = mode == CrawlMode::AllLinks || mode == CrawlMode::interLinks;
    for (CrawlMode m : kCrawlModes)
        model_.setCrawlMark(m, false);
    if (extract) {
        model_.setCrawlMark(mode, true);
    } else {
        // The shared handler of the crawl entries.
        if (mode == CrawlMode::StartFastCrawl || mode == CrawlMode::StartSlowCrawl)
            model_.setCrawlMark(mode, true);
        if (model_.crawlRequestMode() == 1)
            model_.setCrawlMark(CrawlMode::AllLinks, true);
        if (model_.crawlRequestMode() == 2)
            model_.setCrawlMark(CrawlMode::interLinks, true);
    }
    runner_.engine().setListReady(true);
    model_.setSiteReadOnly(false);
    showSiteReadOnly();
    if (mode == CrawlMode::CrawlCSV) {
        model_.setSiteReadOnly(true);
        showSiteReadOnly();
        model_.setCrawlMark(CrawlMode::CrawlCSV, true);
        naloziCSVLinke();
    }
    model_.BarvaOkvirja();
    showMarks();
    showColours();
    if (model_.colours().focusSite)
        advanced().edomain->setFocus();
}

void TMainForm::hiddenSubmenuMode(CrawlMode mode) {
    if (mode == CrawlMode::StartFastCrawl) {
        // Its entry is none of the pop-up's, so the shared handler checks no crawl.
        for (CrawlMode m : kCrawlModes)
            model_.setCrawlMark(m, false);
        if (model_.crawlRequestMode() == 1)
            model_.setCrawlMark(CrawlMode::AllLinks, true);
        if (model_.crawlRequestMode() == 2)
            model_.setCrawlMark(CrawlMode::interLinks, true);
        runner_.engine().setListReady(true);
        model_.setSiteReadOnly(false);
        showSiteReadOnly();
    } else {
        for (CrawlMode m : {CrawlMode::StartFastCrawl, CrawlMode::StartSlowCrawl,
                            CrawlMode::AllLinks, CrawlMode::interLinks})
            model_.setCrawlMark(m, m == mode);
    }
    showMarks();
    showColours();
}

void TMainForm::naloziCSVLinke() {
    const std::optional<std::string> given = std::exchange(listFileGiven_, std::nullopt);
    runner_.endCrawl();
    LinkList& list = runner_.engine().linkList();
    list.count = 0;
    if (!model_.crawlMarks()[CrawlMode::CrawlCSV])
        return;
    const std::string path = given ? *given : chooseToOpen(services_.files).toStdString();
    model_.setCrawlListFile(path);
    const std::optional<std::string> bytes = fileExists(path) ? readWholeFile(path) : std::nullopt;
    if (!bytes) {
        // The mode stays chosen; the next choice asks for a file again.
        services_.messages.show(MessageIcon::Warning, missingListMessage(path));
        return;
    }
    const LoadedList loaded = loadLinkList(list, *bytes);
    advanced().edomain->setText(QString::fromStdString(loaded.site));
    if (Tflinks* viewer = linksViewer())
        viewer->setLinksText(QString::fromStdString(loaded.viewerText));
    dropDown_->hide();
}

void TMainForm::loadCrawlList(const std::string& path) {
    // A history record's file, usable here or not: no dialog opens in the middle of a Fill,
    // a file that is not there gets the loader's warning.
    listFileGiven_ = path;
    chooseCrawlMode(CrawlMode::CrawlCSV);
}

void TMainForm::Showlinks1Click() {
    Tflinks* viewer = linksViewer();
    if (!viewer)
        return;
    viewer->show();
    viewer->raise();
}

namespace {

void writeExport(Messages& messages, const QString& path, const std::string& bytes) {
    FileError error;
    if (!writeFileAtomically(path.toStdString(), bytes, &error))
        messages.show(MessageIcon::Error, "Unable to write to " + error.path);
}

} // namespace

void TMainForm::Exportlinks1000Click() {
    exportLinkList(linkExportName, linkExport);
}

void TMainForm::Exportdata1000Click() {
    exportLinkList(dataExportName, dataExport);
}

void TMainForm::exportLinkList(std::string (*fileName)(std::string_view site),
                               std::string (*bytes)(const LinkList& list, std::string_view site)) {
    const std::string& site = model_.text(TextField::Site);
    const QString path = chooseToSave(services_.files, fileName(site));
    if (path.isEmpty())
        return;
    // A running crawl goes on; the file holds the table as it is now.
    writeExport(services_.messages, path, runner_.engine().readLinkList([&](const LinkList& list) {
        return bytes(list, site);
    }));
}

void TMainForm::ImportCSV1Click() {
    Tflinks* viewer = linksViewer();
    if (!viewer)
        return;
    const QString path = chooseToOpen(services_.files);
    if (!path.isEmpty()) {
        viewer->clearLinks();
        if (const auto bytes = readWholeFile(path.toStdString()))
            viewer->setLinksText(QString::fromStdString(readLinkListText(*bytes)));
    }
    viewer->show();
}

void TMainForm::Resetallsearches1Click() {
    if (!services_.messages.ask("Reset all search parameters and search results?"))
        return;
    runner_.resetAllSearches();
    if (viewer_) // a viewer not made yet has no links
        viewer_->clearLinks();
}

} // namespace trov
