// SPDX-License-Identifier: GPL-3.0-or-later
// trov: the window program.

#include "app/program/program.h"
#include "app/program/translations.h"
#include "app/shared/qt_messages.h"
#include "app/shell/font_preload.h"
#include "app/shell/session_end.h"
#include "app/shell/single_instance.h"
#include "common/version.h"
#include "platform/qt_platform.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Before the application object: it reads the platform when it is made.
    if (const auto platform = trov::platform::chosenQtPlatform())
        setenv("QT_QPA_PLATFORM", platform->c_str(), 1);
    trov::FontPreload fonts;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(trov::kProductName));
    QApplication::setApplicationVersion(QString::fromLatin1(trov::kVersion));
    // The program lives in the tray: hiding or closing windows does not end it.
    QApplication::setQuitOnLastWindowClosed(false);
    trov::installTranslations(app);

    // A second start hands over to the running program and ends without a window.
    trov::SingleInstance guard;
    if (!guard.acquire())
        return 0;
    if (!guard.problem().isEmpty()) {
        std::fprintf(stderr, "trov: %s\n", qPrintable(guard.problem()));
        trov::QtMessages().show(trov::MessageIcon::Warning, guard.problem().toStdString());
    }

    trov::SessionEnd sessionEnd(trov::platform::catchTerminationSignals());
    fonts.wait();
    trov::TrovProgram program;
    program.start(guard);
    sessionEnd.started(program.exitSequence());
    const int code = QApplication::exec();
    // A crawl that did not notice the cancel within its bound is not waited for: the stores
    // are written, and the program leaves without tearing down the libraries its thread may
    // still be inside (a name look-up, a TLS session).
    if (!program.crawlEnded()) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
