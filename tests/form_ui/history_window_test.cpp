#include "history/history_csv.h"
#include "history/history_view.h"
#include "history/window.h"
#include "settings/config.h"
#include "tests/form_ui/fakes.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/history_rows.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <memory>

using namespace trov;

namespace {

// One history window over a temporary data folder.
struct Rig {
    test::TempDir dir;
    test::FakeMainWindow main;
    HistoryStore store{DataFolder(dir.path())};
    std::unique_ptr<Config> config;
    test::ScriptedMessages messages;
    test::QueuedFiles files;
    int broughtForward = 0;
    std::unique_ptr<Tfhist> window;

    explicit Rig(std::initializer_list<std::string> words = {}, std::string cfg = {}) {
        if (!cfg.empty())
            dir.write("YY.cfg", cfg);
        config = std::make_unique<Config>(dir.file("YY.cfg"), ScreenSize{1280, 1024});
        for (const std::string& w : words)
            store.list().rows.push_back(test::historyRow(w));
        window = std::make_unique<Tfhist>(HistoryWindowServices{
            main, store, *config, messages, files, [this] { ++broughtForward; }});
    }
    int selectedRow() const {
        const auto rows = window->table()->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows[0].row() : -1 - static_cast<int>(rows.size());
    }
    void click(const char* hint) {
        QToolButton* b = window->button(QString::fromLatin1(hint));
        QVERIFY2(b, hint);
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

} // namespace

class HistoryWindowTest : public QObject {
    Q_OBJECT

private slots:
    void createdHiddenAtItsStoredPlace() {
        Rig rig({}, "[VelikostH]\r\nLevo=40\r\nGor=50\r\nSirina=700\r\nVisina=400\r\nStatus=1\r\n");
        QVERIFY(!rig.window->isVisible());
        QCOMPARE(rig.window->windowTitle(), QStringLiteral("Trov - Search History"));
        QVERIFY(!(rig.window->windowState() & Qt::WindowMaximized));
        QCOMPARE(rig.window->geometry(), QRect(40, 50, 700, 400));
        QCOMPARE(rig.window->table()->model()->headerData(9, Qt::Horizontal).toString(),
                 QStringLiteral("Contry"));

        Rig maximised;
        QVERIFY(maximised.window->windowState() & Qt::WindowMaximized);
    }

    void toggleShowsRowZeroAndEscOrCloseHide() {
        Rig rig({"newest", "older"});
        rig.window->toggle();
        QVERIFY(rig.window->isVisible());
        QCOMPARE(rig.selectedRow(), 0);
        QCOMPARE(rig.window->detailField(kColSearch)->text(), QStringLiteral("newest"));
        rig.window->toggle();
        QVERIFY(!rig.window->isVisible());
        // Esc and the close button hide it too.
        rig.window->show();
        QTest::keyClick(rig.window->table(), Qt::Key_Escape);
        QVERIFY(!rig.window->isVisible());
        rig.window->show();
        QTest::mouseClick(rig.window->closeButton(), Qt::LeftButton);
        QVERIFY(!rig.window->isVisible());
    }

    // The tool buttons reach the view; the moves and the deletions themselves are the view's.
    void toolButtons() {
        Rig rig({"a", "b", "c", "d"});
        rig.window->show();
        const std::pair<const char*, int> steps[] = {
            {"Next record", 0}, {"Last record", 3}, {"Prior record", 2}, {"First record", 0}};
        for (const auto& [hint, row] : steps) {
            rig.click(hint);
            QCOMPARE(rig.selectedRow(), row);
        }
        rig.click("Multi select");
        QTableView* table = rig.window->table();
        QCOMPARE(table->selectionMode(), QAbstractItemView::ExtendedSelection);
        table->clearSelection();
        for (int r : {1, 3})
            table->selectionModel()->select(table->model()->index(r, 0),
                                            QItemSelectionModel::Select |
                                                QItemSelectionModel::Rows);
        QCOMPARE(rig.window->view().selection().size(), 2u);
        rig.click("Delete record");
        QCOMPARE(test::storedWords(rig.store.storePath()), (std::vector<std::string>{"a", "c"}));
        // A move ends the multiple selection.
        table->selectRow(0);
        rig.click("Next record");
        QVERIFY(!rig.window->button(QStringLiteral("Multi select"))->isChecked());
        QCOMPARE(table->selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(rig.selectedRow(), 1);
        rig.messages.answers = {true};
        rig.click("Clear all search history");
        QCOMPARE(table->model()->rowCount(), 0);
    }

    void findRestartsAndWrapsByEnter() {
        Rig rig({"red cat", "dog", "cat food", "bird"});
        rig.window->show();
        QLineEdit* hurl = rig.window->findField();
        hurl->setText(QStringLiteral("CAT"));
        QTest::keyClick(hurl, Qt::Key_Return);
        QCOMPARE(rig.selectedRow(), 0);
        hurl->setText(QStringLiteral("bird"));
        rig.click("Search");
        QCOMPARE(rig.selectedRow(), 3);
        QVERIFY(rig.window->isVisible()); // Enter was consumed by the find field
    }

    void saveOpenAndExportHistoryFiles() {
        Rig rig({"one", "two"});
        rig.window->show();
        const std::string saved = rig.dir.file("mine.gmh");
        rig.files.answers = {saved};
        rig.click("Save");
        QCOMPARE(rig.files.asked.back().filter, std::string("Trov History (*.gmh)"));
        QCOMPARE(test::storedWords(saved), (std::vector<std::string>{"one", "two"}));

        HistoryList other;
        other.rows = {test::historyRow("three"), test::historyRow("four"),
                      test::historyRow("five")};
        const std::string path = rig.dir.file("other.gmh");
        QVERIFY(writeHistoryFile(path, other));
        rig.files.answers = {path};
        rig.click("Open");
        QCOMPARE(rig.window->table()->model()->rowCount(), 3);
        QCOMPARE(rig.window->table()->model()->index(0, kColSearch).data().toString(),
                 QStringLiteral("three"));
        QVERIFY(!fileExists(rig.store.storePath())); // reaches the store at the next save
        rig.files.answers = {""};                    // cancelled
        rig.click("Open");
        QCOMPARE(rig.window->table()->model()->rowCount(), 3);
        rig.files.answers = {rig.dir.file("h.csv")};
        rig.window->exportCsv();
        QCOMPARE(rig.dir.read("h.csv"), historyCsv(rig.store.list().rows));
    }

    void fillSearchFieldsAndDoubleClickFillRunGoes() {
        Rig rig;
        rig.store.list().rows = {test::historyRow("cats", "Default", "Bing")};
        rig.window->toggle();
        rig.click("Fill search fields");
        QCOMPARE(rig.main.model.engine(), SearchEngine::Bing);
        QCOMPARE(rig.main.model.text(TextField::Words), std::string("cats"));
        QCOMPARE(rig.broughtForward, 1);
        rig.main.model.setText(TextField::Words, "");
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        const QRect cell =
            rig.window->table()->visualRect(rig.window->table()->model()->index(0, 2));
        // The view takes a double click only on the row the button went down on.
        QTest::mousePress(rig.window->table()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(rig.window->table()->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(rig.main.model.text(TextField::Words), std::string("cats"));
        QVERIFY(!rig.main.called("go"));
        rig.main.model.setText(TextField::Words, "");
        rig.click("Run");
        QCOMPARE(rig.main.model.text(TextField::Words), std::string("cats"));
        QCOMPARE(rig.main.calls.back(), std::string("go"));
    }

    void losingActivationWritesThePlacement() {
        Rig rig({"a"},
                "[VelikostH]\r\nLevo=30\r\nGor=40\r\nSirina=1100\r\nVisina=700\r\nStatus=0\r\n");
        rig.window->show();
        rig.window->activateWindow();
        if (!QTest::qWaitForWindowActive(rig.window.get()))
            QSKIP("the platform does not activate windows");
        QWidget other;
        other.setGeometry(900, 700, 100, 100);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QTRY_VERIFY(rig.dir.read("YY.cfg").find("Sirina=1100") != std::string::npos);
        rig.config->reload();
        QCOMPARE((QList<int>{rig.config->readInt(cfg::HistLevo), rig.config->readInt(cfg::HistGor),
                             rig.config->readInt(cfg::HistVisina),
                             rig.config->readInt(cfg::HistStatus)}),
                 (QList<int>{30, 40, 700, 0}));
    }
};

QTEST_MAIN(HistoryWindowTest)
#include "history_window_test.moc"
