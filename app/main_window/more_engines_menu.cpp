// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/more_engines_menu.h"

#include "common/atomic_file.h"
#include "common/messages.h"
#include "compose/engines_file_start.h"
#include "platform/launcher.h"

#include <QAction>
#include <QMenu>
#include <utility>

namespace trov {

namespace {

constexpr std::chrono::milliseconds kQuietSpell{400};

} // namespace

MoreEnginesMenu::MoreEnginesMenu(QMenu* mainMenu, QAction* after, std::string folder,
                                 std::vector<std::string> shippedDirs, Messages& messages,
                                 platform::Launcher& launcher,
                                 std::function<void(const OwnEngine&)> run)
    : QObject(mainMenu), folder_(std::move(folder)),
      path_(folder_ + std::string(kOwnEnginesFileName)), shippedDirs_(std::move(shippedDirs)),
      messages_(messages), launcher_(launcher), run_(std::move(run)) {
    menu_ = new QMenu(tr("More engines"), mainMenu);
    menu_->setObjectName(QStringLiteral("MoreEngines1"));
    const QList<QAction*> entries = mainMenu->actions();
    const qsizetype at = entries.indexOf(after) + 1;
    mainMenu->insertMenu(at > 0 && at < entries.size() ? entries[at] : nullptr, menu_);
    edit_ = new QAction(tr("Edit engines..."), this);
    edit_->setObjectName(QStringLiteral("EditEngines1"));
    connect(edit_, &QAction::triggered, this, &MoreEnginesMenu::editEngines);

    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietSpell);
    connect(&quiet_, &QTimer::timeout, this, &MoreEnginesMenu::reload);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &MoreEnginesMenu::changed);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &MoreEnginesMenu::changed);
    reload();
}

void MoreEnginesMenu::changed() {
    watch();
    quiet_.start(); // every change starts the quiet spell again
}

void MoreEnginesMenu::watch() {
    // A file renamed over the old one is not the one watched: the watch is made again on
    // whatever is there now. The folder is watched only while the file is missing, so that
    // the stores written there after every search do not wake this up.
    const QString file = QString::fromStdString(path_);
    const QString folder = QString::fromStdString(folder_);
    if (watcher_.files().contains(file))
        watcher_.removePath(file);
    if (watcher_.addPath(file)) {
        if (watcher_.directories().contains(folder))
            watcher_.removePath(folder);
    } else if (!watcher_.directories().contains(folder)) {
        watcher_.addPath(folder);
    }
}

void MoreEnginesMenu::reload() {
    watch(); // before the read, so that no change after it goes unseen
    std::optional<std::string> bytes = readWholeFile(path_);
    if (read_ && bytes == bytes_)
        return; // another file of the folder changed
    read_ = true;
    bytes_ = std::move(bytes);
    engines_ = bytes_ ? parseOwnEngines(*bytes_) : OwnEngines{};
    rebuild();
    if (engines_.invalid.empty()) {
        nextWarning_.reset(); // mended before its warning was shown
        return;
    }
    warn(skippedEnginesMessage(engines_.invalid));
}

void MoreEnginesMenu::warn(std::string text) {
    nextWarning_ = std::move(text);
    // The box's event loop may read the file again: its warning waits for this box, and
    // only the latest one is shown.
    if (warningOpen_)
        return;
    warningOpen_ = true;
    while (nextWarning_)
        messages_.show(MessageIcon::Warning, *std::exchange(nextWarning_, std::nullopt));
    warningOpen_ = false;
}

void MoreEnginesMenu::rebuild() {
    menu_->clear(); // deletes the engine entries; "Edit engines..." belongs to this object
    for (const OwnEngine& engine : engines_.engines) {
        QString text =
            QString::fromStdString(engine.name).replace(QLatin1Char('&'), QStringLiteral("&&"));
        if (!engine.key.empty())
            text += QLatin1Char('\t') + QString::fromStdString(engine.key);
        const std::string name = engine.name;
        menu_->addAction(text, this, [this, name] {
            // The list may have been read again since the menu was shown.
            if (const OwnEngine* e = engines_.byName(name))
                run_(*e);
        });
    }
    if (!engines_.engines.empty())
        menu_->addSeparator();
    menu_->addAction(edit_);
}

void MoreEnginesMenu::editEngines() {
    if (startEnginesFile(path_, shippedDirs_, messages_))
        launcher_.launch(path_, {});
}

} // namespace trov
