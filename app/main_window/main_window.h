// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window as the program runs it: the form, the crawl behind its Links button, its
// background colours and the program's one exit sequence, made in order and wired
// together, so the program, the tools and the window tests build it alike.

#include <memory>

namespace trov {

class ColourController;
class Config;
class Messages;
class CrawlController;
class ExitSequence;
class TMainForm;
struct MainFormServices;

class MainWindow {
public:
    explicit MainWindow(MainFormServices& services);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    TMainForm& form() { return *form_; }
    CrawlController& crawl() { return *crawl_; }
    ColourController& colours() { return *colours_; }
    // Where the window's close, the tray's "Exit" and the main menu's "Exit" end up.
    ExitSequence& exitSequence() { return *exit_; }

    // The hidden windows of the program's start, after the form's creation sequence.
    void createHiddenWindows();

private:
    void wireCrawlerMenu(Config& config, Messages& messages);
    void wireColourMenu();

    std::unique_ptr<CrawlController> crawl_;
    std::unique_ptr<ColourController> colours_;
    std::unique_ptr<ExitSequence> exit_;
    std::unique_ptr<TMainForm> form_;
};

} // namespace trov
