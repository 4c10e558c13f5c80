// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/session_end.h"

#include "window_models/exit_sequence.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace trov {

void StandardErrorMessages::show(MessageIcon, const std::string& text, bool) {
    std::fprintf(stderr, "trov: %s\n", text.c_str());
}

bool StandardErrorMessages::ask(const std::string&) {
    return false;
}

SessionEnd::SessionEnd(int signalPipe, QObject* parent) : QObject(parent), signalPipe_(signalPipe) {
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
        if (exit_)
            exit_->save(report_);
    });
    // After the window's own close or an Exit, the sequence has ended and this does nothing.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
        if (exit_)
            exit_->end(ExitPath::Close, report_);
    });
    if (signalPipe_ >= 0) {
        auto* notifier = new QSocketNotifier(signalPipe_, QSocketNotifier::Read, this);
        connect(notifier, &QSocketNotifier::activated, this, &SessionEnd::signalled);
    }
}

void SessionEnd::started(ExitSequence& exit) {
    exit_ = &exit;
    if (signalledWhileStarting_) // once the main loop runs, which the end quits
        QMetaObject::invokeMethod(
            this, [this] { exit_->end(ExitPath::Close, report_); }, Qt::QueuedConnection);
}

void SessionEnd::signalled() {
    char number = 0;
    for (char byte = 0; ::read(signalPipe_, &byte, 1) == 1;)
        number = byte;
    if (exit_) {
        exit_->end(ExitPath::Close, report_);
    } else if (QThread::currentThread()->loopLevel() > 0 && number > 0) {
        std::signal(number, SIG_DFL); // a box of the start is open
        std::raise(number);
    } else {
        signalledWhileStarting_ = true;
    }
}

} // namespace trov
