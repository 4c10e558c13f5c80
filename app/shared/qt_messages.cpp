// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shared/qt_messages.h"

#include "app/shared/core_texts.h"

#include <QMessageBox>

namespace trov {

namespace {

const QString kCaption = QStringLiteral("Trov");

// Texts keep their Windows line breaks ("\r\n") in the core; a box wants "\n". The core's
// texts are English; the box shows them in the session's language.
QString boxText(const std::string& text) {
    QString s = coreText(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::Information;
}

} // namespace

void QtMessages::show(MessageIcon icon, const std::string& text, bool alwaysOnTop) {
    QMessageBox box(boxIcon(icon), kCaption, boxText(text), QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("TrovMessage"));
    if (alwaysOnTop)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

bool QtMessages::ask(const std::string& text) {
    return question(text, false);
}

bool QtMessages::askYesPreselected(const std::string& text) {
    return question(text, true);
}

bool QtMessages::question(const std::string& text, bool yesPreselected) {
    QMessageBox box(QMessageBox::Question, kCaption, boxText(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setObjectName(QStringLiteral("TrovQuestion"));
    box.setDefaultButton(yesPreselected ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace trov
