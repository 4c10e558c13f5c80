// SPDX-License-Identifier: GPL-3.0-or-later
// The crawler menu's modes under the Links button and in the hidden "Crawler" submenu, and
// the list crawl's file put into the form. The commands on the link list itself are the
// crawl controller's.

#include "app/crawl/crawl_controller.h"
#include "app/main_window/main_form.h"
#include "app/main_window/suggestion_list.h"

#include <QLineEdit>
#include <utility>

namespace trov {

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
    crawl_.markListReady();
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
        crawl_.markListReady();
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
    crawl_.forgetList();
    if (!model_.crawlMarks()[CrawlMode::CrawlCSV])
        return;
    const std::string path = given ? *given : crawl_.chooseListFile();
    model_.setCrawlListFile(path);
    // A missing file is warned of; the mode stays chosen and the next choice asks again.
    const std::optional<LoadedList> loaded = crawl_.loadList(path);
    if (!loaded)
        return;
    // The form first: a field that already shows this line would report no change. The
    // line is the list's, not typed, so the drop-down is not refreshed for it.
    model_.setText(TextField::Site, loaded->site);
    QLineEdit* site = advanced().edomain;
    const bool was = std::exchange(syncing_, true);
    site->setText(QString::fromStdString(loaded->site));
    syncing_ = was;
    crawl_.showListInViewer(loaded->viewerText);
    dropDown_->hide();
}

void TMainForm::loadCrawlList(const std::string& path) {
    // A history record's file, usable here or not: no dialog opens in the middle of a Fill,
    // a file that is not there gets the loader's warning.
    listFileGiven_ = path;
    chooseCrawlMode(CrawlMode::CrawlCSV);
}

} // namespace trov
