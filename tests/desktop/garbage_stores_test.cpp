// SPDX-License-Identifier: GPL-3.0-or-later
// trovctl and trov on a data folder with a store of garbage: random bytes, a 10 MB line,
// 100,000 sections, a file cut short, a folder in its place. Neither crashes nor hangs, trovctl
// fails only in one line naming the store, and no store is left worse: only the INI files trov
// writes change, and only by the keys it writes, and an unreadable history is kept beside it.

#include "common/atomic_file.h"
#include "platform/instance_socket.h"
#include "settings/ini.h"
#include "tests/support/temp_dir.h"

#include <QLocalSocket>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <map>
#include <random>
#include <span>
#include <sys/prctl.h>
#include <sys/stat.h>

namespace fs = std::filesystem;
using trov::test::TempDir;

namespace {

enum Garbage { Random, LongLine, ManyLines, CutShort, Folder };

// The last, the history backup, is spoiled with HistGrid.cld, so that neither can be read.
const char* const kStores[] = {"YY.cfg",   "HistGrid.cld", "gs1001.sgg",   "color.cld",
                               "Trov.lst", "engines.cfg",  "HistGrid.cld2"};
// Beside the garbage: not a first start, so nothing is taken from the program's folder.
const std::string kConfig = "[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n[Color]\r\nPall=148\r\n";

// A well-formed store of the source tree, to be cut short.
const std::map<std::string, std::string> kSamples = {
    {"YY.cfg", "ini/settings"},
    {"Trov.lst", "ini/settings"},
    {"HistGrid.cld", "list_view_stream/two_rows"},
    {"gs1001.sgg", "suggestion_text/two"},
    {"color.cld", "color_cld/written"},
    {"engines.cfg", "../../../data/share/engines.cfg.example"}};

void spoil(const TempDir& dir, const std::string& store, Garbage garbage) {
    std::string bytes;
    if (garbage == Folder) {
        dir.write("data/Trov/" + store + "/kept", "kept"); // the folder, with a file kept in it
        return;
    }
    if (garbage == Random) {
        std::mt19937 random(19);
        for (int i = 0; i < 65536; ++i)
            bytes += static_cast<char>(random());
    } else if (garbage == LongLine) {
        for (int i = 0; bytes.size() < 10'000'000; ++i)
            bytes += "[x" + std::to_string(i) + "]=|,\"\t";
    } else if (garbage == ManyLines) {
        for (int i = 0; i < 100'000; ++i)
            bytes += "[s" + std::to_string(i) + "]\r\n";
    } else {
        bytes =
            trov::readWholeFile(TROV_SOURCE_DIR "/tests/fuzz/corpus/" + kSamples.at(store)).value();
        bytes.resize(bytes.size() / 2);
    }
    dir.write("data/Trov/" + store, bytes);
}

// Every store by name: its bytes, or "folder" and what the folder holds.
std::map<std::string, std::string> storesIn(const TempDir& dir) {
    std::map<std::string, std::string> stores;
    for (const std::string name : kStores) {
        const std::string path = dir.file("data/Trov/" + name);
        if (fs::is_directory(path))
            stores[name] = "folder " + dir.read("data/Trov/" + name + "/kept");
        else if (fs::exists(path))
            stores[name] = dir.read("data/Trov/" + name);
    }
    return stores;
}

// after is before with values set or keys added, every other line kept in its place.
bool onlyKeysWritten(const std::string& before, const std::string& after) {
    trov::IniDocument expected = trov::IniDocument::parse(before);
    const trov::IniDocument got = trov::IniDocument::parse(after);
    for (const std::string& section : got.sections())
        for (const std::string& key : got.keys(section))
            expected.setValue(section, key, got.value(section, key).value_or(""));
    return expected.serialize() == got.serialize();
}

bool sanitizerSpoke(const QByteArray& err) {
    return err.contains("Sanitizer") || err.contains("runtime error");
}

} // namespace

class GarbageStoresTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TempDir> dir_;

    // Data, config and runtime folders of the row's own.
    void start(QProcess& p, const char* program, const QStringList& args = {}) const {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        const QString root = QString::fromStdString(dir_->path());
        e.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("data"));
        e.insert(QStringLiteral("XDG_CONFIG_HOME"), root + QStringLiteral("config"));
        e.insert(QStringLiteral("XDG_RUNTIME_DIR"), root + QStringLiteral("run"));
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(e);
        p.start(QString::fromLatin1(program), args);
    }
    // The program's answer comes only while it waits for events: started, or showing a
    // message.
    bool answers() const {
        QLocalSocket s;
        s.connectToServer(QString::fromStdString(
            trov::platform::instanceSocketPath(dir_->file("run/"), TROV_PATH)));
        if (!s.waitForConnected(1000))
            return false;
        s.write("show\n");
        return s.waitForReadyRead(20000) && s.readAll() == "ok\n";
    }
    // The folder with the row's store spoiled, the stores as they were.
    std::map<std::string, std::string> prepare() {
        QFETCH(QString, store);
        QFETCH(int, garbage);
        dir_ = std::make_unique<TempDir>();
        dir_->write("run/.keep", "");
        ::chmod(dir_->file("run").c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir_->file("run")));
        if (store != QStringLiteral("YY.cfg"))
            dir_->write("data/Trov/YY.cfg", kConfig);
        spoil(*dir_, store.toStdString(), Garbage(garbage));
        if (store == QStringLiteral("HistGrid.cld"))
            fs::copy(dir_->file("data/Trov/HistGrid.cld"), dir_->file("data/Trov/HistGrid.cld2"),
                     fs::copy_options::recursive);
        return storesIn(*dir_);
    }
    static void rows() {
        QTest::addColumn<QString>("store");
        QTest::addColumn<int>("garbage");
        for (const char* store : std::span(kStores).first(std::size(kStores) - 1))
            for (const auto& [garbage, name] : {std::pair{Random, "random bytes"},
                                                {LongLine, "10 MB line"},
                                                {ManyLines, "100,000 sections"},
                                                {CutShort, "cut short"},
                                                {Folder, "folder"}})
                QTest::addRow("%s, %s", store, name) << QString::fromLatin1(store) << int(garbage);
    }

private slots:
    void trovctl_data() { rows(); }
    void trovctl() {
        const auto before = prepare();
        QFETCH(QString, store);
        for (const QString& command :
             {QStringLiteral("history list"), QStringLiteral("suggest list"),
              QStringLiteral("engines"), QStringLiteral("compose cats")}) {
            QProcess p;
            start(p, TROVCTL_PATH, command.split(QLatin1Char(' ')));
            QVERIFY2(p.waitForFinished(60000), qPrintable(command));
            const QByteArray err = p.readAllStandardError();
            QVERIFY2(p.exitStatus() == QProcess::NormalExit, err.constData());
            QVERIFY2(!sanitizerSpoke(err), err.constData());
            // A store that cannot be read fails the command, in one line that names it.
            const bool unreadable = command.startsWith(QStringLiteral("history")) &&
                                    store == QStringLiteral("HistGrid.cld");
            QVERIFY2(p.exitCode() == 0 || p.exitCode() == 1, qPrintable(command));
            QVERIFY2(!unreadable || p.exitCode() == 1, qPrintable(command));
            if (p.exitCode() != 0) {
                QVERIFY2(err.count('\n') == 1, err.constData());
                QVERIFY2(err.contains(store.toUtf8()), err.constData());
            }
        }
        QVERIFY(storesIn(*dir_) == before);
    }

    void trov_data() { rows(); }
    void trov() {
        const auto before = prepare();
        QProcess program;
        // Ended with this test, should a fault end the test first.
        program.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
        start(program, TROV_PATH);
        QVERIFY(program.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(answers(), 30000);
        QCOMPARE(program.state(), QProcess::Running);
        program.terminate(); // by its own process id: the close sequence runs
        QVERIFY(program.waitForFinished(10000));
        QVERIFY2(!sanitizerSpoke(program.readAllStandardError()), "sanitizer report");

        const auto after = storesIn(*dir_);
        for (const auto& [name, bytes] : before) {
            QVERIFY2(after.count(name), name.c_str());
            const bool folder = bytes.rfind("folder ", 0) == 0;
            if (name == "YY.cfg" || name == "Trov.lst")
                QVERIFY2(folder ? after.at(name) == bytes : onlyKeysWritten(bytes, after.at(name)),
                         name.c_str());
            else if (name == "HistGrid.cld" && !folder) // kept while its box held the start
                QVERIFY(after.at(name) == bytes &&
                        dir_->read("data/Trov/HistGrid.cld.unreadable") == bytes);
            else
                QVERIFY2(after.at(name) == bytes, name.c_str());
        }
    }
};

QTEST_GUILESS_MAIN(GarbageStoresTest)
#include "garbage_stores_test.moc"
