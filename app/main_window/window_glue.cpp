// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/window_glue.h"

#include "app/main_window/main_layout.h"
#include "app/main_window/main_menus.h"
#include "app/shell/autohide_notice.h"
#include "common/messages.h"
#include "platform/autostart.h"
#include "settings/ini.h"

#include <QAction>
#include <QCheckBox>
#include <QIcon>
#include <QWidget>

namespace trov {

WindowGlue::WindowGlue(QWidget& window, MainMenus& menus, Config& config, Messages& messages,
                       platform::Autostart& autostart, std::string programPath, Hooks hooks,
                       QObject* parent)
    : QObject(parent), window_(window), menus_(menus), config_(config), messages_(messages),
      autostart_(autostart), programPath_(std::move(programPath)), hooks_(std::move(hooks)),
      tray_(
          QIcon(trovIconPixmap(64)), [this] { return shown(); }, this),
      autoHide_(&window, this), trayAvailable_(TrayIcon::available()) {
    runNotice = [this](bool& confirmed, bool& dontShowAgain) {
        AutoHideNotice notice(&window_);
        notice.exec();
        confirmed = notice.confirmed();
        dontShowAgain = notice.dontShowAgain()->isChecked();
    };
    auto call = [](const std::function<void()>& f) {
        return [f] {
            if (f)
                f();
        };
    };
    connect(&tray_, &TrayIcon::toggleRequested, this, &WindowGlue::CTIClick);
    connect(&tray_, &TrayIcon::historyRequested, this, call(hooks_.history));
    connect(&tray_, &TrayIcon::suggestionsRequested, this, call(hooks_.suggestions));
    connect(&tray_, &TrayIcon::dataFolderRequested, this, call(hooks_.dataFolder));
    connect(&tray_, &TrayIcon::aboutRequested, this, call(hooks_.about));
    connect(&tray_, &TrayIcon::exitRequested, this, call(hooks_.exit));
    connect(&tray_, &TrayIcon::loadAtStartupToggled, this, &WindowGlue::loadAtStartUpClick);
    connect(&tray_, &TrayIcon::showOnStartToggled, this, &WindowGlue::ShowOnStart1Click);
    connect(&autoHide_, &AutoHideDriver::cornerReached, this, [this] {
        window_.showNormal();
        window_.raise();
        window_.activateWindow();
        if (hooks_.focusWords)
            hooks_.focusWords();
    });
    connect(menus_.Minimize, &QAction::triggered, this, &WindowGlue::MinimizeClick);
    connect(menus_.aHideSekunda, &QAction::triggered, this, &WindowGlue::AutoHideToolbar1Click);
    connect(menus_.Stayontop1, &QAction::triggered, this, &WindowGlue::Stayontop1Click);
    tray_.show();
}

void WindowGlue::restoreOptions(const WindowOptions& o) {
    noticeSuppressed_ = o.noticeSuppressed;
    menus_.aHideSekunda->setChecked(o.autoHide);
    if (o.autoHide)
        autoHide_.start();
    autoHide_.model().reset();
    menus_.Stayontop1->setChecked(o.stayOnTop);
    setStayOnTop(o.stayOnTop);
    tray_.setLoadAtStartup(o.loadAtStartup);
    tray_.setShowOnStart(o.showOnStartTicked);
}

bool WindowGlue::shown() const {
    return autoHide_.model().shown(window_.isVisible());
}

void WindowGlue::CTIClick() {
    if (shown()) {
        window_.hide();
        return;
    }
    showInFront();
}

void WindowGlue::showInFront() {
    window_.hide();
    window_.show();
    window_.raise();
    autoHide_.reset();
    window_.activateWindow();
    window_.raise();
    if (hooks_.focusWords)
        hooks_.focusWords();
}

void WindowGlue::MinimizeClick() {
    // Without a notification area nothing on screen brings the window back: say once what
    // does.
    if (!trayAvailable_ && !wayBackTold_) {
        wayBackTold_ = true;
        messages_.show(MessageIcon::Information, kWayBackWithoutTray);
    }
    window_.hide();
}

void WindowGlue::AutoHideToolbar1Click() {
    // The action has already flipped its tick; the decision is on the state before.
    const bool wasChecked = !menus_.aHideSekunda->isChecked();
    if (wasChecked) {
        menus_.aHideSekunda->setChecked(false);
        autoHide_.stop();
    } else {
        autoHide_.model().reset();
        menus_.aHideSekunda->setChecked(true);
        if (!noticeSuppressed_) {
            bool confirmed = false, dontShowAgain = false;
            runNotice(confirmed, dontShowAgain);
            if (confirmed) {
                noticeSuppressed_ = dontShowAgain;
                try {
                    writeNoticeSuppressed(config_, dontShowAgain);
                } catch (const IniWriteError& e) {
                    reportRefusal(e);
                }
            }
        }
        autoHide_.start();
    }
    try {
        writeAutoHide(config_, menus_.aHideSekunda->isChecked());
    } catch (const IniWriteError& e) {
        reportRefusal(e);
    }
}

void WindowGlue::Stayontop1Click() {
    const bool on = menus_.Stayontop1->isChecked();
    setStayOnTop(on);
    try {
        writeStayOnTop(config_, on);
    } catch (const IniWriteError& e) {
        reportRefusal(e);
    }
}

void WindowGlue::setStayOnTop(bool on) {
    const bool visible = window_.isVisible();
    window_.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible)
        window_.show(); // changing the flags hides the window
}

void WindowGlue::loadAtStartUpClick(bool checked) {
    // The tick reaches [Config] load only through SaveSettings; the entry changes now.
    if (checked)
        autostart_.write(programPath_);
    else
        autostart_.remove();
}

void WindowGlue::ShowOnStart1Click(bool checked) {
    try {
        writeShowOnStart(config_, checked);
    } catch (const IniWriteError& e) {
        reportRefusal(e);
    }
}

void WindowGlue::instanceMessage(const QString& message) {
    if (message == QLatin1String("toggle")) {
        CTIClick();
    } else if (message == QLatin1String("show")) {
        showInFront();
    } else if (window_.isVisible()) {
        window_.raise();
        window_.activateWindow();
    } else if (!trayAvailable_) {
        // Without a notification area a second start is the only way back to the window.
        showInFront();
    }
}

void WindowGlue::reportRefusal(const std::exception& e) {
    messages_.show(MessageIcon::Error, e.what());
}

} // namespace trov
