// The program's side of the single-instance guard: a second start hands over to the first
// through the socket, a lock left by a crash does not block, and only known messages reach
// the window.

#include "app/single_instance.h"
#include "platform/instance_socket.h"
#include "tests/support/temp_dir.h"

#include <QFileInfo>
#include <QLockFile>
#include <QSignalSpy>
#include <QTest>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace trov;

class SingleInstanceTest : public QObject {
    Q_OBJECT
    const QString program_ = QStringLiteral("/opt/trov test/bin/trov");
    std::unique_ptr<test::TempDir> runtime_;

    // Sends each message from another thread and waits for one to reach the window.
    static QString received(SingleInstance& guard, const std::vector<std::string>& messages) {
        QSignalSpy spy(&guard, &SingleInstance::messageReceived);
        const std::string path = guard.socketPath().toStdString();
        std::thread t([&] {
            for (const std::string& m : messages)
                platform::sendInstanceMessage(path, m, 500);
        });
        spy.wait(5000);
        t.join();
        QTest::qWait(50);
        return spy.count() == 1 ? spy.at(0).at(0).toString() : QString::number(spy.count());
    }

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
        SingleInstance first(program_, nullptr);
        QVERIFY(first.acquire());
        QSignalSpy received(&first, &SingleInstance::messageReceived);
        SingleInstance second(program_, nullptr);
        bool secondIsFirst = true;
        std::thread t([&] { secondIsFirst = second.acquire(); });
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 1, 5000);
        t.join();
        QVERIFY(!secondIsFirst && !second.isFirst());
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("front"));
    }

    void aLockLeftByACrashDoesNotBlock() {
        const std::string socketPath = platform::instanceSocketPath(program_.toStdString());
        const QString lockPath =
            QString::fromStdString(platform::instanceLockPath(program_.toStdString()));
        const pid_t child = ::fork();
        if (child == 0) { // a first instance that dies holding its lock
            QLockFile lock(lockPath);
            lock.tryLock(0);
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        QVERIFY(QFileInfo::exists(lockPath));
        std::ofstream(socketPath) << "left by the crash";
        SingleInstance next(program_, nullptr);
        QVERIFY(next.acquire());
        QCOMPARE(received(next, {"show"}), QStringLiteral("show"));
    }

    void strangeMessagesAreIgnored() {
        SingleInstance guard(program_, nullptr);
        QVERIFY(guard.acquire());
        QCOMPARE(received(guard, {"format-disk", std::string(5000, 'x'), "toggle"}),
                 QStringLiteral("toggle"));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
