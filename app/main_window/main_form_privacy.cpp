// SPDX-License-Identifier: GPL-3.0-or-later
// TMainForm and what a user chooses to keep private: private mode, "Keep search history",
// the engines' suggestions in the drop-down, and adding an engine from a site.

#include "app/main_window/add_engine_dialog.h"
#include "app/main_window/engine_suggest_driver.h"
#include "app/main_window/main_form.h"
#include "app/main_window/more_engines_menu.h"
#include "app/main_window/suggestion_list.h"
#include "app/main_window/window_glue.h"
#include "settings/ini.h"
#include "suggest/engine_suggestions.h"

#include <QAction>
#include <QLineEdit>

namespace trov {

void TMainForm::wirePrivacy() {
    engineSuggest_ = new EngineSuggestDriver(this);
    connect(engineSuggest_, &EngineSuggestDriver::rowsChanged, this, &TMainForm::engineRowsChanged);
    // The menu entry (and its key) and the tray's entry say the same.
    connect(menus_->PrivateSearch, &QAction::triggered, this, &TMainForm::setPrivateMode);
    connect(&glue_->tray(), &TrayIcon::privateSearchToggled, this, &TMainForm::setPrivateMode);
    const auto writeAtOnce = [this](const ConfigKey& key, bool on) {
        try {
            services_.config.writeBool(key, on);
        } catch (const IniWriteError& e) {
            reportRefusal(e);
        }
    };
    connect(menus_->KeepHistory, &QAction::triggered, this, [this, writeAtOnce](bool on) {
        model_.setKeepHistory(on);
        writeAtOnce(cfg::OptionsKeepHistory, on);
    });
    connect(menus_->EngineSuggestions, &QAction::triggered, this, [this, writeAtOnce](bool on) {
        askEngine(false); // only what is typed from now on is sent
        engineSuggest_->setEnabled(on);
        writeAtOnce(cfg::OptionsEngineSuggest, on);
    });
    connect(moreEngines_->addAction(), &QAction::triggered, this, &TMainForm::addEngine);
}

void TMainForm::setPrivateMode(bool on) {
    model_.setPrivateMode(on);
    menus_->PrivateSearch->setChecked(on);
    glue_->tray().setPrivateSearch(on);
    showPrivateMarker(w_, on);
    dropDown_->hide();
    // What was typed while private is never sent, also once private mode is over.
    askEngine(false);
    engineSuggest_->setPrivateMode(on);
}

void TMainForm::askEngine(bool typed) {
    if (!engineSuggest_ || !moreEngines_)
        return;
    std::string suggestTemplate, text;
    engineName_.clear();
    enginePrefix_.clear();
    const std::string& words = model_.text(TextField::Words);
    const std::optional<EngineSuggestQuery> query =
        typed && model_.suggestionOwner() == OwnerField::Words
            ? engineSuggestQuery(moreEngines_->engines(), words)
            : std::nullopt;
    if (query) {
        suggestTemplate = query->engine->suggest;
        text = query->text;
        engineName_ = query->engine->name;
        // The words after the key end the search box's text.
        enginePrefix_ = words.substr(0, words.size() - query->text.size());
    }
    engineSuggest_->textChanged(std::move(suggestTemplate), std::move(text));
}

void TMainForm::engineRowsChanged() {
    // Shown while the user is still at the search box; an answer that comes after the
    // user moved on opens nothing.
    if (w_.eURL->hasFocus() || dropDown_->isVisible())
        GSLBosvezi();
}

void TMainForm::addEngine() {
    AddEngineDialog dialog(services_.folder.file(kOwnEnginesFileName), services_.files,
                           services_.messages, this);
    // The file watch would see the new engine too; the menu shows it at once.
    connect(&dialog, &AddEngineDialog::added, moreEngines_, &MoreEnginesMenu::reload);
    dialog.exec();
}

} // namespace trov
