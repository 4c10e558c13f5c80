// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The single-instance guard: a lock file and a local socket named from the program's full
// path. The first start holds the lock and listens; a second start finds the lock held,
// asks the first to come forward and ends. A lock left by a crashed process is stale and
// taken over, so it never blocks the next start. Where there is no folder of the user's own
// for them, the program runs without the guard and says why.

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace trov {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // The guard of the program at programPath (the running executable by default).
    explicit SingleInstance(QObject* parent = nullptr);
    SingleInstance(const QString& programPath, QObject* parent);
    ~SingleInstance() override;

    const QString& socketPath() const { return socketPath_; }
    // Why the program runs without the guard, to be told to the user (the core's English,
    // which a message box translates); empty when it has one.
    const QString& problem() const { return problem_; }

    // true when this process is the first: it now holds the lock and listens. false in a
    // second process, which has then asked the first to come to the front ("front").
    bool acquire();
    bool isFirst() const { return server_ != nullptr; }

signals:
    // "toggle", "show" or "front" from trovctl or a second start.
    void messageReceived(const QString& message);

private:
    void onConnection();

    QString socketPath_;
    QString problem_;
    std::unique_ptr<QLockFile> lock_; // none without a folder

    std::unique_ptr<QLocalServer> server_;
};

} // namespace trov
