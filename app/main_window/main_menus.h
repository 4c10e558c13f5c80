// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's pop-up menus in their flat style: the main menu under the menu button
// (with the hidden "Crawler" submenu) and the crawler menu under the Links button. The
// actions carry no behaviour here; TMainForm connects them.

#include "crawler/crawl_mode.h"

#include <array>

class QAction;
class QMenu;
class QWidget;

namespace trov {

struct MainMenus {
    explicit MainMenus(QWidget* parent);
    ~MainMenus();
    MainMenus(const MainMenus&) = delete;
    MainMenus& operator=(const MainMenus&) = delete;

    // Main menu.
    QMenu* main = nullptr;
    QAction* History1 = nullptr;
    QAction* EnableHistory = nullptr; // "Enable search history", checked at start
    QAction* KeepHistory = nullptr;   // "Keep search history", kept in YY.cfg
    QAction* PrivateSearch = nullptr; // "Private search", Ctrl+Shift+P, never kept
    QMenu* Crawler1 = nullptr;        // the hidden "Crawler" submenu
    QAction* SearchSuggestions = nullptr;
    QAction* EngineSuggestions = nullptr; // "Suggestions from engines", kept in YY.cfg
    QAction* SaveSettings1 = nullptr;
    QAction* OpenSettings1 = nullptr;
    QAction* ResetAllSettings1 = nullptr;
    QMenu* Background1 = nullptr;
    QAction* Colordialog1 = nullptr;
    QAction* Colorpicker1 = nullptr;
    QAction* Randombackgroundcolor1 = nullptr;
    QAction* Recentcolors1 = nullptr;
    QAction* Minimize = nullptr;     // "Hide"
    QAction* aHideSekunda = nullptr; // "Auto Hide"
    QAction* Stayontop1 = nullptr;
    QAction* About1 = nullptr;
    QAction* Exit1 = nullptr;

    // The hidden submenu's entries.
    QAction* subFast = nullptr; // "Crawl main page subpages" (checked until the first marks)
    QAction* subSlow = nullptr;
    QAction* subAll = nullptr;
    QAction* subInternal = nullptr;
    QAction* subExportLinks = nullptr;
    QAction* subExportData = nullptr;

    // Crawler menu (PopCrawler): the mode entries by CrawlMode, then its commands.
    QMenu* PopCrawler = nullptr;
    std::array<QAction*, 5> modes{};
    QAction* Showlinks1 = nullptr;
    QAction* CheckLinks1 = nullptr; // "Check links", enabled after an extraction
    QAction* Exportlinks1000 = nullptr;
    QAction* Exportdata1000 = nullptr;
    QAction* ImportCSV1 = nullptr;
    QAction* RespectRobots1 = nullptr; // "Respect robots.txt", checked, kept in YY.cfg
    QAction* UseSitemap1 = nullptr;    // "Use the site's sitemap", kept in YY.cfg
    QAction* Resetallsearches1 = nullptr;

    QAction* mode(CrawlMode m) const { return modes[static_cast<std::size_t>(m)]; }
    // Shows the marks as the crawler menu's check marks and on the hidden submenu's
    // mode entries.
    void showMarks(const CrawlMarks& marks);
};

} // namespace trov
