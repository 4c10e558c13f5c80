#include "app/program.h"

#include "app/single_instance.h"
#include "app/tray.h"
#include "app/window_glue.h"
#include "platform/paths.h"

#include <QGuiApplication>
#include <QScreen>

namespace trov {

namespace {

ScreenSize primaryScreen() {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s)
        return {};
    return {s->geometry().width(), s->geometry().height()};
}

} // namespace

TrovProgram::TrovProgram(FormCommands* formCommands)
    : folder_(DataFolder::resolve()), config_(folder_.file(kConfigFileName), primaryScreen()),
      history_(folder_), suggestions_(folder_.file(kSuggestionFileName)) {
    historyPort_ = std::make_unique<HistoryGoPort>(history_, clock_, messages_,
                                                   [this] { return form_ && form_->isVisible(); });
    services_ = std::make_unique<MainFormServices>(MainFormServices{folder_,
                                                                    config_,
                                                                    messages_,
                                                                    launcher_,
                                                                    browsers_,
                                                                    autostart_,
                                                                    history_,
                                                                    historyPort_.get(),
                                                                    suggestions_,
                                                                    platform::executablePath(),
                                                                    platform::shippedStoreDirs(),
                                                                    formCommands,
                                                                    {},
                                                                    qtFileChooser()});
    form_ = std::make_unique<TMainForm>(*services_);
    form_->FormCreate();
}

void TrovProgram::start(SingleInstance& guard) {
    // Without a notification area the window is the only way in, so it always shows.
    const bool show = config_.readInt(cfg::ConfigShowOnStart) != 0 || !TrayIcon::available();
    history_.NaloziTabelo(messages_);
    form_->createHiddenWindows();
    QObject::connect(&guard, &SingleInstance::messageReceived, form_.get(),
                     [this](const QString& m) { form_->glue().instanceMessage(m); });
    if (show)
        form_->show();
}

} // namespace trov
