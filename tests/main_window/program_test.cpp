// SPDX-License-Identifier: GPL-3.0-or-later
// The program itself: a second start hands over to the first and ends, trovctl reaches
// the running program, and a signal ends it as the close does (a search made in it reaching
// the stores is the accessibility bus test's). Each run has its own data, config and runtime
// folders.

#include "app/program/program.h"
#include "app/shell/single_instance.h"
#include "common/atomic_file.h"
#include "settings/ini.h"
#include "tests/support/temp_dir.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <sys/stat.h>

class ProgramTest : public QObject {
    Q_OBJECT

    trov::test::TempDir dir_;
    QString root_ = QString::fromStdString(dir_.path());

    QProcess* start(const char* program, const QStringList& args = {}) {
        auto* p = new QProcess(this);
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, folder] : {std::pair{"XDG_DATA_HOME", "data"},
                                           {"XDG_CONFIG_HOME", "config"},
                                           {"XDG_RUNTIME_DIR", "run"}})
            e.insert(QString::fromLatin1(name), root_ + folder);
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p->setProcessEnvironment(e);
        p->start(QString::fromLatin1(program), args);
        return p;
    }
    int trovctl(const char* command) {
        QProcess* p = start(TROVCTL_PATH, {QString::fromLatin1(command)});
        p->waitForFinished(20000);
        return p->exitCode();
    }

private slots:
    void secondStartHandsOverAndEnds() {
        dir_.write("run/.keep", "");
        ::chmod((dir_.path() + "run").c_str(), 0700);
        QCOMPARE(trovctl("toggle"), 1); // nothing running yet
        QProcess* first = start(TROV_PATH);
        QTRY_COMPARE_WITH_TIMEOUT(trovctl("show"), 0, 20000);
        QProcess* second = start(TROV_PATH);
        QVERIFY(second->waitForFinished(20000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        QCOMPARE(trovctl("toggle"), 0);
        QCOMPARE(trovctl("toggle"), 0);
        // The first start made the data folder and wrote the colour at once.
        QVERIFY(QFile::exists(root_ + "data/Trov/YY.cfg"));
        QVERIFY(QFile::exists(root_ + "config/autostart/Trov-Trov.desktop"));
        first->terminate(); // by its own process id
        QVERIFY(first->waitForFinished(10000));
    }

    // A build tree's trov (the README's way to run it) has beside it the files an
    // installed one finds in share/trov, so "Edit engines..." starts from the example.
    void aBuildTreeShipsItsFilesBesideTheProgram() {
        const std::string beside = QFileInfo(TROV_PATH).absolutePath().toStdString() + "/";
        for (const std::string name : {"engines.cfg.example", "gs1001.sgg"})
            QCOMPARE(trov::readWholeFile(beside + name).value_or("<missing>"),
                     trov::readWholeFile(TROV_SOURCE_DIR "/data/share/" + name).value_or("-"));
    }

    // The session's end, or a closed terminal, with the window hidden in the tray: the
    // close sequence writes the history and its keys, and the program ends with 0.
    void aSignalEndsAsTheCloseDoes_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << SIGTERM;
        QTest::newRow("SIGHUP") << SIGHUP;
    }
    void aSignalEndsAsTheCloseDoes() {
        QFETCH(int, signal);
        const std::string own = QTest::currentDataTag() + std::string("/");
        root_ = QString::fromStdString(dir_.path() + own);
        dir_.write(own + "run/.keep", "");
        ::chmod((dir_.path() + own + "run").c_str(), 0700);
        QProcess* program = start(TROV_PATH);
        QTRY_COMPARE_WITH_TIMEOUT(trovctl("toggle"), 0, 20000); // shown at a first start: hidden
        ::kill(static_cast<pid_t>(program->processId()), signal);
        QVERIFY(program->waitForFinished(20000));
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        QVERIFY(!program->readAllStandardError().contains("Sanitizer"));
        QVERIFY(QFile::exists(root_ + "data/Trov/HistGrid.cld"));
        const auto cfg = trov::IniDocument::parse(dir_.read(own + "data/Trov/YY.cfg"));
        const auto key = [&](const char* section, const char* name) {
            return cfg.value(section, name).value_or("-");
        };
        QCOMPARE(key("Pin", "PrviZagon") + key("Config", "showonstart"), "01");
        QVERIFY(key("Pin", "Browser") != "-");
        QVERIFY(key("Velikost", "Levo") != "-");
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
