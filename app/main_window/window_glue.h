// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's life beside the tray: the tray icon and its menu, show and hide, the
// auto-hide fade with its notice, stay on top, start with the desktop session and the
// single-instance messages. The window's own contents are not touched here.

#include "app/shell/auto_hide.h"
#include "app/shell/tray.h"
#include "common/translatable.h"
#include "window_models/window_keys.h"

#include <QObject>
#include <functional>
#include <string>

class QWidget;

namespace trov {

// Told at the first "Hide" on a desktop without a notification area.
inline constexpr char kWayBackWithoutTray[] =
    TROV_TEXT("Core", "Trov keeps running without its window.\r\n\r\nThis desktop has no "
                      "notification area: to bring the window back, start Trov again or run "
                      "\"trovctl toggle\".");

class Config;
class Messages;
struct MainMenus;
namespace platform {
class Autostart;
}

class WindowGlue : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void()> focusWords; // focus eURL
        std::function<void()> history;    // tray "History"
        std::function<void()> suggestions;
        std::function<void()> dataFolder;
        std::function<void()> about;
        std::function<void()> exit; // tray "Exit"
    };

    WindowGlue(QWidget& window, MainMenus& menus, Config& config, Messages& messages,
               platform::Autostart& autostart, std::string programPath, Hooks hooks,
               QObject* parent = nullptr);

    TrayIcon& tray() { return tray_; }
    AutoHideDriver& autoHide() { return autoHide_; }
    bool trayAvailable() const { return trayAvailable_; }
    bool noticeSuppressed() const { return noticeSuppressed_; }

    // Steps of the window's creation: the notice flag, auto-hide, FadeLevel, stay on top
    // and the two tray ticks.
    void restoreOptions(const WindowOptions& options);
    // Shown for the tray: visible and not faded out.
    bool shown() const;

    void CTIClick();    // tray click, "Show"/"Hide", trovctl toggle
    void showInFront(); // trovctl show; a tray click on a hidden window
    void MinimizeClick();
    void AutoHideToolbar1Click();
    void Stayontop1Click();
    void setStayOnTop(bool on);
    void loadAtStartUpClick(bool checked);
    void ShowOnStart1Click(bool checked);
    // "toggle", "show" or "front" from the single-instance socket.
    void instanceMessage(const QString& message);

    // Tests answer the notice themselves; the default runs the dialog.
    std::function<void(bool& confirmed, bool& dontShowAgain)> runNotice;

private:
    void reportRefusal(const std::exception& e);

    QWidget& window_;
    MainMenus& menus_;
    Config& config_;
    Messages& messages_;
    platform::Autostart& autostart_;
    std::string programPath_;
    Hooks hooks_;
    TrayIcon tray_;
    AutoHideDriver autoHide_;
    bool trayAvailable_ = false;
    bool wayBackTold_ = false;
    bool noticeSuppressed_ = false;
};

} // namespace trov
