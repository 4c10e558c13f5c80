// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/single_instance.h"

#include "platform/instance_socket.h"
#include "platform/paths.h"

#include <QLocalSocket>

namespace trov {

namespace {

QString fromPath(const std::string& path) {
    return QString::fromStdString(path);
}

} // namespace

SingleInstance::SingleInstance(QObject* parent)
    : SingleInstance(fromPath(platform::executablePath()), parent) {}

SingleInstance::SingleInstance(const QString& programPath, QObject* parent) : QObject(parent) {
    const platform::InstanceFolder folder = platform::instanceFolder(true);
    if (!folder.problem.empty())
        problem_ = fromPath(formatText(platform::kWithoutGuard, {folder.problem}));
    if (folder.path.empty())
        return;
    const std::string program = programPath.toStdString();
    socketPath_ = fromPath(platform::instanceSocketPath(folder.path, program));
    lock_ = std::make_unique<QLockFile>(fromPath(platform::instanceLockPath(folder.path, program)));
    // Only a dead owner makes the lock stale; a long-running first instance never does.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (server_) {
        server_->close();
        lock_->unlock();
    }
}

bool SingleInstance::acquire() {
    if (server_ || !lock_)
        return true;
    // tryLock removes a lock whose owner process is gone.
    if (!lock_->tryLock(0)) {
        if (lock_->error() == QLockFile::LockFailedError) {
            platform::sendInstanceMessage(socketPath_.toStdString(), platform::kFrontMessage);
            return false;
        }
        // The lock cannot be made at all (the runtime folder is gone or full): run without
        // a guard rather than not at all.
    }
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a crash belongs to nobody once we hold the lock.
    QLocalServer::removeServer(socketPath_);
    if (!server->listen(socketPath_))
        qWarning("trov: cannot listen on %s", qPrintable(socketPath_));
    connect(server.get(), &QLocalServer::newConnection, this, &SingleInstance::onConnection);
    server_ = std::move(server);
    return true;
}

void SingleInstance::onConnection() {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            using platform::InstanceMessage;
            // A peek: the line stays in the buffer until it is whole.
            const QByteArray head = client->peek(platform::kMaxInstanceLine);
            const InstanceMessage message = platform::parseInstanceMessage(
                std::string_view(head.constData(), static_cast<std::size_t>(head.size())));
            if (message == InstanceMessage::Incomplete)
                return;
            client->disconnect(this); // one message a connection
            if (message == InstanceMessage::TooLong) {
                client->abort();
                return;
            }
            if (const std::string_view name = platform::instanceMessageName(message); !name.empty())
                emit messageReceived(
                    QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
            client->write("ok\n");
            client->disconnectFromServer();
        });
    }
}

} // namespace trov
