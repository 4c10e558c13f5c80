// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace trov {

QStringList translationDirs(const QString& programDir) {
    const QDir dir(programDir);
    return {dir.filePath(QStringLiteral("translations")),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/trov/translations")))};
}

QString installTranslations(QCoreApplication& app) {
    const QLocale session; // the system locale: its languages follow LANGUAGE and LANG
    for (const QString& dir : translationDirs(QCoreApplication::applicationDirPath())) {
        auto* own = new QTranslator(&app);
        if (!own->load(session, QStringLiteral("trov"), QStringLiteral("_"), dir)) {
            delete own;
            continue;
        }
        QCoreApplication::installTranslator(own);
        // Qt's own texts: the buttons of message boxes, the file and colour dialogs.
        auto* qt = new QTranslator(&app);
        if (qt->load(session, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        return own->language().section(QLatin1Char('_'), 0, 0);
    }
    return {};
}

} // namespace trov
