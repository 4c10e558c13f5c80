// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tray icon with the hint "Trov" and its menu. A left click and the menu's first item
// ("Hide" while the window is shown, "Show" otherwise) toggle the window; the rest of the
// menu is reported as signals for the main window to act on.

#include <QIcon>
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace trov {

class TrayIcon : public QObject {
    Q_OBJECT
public:
    // isShown answers whether the window counts as shown (visible and not faded out).
    TrayIcon(const QIcon& icon, std::function<bool()> isShown, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Whether the desktop has a notification area at all.
    static bool available();
    void show();

    QMenu* menu() const { return menu_; }
    QSystemTrayIcon* icon() const { return icon_; }

    void setLoadAtStartup(bool checked);
    void setShowOnStart(bool checked);
    bool loadAtStartup() const;
    bool showOnStart() const;

    // `PopupMenu2Popup`: names the first item for the window's state.
    void updateFirstItem();

    QAction* showHideAction() const { return showHide_; }
    QAction* historyAction() const { return history_; }
    QAction* dataFolderAction() const { return dataFolder_; }
    QAction* suggestionsAction() const { return suggestions_; }
    QAction* loadAtStartupAction() const { return loadAtStartup_; }
    QAction* showOnStartAction() const { return showOnStart_; }
    QAction* aboutAction() const { return about_; }
    QAction* exitAction() const { return exit_; }

signals:
    void toggleRequested(); // `CTIClick`, `ShowYYClick`
    void historyRequested();
    void dataFolderRequested();              // `DataFolder1Click` (hidden item)
    void suggestionsRequested();             // hidden item
    void loadAtStartupToggled(bool checked); // `loadAtStartUpClick`
    void showOnStartToggled(bool checked);   // `ShowOnStart1Click`
    void aboutRequested();
    void exitRequested(); // `mExitClick`

private:
    std::function<bool()> isShown_;
    QMenu* menu_;
    QSystemTrayIcon* icon_;
    QAction* showHide_;
    QAction* history_;
    QAction* dataFolder_;
    QAction* suggestions_;
    QAction* loadAtStartup_;
    QAction* showOnStart_;
    QAction* about_;
    QAction* exit_;
};

} // namespace trov
