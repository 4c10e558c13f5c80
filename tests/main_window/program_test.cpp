// The program itself: a second start hands over to the first and ends, trovctl reaches
// the running program, and a search made in it reaches the history store. Each run has its
// own data, config and runtime folders.

#include "app/program.h"
#include "app/single_instance.h"
#include "history/history_store.h"
#include "tests/support/temp_dir.h"

#include <QLineEdit>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>
#include <sys/stat.h>

using trov::test::TempDir;

class ProgramTest : public QObject {
    Q_OBJECT

    TempDir dir_;

    QProcessEnvironment env() const {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(dir_.path());
        e.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("data"));
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("config"));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("run"));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        e.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        return e;
    }
    int trovctl(const QString& command) {
        QProcess p;
        p.setProcessEnvironment(env());
        p.start(QStringLiteral(TROVCTL_PATH), {command});
        p.waitForFinished(20000);
        return p.exitCode();
    }

private slots:
    void initTestCase() {
        dir_.write("run/.keep", "");
        ::chmod((dir_.path() + "run").c_str(), 0700);
    }

    void secondStartHandsOverAndEnds() {
        QCOMPARE(trovctl(QStringLiteral("toggle")), 1); // nothing running yet

        QProcess first;
        first.setProcessEnvironment(env());
        first.start(QStringLiteral(TROV_PATH), {});
        QVERIFY(first.waitForStarted(10000));
        QTRY_COMPARE_WITH_TIMEOUT(trovctl(QStringLiteral("show")), 0, 20000);

        QProcess second;
        second.setProcessEnvironment(env());
        second.start(QStringLiteral(TROV_PATH), {});
        QVERIFY(second.waitForFinished(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);

        QCOMPARE(trovctl(QStringLiteral("toggle")), 0);
        QCOMPARE(trovctl(QStringLiteral("toggle")), 0);
        // The first start made the data folder and wrote the colour at once.
        QVERIFY(QFile::exists(QString::fromStdString(dir_.path() + "data/Trov/YY.cfg")));
        QVERIFY(QFile::exists(
            QString::fromStdString(dir_.path() + "config/autostart/Trov-Trov.desktop")));

        first.terminate(); // by its own process id
        QVERIFY(first.waitForFinished(10000));
    }

    // The program's own history port sits between Go and the store.
    void aSearchReachesTheHistoryStore() {
        const std::string root = dir_.path() + "inproc/";
        dir_.write("inproc/bin/xdg-open", "#!/bin/sh\nexit 0\n");
        ::chmod((root + "bin/xdg-open").c_str(), 0700);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QByteArray::fromStdString(root + "bin:") + path);
        for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
            qputenv(v, QByteArray::fromStdString(root + v));
        {
            trov::TrovProgram program;
            trov::SingleInstance guard(QString::fromStdString(root + "trov"), nullptr);
            program.start(guard);
            program.form().widgets().eURL->setText(QStringLiteral("cats"));
            program.form().go();
            trov::HistoryList list;
            QVERIFY(trov::readHistoryFile(root + "XDG_DATA_HOME/Trov/HistGrid.cld", list));
            QCOMPARE(list.rows.size(), std::size_t(1));
            QCOMPARE(std::string(list.rows[0][trov::kColSearch]), std::string("cats"));
        }
        qputenv("PATH", path);
        for (const char* v : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DATA_DIRS"})
            qunsetenv(v);
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
