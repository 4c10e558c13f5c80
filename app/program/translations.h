// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window program speaks the session's language: Trov's own translation
// (trov_<language>.qm beside the program, app/translations/ in a build tree, or
// <prefix>/share/trov/translations/ when installed) and Qt's for its own dialogs, chosen
// from the session's languages (LANGUAGE, then LC_ALL, LC_MESSAGES and LANG). English needs
// no file. What Trov writes to its files stays English whatever the language.

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace trov {

// The folders searched for trov_<language>.qm, in order.
QStringList translationDirs(const QString& programDir);

// Installs the translators for the session's language on app; answers the language found
// ("de"), empty for English.
QString installTranslations(QCoreApplication& app);

} // namespace trov
