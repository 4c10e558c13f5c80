// SPDX-License-Identifier: GPL-3.0-or-later
// TMainForm: Go and the own engines of the "More engines" submenu.

#include "app/crawl/crawl_controller.h"
#include "app/main_window/main_form.h"
#include "app/main_window/more_engines_menu.h"
#include "app/main_window/suggestion_list.h"
#include "compose/own_engine_go.h"

namespace trov {

void TMainForm::createMoreEngines() {
    moreEngines_ =
        new MoreEnginesMenu(menus_->main, menus_->SearchSuggestions, services_.folder.path(),
                            services_.shippedDirs, services_.messages, services_.launcher,
                            [this](const OwnEngine& engine) { goOwnEngineNow(engine); });
}

GoServices TMainForm::goServices() {
    GoServices go(services_.messages, services_.launcher);
    go.history = services_.historyPort;
    go.suggestions = &suggestionPort_;
    go.crawl = &crawl_.runner();
    go.dataFolder = services_.folder.path();
    go.hosts = services_.hosts;
    return go;
}

void TMainForm::xiGOClick() {
    GoServices go = goServices();
    finishGo(goWithKeywords(model_, moreEngines_->engines(), go));
}

void TMainForm::goOwnEngineNow(const OwnEngine& engine) {
    GoServices go = goServices();
    finishGo(goOwnEngine(model_, engine, go));
}

bool TMainForm::runOwnEngine(const std::string& name) {
    const OwnEngine* engine = moreEngines_->engines().byName(name);
    if (!engine)
        return false;
    goOwnEngineNow(*engine);
    return true;
}

bool TMainForm::hasOwnEnginesFile() const {
    return moreEngines_->hasFile();
}

void TMainForm::finishGo(GoOutcome outcome) {
    if (outcome.hideDropDown)
        dropDown_->hide();
    if (outcome.status == GoStatus::LinksPending && outcome.links)
        crawl_.start(std::move(*outcome.links));
}

} // namespace trov
