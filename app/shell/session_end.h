// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's end from outside the window: the desktop session ending and the signals
// that end a program. The session manager's request to save gets the close sequence's
// writes; its quit (which closes no hidden window), SIGTERM and SIGHUP run the close
// sequence as closing the window does. Nobody may be there to answer a box then, so the
// refusals go to standard error. A signal during the start is acted on once the program has
// started; while a box of the start waits for the user nothing has changed yet, and the
// signal ends the process as it always would.

#include "common/messages.h"

#include <QObject>

namespace trov {

class ExitSequence;

// Refusals written to standard error, each on a line of its own; questions answer No.
class StandardErrorMessages : public Messages {
public:
    void show(MessageIcon icon, const std::string& text, bool alwaysOnTop = false) override;
    bool ask(const std::string& text) override;
};

class SessionEnd : public QObject {
    Q_OBJECT
public:
    // signalPipe: the reading end of platform::catchTerminationSignals, or -1.
    explicit SessionEnd(int signalPipe, QObject* parent = nullptr);

    // The program has started: from now on its end goes through exit.
    void started(ExitSequence& exit);

private:
    void signalled();

    ExitSequence* exit_ = nullptr;
    bool signalledWhileStarting_ = false;
    int signalPipe_;
    StandardErrorMessages report_;
};

} // namespace trov
