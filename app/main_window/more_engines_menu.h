// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main menu's "More engines" submenu: the own engines of engines.cfg with their keys,
// then "Edit engines...". The file is read again once it has stopped changing on disk for a
// moment (an editor may save in several writes, or by renaming a new file over it), and
// the sections it skips are reported once per change, one box at a time.

#include "compose/own_engines.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace trov {

class Messages;
namespace platform {
class Launcher;
}

class MoreEnginesMenu : public QObject {
    Q_OBJECT
public:
    // The submenu goes into mainMenu after the entry after. run is called with the engine
    // the user chooses.
    MoreEnginesMenu(QMenu* mainMenu, QAction* after, std::string folder,
                    std::vector<std::string> shippedDirs, Messages& messages,
                    platform::Launcher& launcher, std::function<void(const OwnEngine&)> run);

    const OwnEngines& engines() const { return engines_; }
    bool hasFile() const { return bytes_.has_value(); }
    QMenu* menu() const { return menu_; }
    QAction* editAction() const { return edit_; }
    // How long the file must stay unchanged before it is read again.
    void setQuietSpell(std::chrono::milliseconds spell) { quiet_.setInterval(spell); }
    // Reads the file again when its bytes changed.
    void reload();
    // "Edit engines...": makes the file from the shipped example when it is missing, then
    // opens it with the desktop's default handler.
    void editEngines();

private:
    void changed();
    void watch();
    void rebuild();
    void warn(std::string text);

    std::string folder_;
    std::string path_;
    std::vector<std::string> shippedDirs_;
    Messages& messages_;
    platform::Launcher& launcher_;
    std::function<void(const OwnEngine&)> run_;
    QMenu* menu_ = nullptr;
    QAction* edit_ = nullptr;
    QFileSystemWatcher watcher_;
    QTimer quiet_;
    OwnEngines engines_;
    std::optional<std::string> bytes_; // as last read; nullopt while there is no file
    bool read_ = false;
    std::optional<std::string> nextWarning_; // for when the open warning closes
    bool warningOpen_ = false;
};

} // namespace trov
