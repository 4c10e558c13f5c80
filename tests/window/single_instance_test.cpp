#include "app/single_instance.h"
#include "platform/instance_socket.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
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

    void socketIsNamedFromTheProgramPath() {
        SingleInstance guard(kProgram, nullptr);
        QCOMPARE(guard.socketPath(),
                 QString::fromStdString(runtime_->path()) + QStringLiteral("opttrovtestbintrov"));
        QVERIFY(guard.acquire());
        QVERIFY(QFileInfo::exists(guard.socketPath()));
        QVERIFY(QFileInfo::exists(guard.socketPath() + QStringLiteral(".lock")));
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

    void copiesInOtherFoldersDoNotSeeEachOther() {
        SingleInstance a(QStringLiteral("/opt/a/trov"), nullptr);
        SingleInstance b(QStringLiteral("/opt/b/trov"), nullptr);
        QVERIFY(a.acquire());
        QVERIFY(b.acquire());
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

    void trovctlTogglesAndShowsTheRunningProgram() {
        const std::string trovctlDir = std::filesystem::path(TROVCTL_PATH).parent_path().string();
        // The build tree's window program, as trovctl looks for it.
        const QString program =
            QString::fromStdString(platform::windowProgramCandidates(trovctlDir)[1]);
        QCOMPARE(program,
                 QFileInfo(QStringLiteral(TROV_BINARY_DIR "/app/trov")).absoluteFilePath());
        SingleInstance guard(program, nullptr);
        QVERIFY(guard.acquire());
        QSignalSpy received(&guard, &SingleInstance::messageReceived);
        for (const char* command : {"toggle", "show"}) {
            QProcess trovctl;
            QSignalSpy finished(&trovctl, &QProcess::finished);
            trovctl.start(QStringLiteral(TROVCTL_PATH), {QString::fromLatin1(command)});
            QVERIFY(finished.wait(20000));
            QCOMPARE(trovctl.exitCode(), 0);
            QCOMPARE(trovctl.readAllStandardError(), QByteArray());
        }
        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(0).at(0).toString(), QStringLiteral("toggle"));
        QCOMPARE(received.at(1).at(0).toString(), QStringLiteral("show"));
    }

    void trovctlWithNothingRunning() {
        QProcess trovctl;
        trovctl.start(QStringLiteral(TROVCTL_PATH), {QStringLiteral("toggle")});
        QVERIFY(trovctl.waitForFinished(20000));
        QCOMPARE(trovctl.exitCode(), 1);
        QCOMPARE(trovctl.readAllStandardError(), QByteArray("Trov is not running\n"));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "single_instance_test.moc"
