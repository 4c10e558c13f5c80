// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/main_window.h"

#include "app/crawl/crawl_controller.h"
#include "app/main_window/colour_controller.h"
#include "app/main_window/main_form.h"
#include "settings/ini.h"
#include "window_models/exit_sequence.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <functional>

namespace trov {

MainWindow::MainWindow(MainFormServices& services) {
    CrawlController::Hooks crawlHooks;
    crawlHooks.panelParent = [this] { return form_->widgets().pAll; };
    crawlHooks.site = [this] { return form_->form().text(TextField::Site); };
    crawl_ = std::make_unique<CrawlController>(services.folder.file(kCrawlerResultPage),
                                               services.messages, services.launcher, services.files,
                                               std::move(crawlHooks));
    colours_ =
        std::make_unique<ColourController>(services.config, services.messages, services.folder,
                                           services.shippedDirs, [this] { return form_.get(); });
    ExitSequence::Hooks exitHooks;
    exitHooks.state = [this] { return form_->closeState(); };
    exitHooks.stopCrawl = [this] { crawl_->stop(); };
    exit_ = std::make_unique<ExitSequence>(services.config, services.history, services.messages,
                                           std::move(exitHooks));
    // A write refused on the way out is a failure of the program's run.
    exit_->quit = [this] { QCoreApplication::exit(exit_->refused() ? 1 : 0); };
    form_ = std::make_unique<TMainForm>(services, *crawl_, *colours_);
    QObject::connect(form_.get(), &TMainForm::endRequested, form_.get(),
                     [this](ExitPath path) { exit_->end(path); });
    wireCrawlerMenu(services.config, services.messages);
    wireColourMenu();
}

MainWindow::~MainWindow() {
    // The crawl ends before the window it reports to.
    crawl_->runner().endCrawl();
}

void MainWindow::wireCrawlerMenu(Config& config, Messages& messages) {
    const MainMenus& m = form_->menus();
    CrawlController* crawl = crawl_.get();
    // The crawl's manners: as YY.cfg keeps them, and written there as soon as changed.
    const auto manners = [&config, &messages](QAction* entry, const ConfigKey& key,
                                              std::function<void(bool)> apply) {
        const bool kept = config.readBool(key);
        entry->setChecked(kept);
        apply(kept);
        QObject::connect(entry, &QAction::triggered, entry,
                         [&config, &messages, key, apply](bool on) {
                             apply(on);
                             try {
                                 config.writeBool(key, on);
                             } catch (const IniWriteError& e) {
                                 messages.show(MessageIcon::Error, e.what());
                             }
                         });
    };
    manners(m.RespectRobots1, cfg::OptionsRespectRobots,
            [crawl](bool on) { crawl->setRespectRobots(on); });
    manners(m.UseSitemap1, cfg::OptionsUseSitemap, [crawl](bool on) { crawl->setUseSitemap(on); });
    QObject::connect(m.Showlinks1, &QAction::triggered, crawl, &CrawlController::showLinks);
    QObject::connect(m.PopCrawler, &QMenu::aboutToShow, crawl,
                     [check = m.CheckLinks1, crawl] { check->setEnabled(crawl->canCheckLinks()); });
    QObject::connect(m.CheckLinks1, &QAction::triggered, crawl, &CrawlController::checkLinks);
    for (QAction* exportLinks : {m.Exportlinks1000, m.subExportLinks})
        QObject::connect(exportLinks, &QAction::triggered, crawl, &CrawlController::exportLinks);
    for (QAction* exportData : {m.Exportdata1000, m.subExportData})
        QObject::connect(exportData, &QAction::triggered, crawl, &CrawlController::exportData);
    QObject::connect(m.ImportCSV1, &QAction::triggered, crawl, &CrawlController::importList);
    QObject::connect(m.Resetallsearches1, &QAction::triggered, crawl,
                     &CrawlController::resetAllSearches);
}

void MainWindow::wireColourMenu() {
    const MainMenus& m = form_->menus();
    ColourController* colours = colours_.get();
    QObject::connect(m.Colordialog1, &QAction::triggered, colours,
                     &ColourController::Colordialog1Click);
    QObject::connect(m.Colorpicker1, &QAction::triggered, colours,
                     &ColourController::Colorpicker1Click);
    QObject::connect(m.Randombackgroundcolor1, &QAction::triggered, colours,
                     &ColourController::Randombackgroundcolor1Click);
    QObject::connect(m.Recentcolors1, &QAction::triggered, colours,
                     &ColourController::Recentcolors1Click);
}

void MainWindow::createHiddenWindows() {
    crawl_->enableViewer();
    colours_->enableWindows(form_->firstStart());
    form_->createHiddenWindows();
}

} // namespace trov
