// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's creation, its hidden companions, and what it tells of itself at the end.

#include "app/main_window/about_dialog.h"
#include "app/main_window/colour_controller.h"
#include "app/main_window/main_form.h"
#include "app/main_window/window_glue.h"
#include "common/messages.h"
#include "compose/browser_list.h"
#include "platform/autostart.h"
#include "suggest/suggestion_store.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>

namespace trov {

void TMainForm::FormCreate() {
    Config& config = services_.config;
    model_.setCrawlRequestMode(kNoCrawlRequest);
    // The data folder and its "YYTemp" were made by the program before the window.
    firstStart_ = config.readBool(cfg::AppStart);
    // Borderless tool window without a taskbar button: the window flags.
    w_.PanelMarker->move(11, 46 + kEngineButtonHeight + 2);
    setClientHeight(height() <= 350 ? kExpandedHeight : kCollapsedHeight);
    try {
        // The browsers are read when the box or a page first needs them; the keys that
        // choose the entry are read now, and a first run writes the autostart entry now.
        const bool firstRun = config.readBool(cfg::PinPrviZagon);
        const int stored = firstRun ? -1 : config.readInt(cfg::PinBrowser);
        const platform::BrowserRegistry& registry = services_.browsers;
        model_.setBrowserSource([&registry, firstRun, stored] {
            FormModel::BrowserBox box{nalozibrskalnike(registry), stored};
            if (firstRun)
                box.selection = firstRunSelection(box.entries, defbrwsClick(registry));
            return box;
        });
        if (firstRun)
            services_.autostart.write(services_.programPath);
        model_.select(ListField::Interface, config.readInt(cfg::PinInterface));
        model_.select(ListField::Country, config.readInt(cfg::PinCountry));
        model_.select(ListField::Language, config.readInt(cfg::PinLanguage));
        model_.select(ListField::FileType, config.readInt(cfg::PinType));
        model_.select(ListField::Period, config.readInt(cfg::PinTime));
        colours_.NastaviOzadje(config.readInt(cfg::ColorPall));
        const Point at =
            keepOnScreen(startPosition(config, width(), height()), width(), height(), workAreas());
        move(at.x, at.y);
        glue_->restoreOptions(readWindowOptions(config));
        model_.setKeepHistory(config.readBool(cfg::OptionsKeepHistory));
        model_.recomputeFragments();
        model_.setKindIndex(0);
        SuggestionLoadOptions load;
        load.firstStart = firstStart_;
        load.shippedDirs = services_.shippedDirs;
        services_.suggestions.load(load); // a store that cannot be read leaves no suggestions
        setAdvancedInTabOrder(false);
        colours_.readDialogState();
        w_.PanelMarker->move(11 + engineInfo(SearchEngine::Google).buttonLeft,
                             46 + kEngineButtonHeight + 2);
    } catch (const std::exception& e) {
        // The rest of the creation is skipped; the window opens with what was set.
        services_.messages.show(MessageIcon::Error, e.what());
    }
    syncFromModel();
}

void TMainForm::createHiddenWindows() {
    connect(menus_->About1, &QAction::triggered, this, [this] {
        AboutDialog about(this);
        about.exec();
    });
}

CloseState TMainForm::closeState() const {
    CloseState s;
    s.collapsed = height() < 350;
    s.normalPosition = {x(), y()};
    s.loadAtStartup = glue_->tray().loadAtStartup();
    s.showOnStartTicked = glue_->tray().showOnStart();
    s.browserIndex = model_.selection(ListField::Browser);
    return s;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    emit endRequested(ExitPath::Close);
    event->accept();
}

} // namespace trov
