// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program/program.h"

#include "app/crawl/crawl_controller.h"
#include "app/main_window/window_glue.h"
#include "app/shell/single_instance.h"
#include "app/shell/tray.h"
#include "compose/browser_list.h"
#include "platform/paths.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace trov {

namespace {

ScreenSize primaryScreen() {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return {};
    return {s->geometry().width(), s->geometry().height()};
}

// Records a search and lets an open history window show the new row.
class NotifyingHistoryPort : public HistoryPort {
public:
    NotifyingHistoryPort(HistoryPort& inner, std::function<void()> changed)
        : inner_(inner), changed_(std::move(changed)) {}
    void dodajtabelo(const SearchSnapshot& search) override {
        inner_.dodajtabelo(search);
        changed_();
    }

private:
    HistoryPort& inner_;
    std::function<void()> changed_;
};

} // namespace

void wireFormWindows(TMainForm& form, FormWindows& windows) {
    QObject::connect(&form, &TMainForm::historyRequested, &windows, &FormWindows::showHistory);
    QObject::connect(&form, &TMainForm::suggestionsManagerRequested, &windows,
                     &FormWindows::showSuggestionsManager);
    QObject::connect(&form, &TMainForm::saveSettingsRequested, &windows,
                     &FormWindows::saveSettingsFile);
    QObject::connect(&form, &TMainForm::openSettingsRequested, &windows,
                     &FormWindows::openSettingsFile);
    QObject::connect(&form, &TMainForm::resetAllSettingsRequested, &windows,
                     &FormWindows::resetAllSettings);
    QObject::connect(&form, &TMainForm::broomRequested, &windows, &FormWindows::broom);
    form.holdDropDownWhile(
        [shown = QPointer<FormWindows>(&windows)] { return shown && shown->historyWindowShown(); });
}

TrovProgram::TrovProgram()
    : folder_(DataFolder::resolve()), config_(folder_.file(kConfigFileName), primaryScreen()),
      history_(folder_), suggestions_(folder_.file(kSuggestionFileName)) {
    historyPort_ = std::make_unique<HistoryGoPort>(history_, clock_, messages_,
                                                   [this] { return main_ && form().isVisible(); });
    notifyingHistoryPort_ = std::make_unique<NotifyingHistoryPort>(*historyPort_, [this] {
        if (formWindows_)
            formWindows_->historyChanged();
    });
    services_ = std::make_unique<MainFormServices>(MainFormServices{folder_,
                                                                    config_,
                                                                    messages_,
                                                                    launcher_,
                                                                    browsers_,
                                                                    autostart_,
                                                                    history_,
                                                                    notifyingHistoryPort_.get(),
                                                                    suggestions_,
                                                                    platform::executablePath(),
                                                                    platform::shippedStoreDirs(),
                                                                    {},
                                                                    &files_});
    main_ = std::make_unique<MainWindow>(*services_);
    form().FormCreate();
}

void TrovProgram::start(SingleInstance& guard) {
    // Without a notification area the window is the only way in, so it always shows.
    const bool show = config_.readInt(cfg::ConfigShowOnStart) != 0 || !TrayIcon::available();
    history_.NaloziTabelo(messages_);
    FormWindowHooks hooks;
    hooks.defaultBrowserName = [this] { return defbrwsClick(browsers_); };
    hooks.bringMainForward = [this] { form().glue().showInFront(); };
    hooks.files = &files_;
    formWindows_ = std::make_unique<FormWindows>(form(), history_, suggestions_, config_, messages_,
                                                 folder_, std::move(hooks));
    wireFormWindows(form(), *formWindows_);
    main_->createHiddenWindows();
    QObject::connect(&guard, &SingleInstance::messageReceived, &form(),
                     [this](const QString& m) { form().glue().instanceMessage(m); });
    if (show)
        form().show();
}

bool TrovProgram::crawlEnded() {
    return main_->crawl().runner().endForExit();
}

} // namespace trov
