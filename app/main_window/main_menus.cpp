// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/main_menus.h"

#include "appearance/menu_style.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace trov {

namespace {

QAction* item(QMenu* menu, const char* name, const char* text, bool checkable = false) {
    QAction* a = menu->addAction(QCoreApplication::translate("MainMenus", text));
    a->setObjectName(QLatin1String(name));
    a->setCheckable(checkable);
    return a;
}

} // namespace

MainMenus::MainMenus(QWidget* parent) {
    main = new QMenu(parent);
    main->setObjectName(QStringLiteral("PopupMenu1"));
    History1 = item(main, "History1", QT_TRANSLATE_NOOP("MainMenus", "History"));
    EnableHistory =
        item(main, "EnableHistory", QT_TRANSLATE_NOOP("MainMenus", "Enable search history"), true);
    EnableHistory->setChecked(true);
    KeepHistory =
        item(main, "KeepHistory1", QT_TRANSLATE_NOOP("MainMenus", "Keep search history"), true);
    KeepHistory->setChecked(true);
    PrivateSearch =
        item(main, "PrivateSearch1", QT_TRANSLATE_NOOP("MainMenus", "Private search"), true);
    PrivateSearch->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    PrivateSearch->setShortcutContext(Qt::WindowShortcut);
    // The window carries the entry too, so its key works while the menu is closed.
    parent->addAction(PrivateSearch);
    Crawler1 = main->addMenu(QCoreApplication::translate("MainMenus", "Crawler"));
    Crawler1->setObjectName(QStringLiteral("Crawler1"));
    Crawler1->menuAction()->setVisible(false);
    subFast = item(Crawler1, "StartFastCrawl000",
                   QT_TRANSLATE_NOOP("MainMenus", "Crawl main page subpages"), true);
    subFast->setChecked(true);
    subSlow = item(Crawler1, "StartSlowCrawl000",
                   QT_TRANSLATE_NOOP("MainMenus", "Crawl all internal pages (slow)"), true);
    subAll = item(Crawler1, "AllLinks000",
                  QT_TRANSLATE_NOOP("MainMenus", "Extract all links from a website"), true);
    subInternal =
        item(Crawler1, "interLinks000",
             QT_TRANSLATE_NOOP("MainMenus", "Extract internal links from a website"), true);
    subExportLinks =
        item(Crawler1, "Exportlinks000", QT_TRANSLATE_NOOP("MainMenus", "Export links"));
    subExportData = item(Crawler1, "Exportdata000", QT_TRANSLATE_NOOP("MainMenus", "Export data"));
    SearchSuggestions =
        item(main, "SearchSuggestions1", QT_TRANSLATE_NOOP("MainMenus", "Search suggestions"));
    EngineSuggestions = item(main, "EngineSuggestions1",
                             QT_TRANSLATE_NOOP("MainMenus", "Suggestions from engines"), true);
    main->addSeparator();
    SaveSettings1 = item(main, "SaveSettings1", QT_TRANSLATE_NOOP("MainMenus", "Save settings"));
    OpenSettings1 = item(main, "OpenSettings1", QT_TRANSLATE_NOOP("MainMenus", "Open settings"));
    ResetAllSettings1 =
        item(main, "ResetAllSettings1", QT_TRANSLATE_NOOP("MainMenus", "Reset all settings"));
    main->addSeparator();
    Background1 = main->addMenu(QCoreApplication::translate("MainMenus", "Background color"));
    Background1->setObjectName(QStringLiteral("Background1"));
    Colordialog1 =
        item(Background1, "Colordialog1", QT_TRANSLATE_NOOP("MainMenus", "Color dialog"));
    Colorpicker1 =
        item(Background1, "Colorpicker1", QT_TRANSLATE_NOOP("MainMenus", "Color picker"));
    Randombackgroundcolor1 =
        item(Background1, "Randombackgroundcolor1", QT_TRANSLATE_NOOP("MainMenus", "Random color"));
    Background1->addSeparator();
    Recentcolors1 =
        item(Background1, "Recentcolors1", QT_TRANSLATE_NOOP("MainMenus", "Recent colors"));
    Minimize = item(main, "Minimize", QT_TRANSLATE_NOOP("MainMenus", "Hide"));
    aHideSekunda = item(main, "aHideSekunda", QT_TRANSLATE_NOOP("MainMenus", "Auto Hide"), true);
    Stayontop1 = item(main, "Stayontop1", QT_TRANSLATE_NOOP("MainMenus", "Stay on top"), true);
    main->addSeparator();
    About1 = item(main, "About1", QT_TRANSLATE_NOOP("MainMenus", "About"));
    Exit1 = item(main, "Exit1", QT_TRANSLATE_NOOP("MainMenus", "Exit"));
    applyFlatMenuStyle(main);

    PopCrawler = new QMenu(parent);
    PopCrawler->setObjectName(QStringLiteral("PopCrawler"));
    modes[static_cast<std::size_t>(CrawlMode::StartFastCrawl)] =
        item(PopCrawler, "StartFastCrawl",
             QT_TRANSLATE_NOOP("MainMenus", "Crawl main page subpages"), true);
    modes[static_cast<std::size_t>(CrawlMode::StartSlowCrawl)] =
        item(PopCrawler, "StartSlowCrawl",
             QT_TRANSLATE_NOOP("MainMenus", "Crawl all internal pages (slow)\n"), true);
    modes[static_cast<std::size_t>(CrawlMode::CrawlCSV)] = item(
        PopCrawler, "CrawlCSV", QT_TRANSLATE_NOOP("MainMenus", "Crawl from list of links"), true);
    QAction* hiddenSeparator = PopCrawler->addSeparator();
    modes[static_cast<std::size_t>(CrawlMode::AllLinks)] =
        item(PopCrawler, "AllLinks", QT_TRANSLATE_NOOP("MainMenus", "Extract links from a website"),
             true);
    modes[static_cast<std::size_t>(CrawlMode::interLinks)] =
        item(PopCrawler, "interLinks",
             QT_TRANSLATE_NOOP("MainMenus", "Extract internal links from a website"), true);
    PopCrawler->addSeparator();
    Showlinks1 =
        item(PopCrawler, "Showlinks1", QT_TRANSLATE_NOOP("MainMenus", "Show list of links"));
    CheckLinks1 = item(PopCrawler, "CheckLinks1", QT_TRANSLATE_NOOP("MainMenus", "Check links"));
    CheckLinks1->setEnabled(false);
    Exportlinks1000 =
        item(PopCrawler, "Exportlinks1000", QT_TRANSLATE_NOOP("MainMenus", "Export list of links"));
    Exportdata1000 =
        item(PopCrawler, "Exportdata1000", QT_TRANSLATE_NOOP("MainMenus", "Export data"));
    ImportCSV1 =
        item(PopCrawler, "ImportCSV1", QT_TRANSLATE_NOOP("MainMenus", "Import list of links"));
    PopCrawler->addSeparator();
    RespectRobots1 = item(PopCrawler, "RespectRobots1",
                          QT_TRANSLATE_NOOP("MainMenus", "Respect robots.txt"), true);
    RespectRobots1->setChecked(true);
    UseSitemap1 = item(PopCrawler, "UseSitemap1",
                       QT_TRANSLATE_NOOP("MainMenus", "Use the site's sitemap"), true);
    PopCrawler->addSeparator();
    Resetallsearches1 =
        item(PopCrawler, "Resetallsearches1", QT_TRANSLATE_NOOP("MainMenus", "Reset all searches"));
    // These entries exist for re-run searches and settings files but are not offered.
    for (CrawlMode m : {CrawlMode::StartFastCrawl, CrawlMode::StartSlowCrawl, CrawlMode::CrawlCSV})
        mode(m)->setVisible(false);
    hiddenSeparator->setVisible(false);
    Exportdata1000->setVisible(false);
    applyFlatMenuStyle(PopCrawler);
}

MainMenus::~MainMenus() = default;

void MainMenus::showMarks(const CrawlMarks& marks) {
    for (CrawlMode m : kCrawlModes)
        mode(m)->setChecked(marks[m]);
    // The hidden submenu's entries show the same marks rather than their own toggling.
    subFast->setChecked(marks[CrawlMode::StartFastCrawl]);
    subSlow->setChecked(marks[CrawlMode::StartSlowCrawl]);
    subAll->setChecked(marks[CrawlMode::AllLinks]);
    subInternal->setChecked(marks[CrawlMode::interLinks]);
}

} // namespace trov
