#include "app/single_instance.h"
#include "platform/instance_socket.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QSignalSpy>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace trov;

namespace {

const QString kProgram = QStringLiteral("/opt/trov test/bin/trov");

} // namespace

class SingleInstanceTest : public QObject {
    Q_OBJECT
    std::unique_ptr<test::TempDir> runtime_;

private slots:
    void init() {
        runtime_ = std::make_unique<test::TempDir>();
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_->path()));
    }
    void cleanup() {
        qunsetenv("XDG_RUNTIME_DIR");
        runtime_.reset();
    }

    void aSecondStartHandsOverToTheFirst() {
        SingleInstance first(kProgram, nullptr);
        QVERIFY(first.acquire());
        QSignalSpy received(&first, &SingleInstance::messageReceived);

        SingleInstance second(kProgram, nullptr);
        bool secondIsFirst = true;
        std::thread t([&] { secondIsFirst = second.acquire(); });
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 5000);
        t.join();
        QVERIFY(!secondIsFirst);
        QVERIFY(!second.isFirst());
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("front"));
    }

    void aLockLeftByACrashDoesNotBlock() {
        const std::string lockPath = platform::instanceLockPath(kProgram.toStdString());
        const std::string socketPath = platform::instanceSocketPath(kProgram.toStdString());
        const pid_t child = ::fork();
        if (child == 0) {
            // A first instance that dies holding its lock and leaving its socket file.
            QLockFile lock(QString::fromStdString(lockPath));
            lock.tryLock(0);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            std::memcpy(addr.sun_path, socketPath.data(), socketPath.size());
            (void)::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
            (void)::listen(fd, 1);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        QVERIFY(std::filesystem::exists(lockPath));
        QVERIFY(std::filesystem::exists(socketPath));

        SingleInstance next(kProgram, nullptr);
        QVERIFY(next.acquire());
        QSignalSpy received(&next, &SingleInstance::messageReceived);
        std::thread t([&] { platform::sendInstanceMessage(socketPath, "show"); });
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 5000);
        t.join();
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("show"));
    }

    void strangeMessagesAreIgnored() {
        SingleInstance guard(kProgram, nullptr);
        QVERIFY(guard.acquire());
        QSignalSpy received(&guard, &SingleInstance::messageReceived);
        const std::string path = guard.socketPath().toStdString();
        std::thread t([&] {
            platform::sendInstanceMessage(path, "format-disk", 500);
            platform::sendInstanceMessage(path, std::string(5000, 'x'), 500);
            platform::sendInstanceMessage(path, "toggle");
        });
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 5000);
        t.join();
        QTest::qWait(50);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("toggle"));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
