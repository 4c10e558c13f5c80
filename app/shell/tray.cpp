// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/tray.h"

#include "appearance/menu_style.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace trov {

TrayIcon::TrayIcon(const QIcon& icon, std::function<bool()> isShown, QObject* parent)
    : QObject(parent), isShown_(std::move(isShown)), menu_(new QMenu),
      icon_(new QSystemTrayIcon(icon, this)) {
    menu_->setObjectName(QStringLiteral("PopupMenu2"));
    showHide_ = menu_->addAction(tr("Hide"));
    showHide_->setObjectName(QStringLiteral("ShowYY"));
    history_ = menu_->addAction(tr("History"));
    dataFolder_ = menu_->addAction(tr("Data Folder"));
    dataFolder_->setObjectName(QStringLiteral("DataFolder1"));
    dataFolder_->setVisible(false);
    suggestions_ = menu_->addAction(tr("Search suggestions"));
    suggestions_->setVisible(false);
    menu_->addSeparator();
    loadAtStartup_ = menu_->addAction(tr("Load at windows startup"));
    loadAtStartup_->setObjectName(QStringLiteral("loadAtStartUp"));
    loadAtStartup_->setCheckable(true);
    showOnStart_ = menu_->addAction(tr("Show on application start"));
    showOnStart_->setObjectName(QStringLiteral("ShowOnStart1"));
    showOnStart_->setCheckable(true);
    menu_->addSeparator();
    about_ = menu_->addAction(tr("About"));
    exit_ = menu_->addAction(tr("Exit"));
    exit_->setObjectName(QStringLiteral("mExit"));
    applyFlatMenuStyle(menu_);

    icon_->setToolTip(QStringLiteral("Trov")); // the product's name in every language
    icon_->setContextMenu(menu_);

    connect(menu_, &QMenu::aboutToShow, this, &TrayIcon::updateFirstItem);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger)
            emit toggleRequested();
    });
    connect(showHide_, &QAction::triggered, this, &TrayIcon::toggleRequested);
    connect(history_, &QAction::triggered, this, &TrayIcon::historyRequested);
    connect(dataFolder_, &QAction::triggered, this, &TrayIcon::dataFolderRequested);
    connect(suggestions_, &QAction::triggered, this, &TrayIcon::suggestionsRequested);
    connect(loadAtStartup_, &QAction::triggered, this, &TrayIcon::loadAtStartupToggled);
    connect(showOnStart_, &QAction::triggered, this, &TrayIcon::showOnStartToggled);
    connect(about_, &QAction::triggered, this, &TrayIcon::aboutRequested);
    connect(exit_, &QAction::triggered, this, &TrayIcon::exitRequested);
}

TrayIcon::~TrayIcon() {
    icon_->setContextMenu(nullptr);
    delete menu_;
}

bool TrayIcon::available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::show() {
    icon_->show();
}

void TrayIcon::setLoadAtStartup(bool checked) {
    loadAtStartup_->setChecked(checked);
}

void TrayIcon::setShowOnStart(bool checked) {
    showOnStart_->setChecked(checked);
}

bool TrayIcon::loadAtStartup() const {
    return loadAtStartup_->isChecked();
}

bool TrayIcon::showOnStart() const {
    return showOnStart_->isChecked();
}

void TrayIcon::updateFirstItem() {
    showHide_->setText(isShown_ && isShown_() ? tr("Hide") : tr("Show"));
}

} // namespace trov
