// SPDX-License-Identifier: GPL-3.0-or-later
// The history window, the suggestions manager and the settings commands, wired through
// FormWindows as the program does; only what the windows add to the core's rules.

#include "app/program/form_windows.h"
#include "app/shared/file_chooser.h"
#include "history/history_csv.h"
#include "history/window.h"
#include "settings/config.h"
#include "suggest/manager_window.h"
#include "suggest/suggestion_store.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/history_rows.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

using namespace trov;

namespace {

// History rows of the given words, a hundred suggestions "1000" to "1099".
struct Rig {
    test::TempDir dir;
    test::FakeMainWindow main;
    HistoryStore history{DataFolder(dir.path())};
    SuggestionStore suggestions{dir.file("gs1001.sgg")};
    Config config{dir.file("YY.cfg"), ScreenSize{1280, 1024}};
    test::ScriptedMessages messages;
    FunctionFileChooser files;
    std::string asked; // the last file dialog's filter and start name
    int broughtForward = 0;
    std::unique_ptr<FormWindows> windows;

    explicit Rig(std::initializer_list<std::string> words = {}, const std::string& cfg = {}) {
        dir.write("YY.cfg", cfg);
        config.reload();
        std::string line;
        for (int i = 0; i < 100; ++i)
            line += (i ? "|;|" : "|") + std::to_string(1000 + i);
        dir.write("gs1001.sgg", line + "\r\n");
        suggestions.load({});
        for (const std::string& w : words)
            history.list().rows.push_back(test::historyRow(w, "Default"));
        windows = std::make_unique<FormWindows>(
            main, history, suggestions, config, messages, DataFolder(dir.path()),
            FormWindowHooks{{}, [this] { ++broughtForward; }, &files});
    }
    // Every file dialog from now on answers path.
    void answer(const std::string& path) {
        files.save = files.open = [this, path](const FileDialogSpec& s, const std::string& at) {
            asked = s.filter + "|" + at;
            return path;
        };
    }

    Tfhist& hist() { return windows->historyWindow(); }
    int selectedRow() { return hist().table()->currentIndex().row(); }
    void click(const char* hint) { QTest::mouseClick(hist().button(hint), Qt::LeftButton); }

    TfSugg& manager() { return windows->suggestionsManager(); }
    QListWidget* list() { return manager().list(); }
    int marks() {
        int n = 0;
        for (int i = 0; i < list()->count(); ++i)
            n += list()->item(i)->checkState() == Qt::Checked;
        return n;
    }
    void clickRow(int row, bool onBox = false) { // on the row's text or its check box
        const QRect r = list()->visualItemRect(list()->item(row));
        const QPoint p(onBox ? r.left() + 8 : r.right() - 20, r.center().y());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, p);
    }
    void press(const char* text) { QTest::mouseClick(manager().button(text), Qt::LeftButton); }
};

} // namespace

class FormWindowsTest : public QObject {
    Q_OBJECT

private slots:
    // Made hidden at its stored place; History opens it on row 0 with the focus in the list,
    // losing the activation writes the place, and History, Esc and Close hide it.
    void historyWindowLifecycle() {
        Rig rig({"newest", "older"},
                "[VelikostH]\r\nLevo=40\r\nGor=50\r\nSirina=700\r\nVisina=400\r\nStatus=1\r\n");
        QVERIFY(!rig.windows->historyWindowShown());
        // Made when first needed, it opens where the start read it would, as if made then.
        rig.dir.write("YY.cfg", "[VelikostH]\r\nLevo=400\r\nGor=500\r\n");
        rig.config.reload();
        QCOMPARE(rig.hist().geometry(), QRect(40, 50, 700, 400));
        QVERIFY(Rig().hist().windowState() & Qt::WindowMaximized);

        rig.windows->showHistory();
        QVERIFY(rig.windows->historyWindowShown());
        QCOMPARE(rig.selectedRow(), 0);
        QCOMPARE(rig.hist().detailField(kColSearch)->text(), QStringLiteral("newest"));
        QVERIFY(QTest::qWaitForWindowActive(&rig.hist()));
        QCOMPARE(rig.hist().geometry().topLeft(), QPoint(40, 50)); // shown where it was made
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(rig.hist().table()));
        rig.hist().setGeometry(60, 70, 1100, 380);
        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(rig.dir.read("YY.cfg").find("Status=0") != std::string::npos);
        rig.config.reload();
        QVERIFY(readHistoryPlacement(rig.config) ==
                (HistoryPlacement{60, 70, 1100, 380, HistoryWindowState::Normal}));

        rig.windows->showHistory();
        QVERIFY(!rig.windows->historyWindowShown());
        rig.hist().show();
        QTest::keyClick(rig.hist().table(), Qt::Key_Escape);
        QVERIFY(!rig.hist().isVisible());
        rig.hist().show();
        QTest::mouseClick(rig.hist().closeButton(), Qt::LeftButton);
        QVERIFY(!rig.hist().isVisible());
    }

    // Each tool button and a double click reach their command (whose rules are the core's);
    // Fill brings only a main window out of view forward.
    void historyToolButtons() {
        Rig rig({"red cat", "dog", "cat food", "bird"});
        rig.hist().show();
        const std::pair<const char*, int> steps[] = {
            {"Next record", 0}, {"Last record", 3}, {"Prior record", 2}, {"First record", 0}};
        for (const auto& [hint, row] : steps) {
            rig.click(hint);
            QCOMPARE(rig.selectedRow(), row);
        }
        QLineEdit* find = rig.hist().findField();
        find->setText(QStringLiteral("bird"));
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(rig.selectedRow(), 3);
        find->setText(QStringLiteral("CAT"));
        rig.click("Search");
        QCOMPARE(rig.selectedRow(), 0);

        rig.click("Fill search fields");
        QCOMPARE(rig.main.model.text(TextField::Words), std::string("red cat"));
        rig.main.shown = true;
        rig.click("Fill search fields");
        QCOMPARE(rig.broughtForward, 1);
        rig.main.model.setText(TextField::Words, "");
        QVERIFY(QTest::qWaitForWindowExposed(&rig.hist()));
        QTableView* table = rig.hist().table();
        const QPoint cell = table->visualRect(table->model()->index(1, 2)).center();
        // The view takes a double click only on the row the button went down on.
        QTest::mousePress(table->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(rig.main.model.text(TextField::Words), std::string("dog"));
        QCOMPARE(std::count(rig.main.calls.begin(), rig.main.calls.end(), "go"), 0);
        rig.click("Run");
        QCOMPARE(rig.main.calls.back(), std::string("go"));
        // The search it ran joins at the top: the highlight stays on the panel's record.
        rig.history.addNewest(test::historyRow("new"));
        rig.windows->historyChanged();
        QCOMPARE(rig.selectedRow(), 2);
        QCOMPARE(rig.hist().detailField(kColSearch)->text(), QStringLiteral("dog"));

        rig.click("Multi select");
        QCOMPARE(table->selectionMode(), QAbstractItemView::ExtendedSelection);
        rig.click("Delete record");
        QCOMPARE(table->model()->rowCount(), 4);

        rig.answer(rig.dir.file("h.csv"));
        rig.click("Export CSV");
        QCOMPARE(rig.dir.read("h.csv"), historyCsv(rig.history.list().rows));
        rig.answer(rig.dir.file("mine.gmh"));
        rig.click("Save");
        QCOMPARE(rig.asked, std::string("Trov History (*.gmh)|"));
        QCOMPARE(test::storedWords(rig.dir.file("mine.gmh")),
                 (std::vector<std::string>{"new", "red cat", "cat food", "bird"}));
        rig.messages.answers = {true};
        rig.click("Clear all search history");
        QCOMPARE(table->model()->rowCount(), 0);
        rig.click("Open");
        QCOMPARE(table->model()->rowCount(), 4);
    }

    // The commands reach the settings file through their dialogs; a save starts at the file
    // opened last. What the file holds is its own rule.
    void settingsCommands() {
        Rig rig;
        rig.answer(rig.dir.file("no/such/s.gms"));
        rig.windows->saveSettingsFile();
        QCOMPARE(rig.asked, std::string("Trov settings (*.gms)|"));
        QCOMPARE(rig.messages.shown.size(), std::size_t(1)); // the refused write is reported
        const std::string path = rig.dir.write("o.gms", "[Pin]\r\nTip2=10\r\nbkgkol=65280\r\n");
        rig.answer(path);
        rig.windows->openSettingsFile();
        QCOMPARE(rig.asked, std::string("Trov setting (*.gms)|"));
        rig.windows->saveSettingsFile();
        QCOMPARE(rig.asked, "Trov settings (*.gms)|" + path); // starts at the file opened
    }

    // Text, box, Space and buttons each mark once; Find (button or Enter) highlights; after
    // a No to Delete the list is as it was; Close writes nothing.
    void managerMarksFindsAndDeletes() {
        Rig rig;
        rig.manager().refill();
        rig.manager().show();
        QScrollBar* bar = rig.list()->verticalScrollBar();
        bar->setValue(bar->maximum());
        const int row = rig.list()->indexAt(QPoint(5, 5)).row();
        rig.clickRow(row);
        const int scrolled = bar->value();
        rig.press("Delete");
        QCOMPARE(rig.messages.asked.size(), std::size_t(1));
        QCOMPARE(bar->value(), scrolled);
        QCOMPARE(rig.list()->currentRow(), row);
        QVERIFY(rig.list()->item(row)->isSelected());
        QCOMPARE(rig.marks(), 1);
        rig.clickRow(row, true);
        rig.clickRow(row + 1, true);
        rig.list()->setCurrentRow(row + 2);
        QTest::keyClick(rig.list(), Qt::Key_Space);
        QCOMPARE(rig.marks(), 2);
        rig.press("Select all");
        QCOMPARE(rig.marks(), 100);

        rig.manager().findField()->setText(QStringLiteral("105"));
        QTest::keyClick(rig.manager().findField(), Qt::Key_Return);
        QVERIFY(rig.manager().isVisible()); // Enter was consumed
        QCOMPARE(rig.list()->selectedItems().size(), 10);
        rig.manager().findField()->setText(QString());
        rig.press("Find");
        QCOMPARE(rig.list()->selectedItems().size(), 0);
        rig.press("Invert selection"); // none marked
        rig.clickRow(row);
        rig.messages.answers = {true};
        rig.press("Delete");
        QCOMPARE(rig.list()->count(), 99);
        const std::string stored = rig.dir.read("gs1001.sgg");
        QVERIFY(stored.find(std::to_string(1000 + row)) == std::string::npos);
        rig.press("Close"); // writes nothing
        QVERIFY(!rig.manager().isVisible());
        QCOMPARE(rig.dir.read("gs1001.sgg"), stored);
        // The command opens it modally, filled again from the store.
        QTimer::singleShot(0, &rig.manager(), &QDialog::reject);
        rig.windows->showSuggestionsManager();
        QCOMPARE(rig.list()->count(), 99);
        QCOMPARE(rig.marks(), 0);
    }
};

QTEST_MAIN(FormWindowsTest)
#include "form_windows_test.moc"
