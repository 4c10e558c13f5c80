// The history window beside the main window: where the focus lands when it opens, and
// when a Fill brings the main window forward.

#include "history/window.h"
#include "settings/config.h"
#include "tests/form_ui/fakes.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <QApplication>
#include <QTableView>
#include <QTest>
#include <memory>

using namespace trov;

namespace {

struct Rig {
    test::TempDir dir;
    test::FakeMainWindow main;
    HistoryStore store{DataFolder(dir.path())};
    Config config{dir.file("YY.cfg")};
    test::ScriptedMessages messages;
    test::QueuedFiles files;
    int broughtForward = 0;
    Tfhist window{
        HistoryWindowServices{main, store, config, messages, files, [this] { ++broughtForward; }}};

    Rig() {
        HistoryRecord r;
        for (std::size_t c = 0; c < kHistoryColumnCount; ++c)
            r.set(c, "- - -");
        r.set(kColSearch, "cats");
        r.set(kColBrowser, "Default");
        r.set(kColEngine, "Google");
        store.list().rows.push_back(r);
    }
};

} // namespace

class HistoryFocusTest : public QObject {
    Q_OBJECT

private slots:
    void toggleLeavesTheFocusInTheList() {
        Rig rig;
        rig.window.toggle();
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        QCoreApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(rig.window.table()));
    }

    void fillBringsOnlyAMainWindowOutOfViewForward() {
        Rig rig;
        rig.window.toggle();
        for (const bool shown : {true, false}) {
            rig.main.shown = shown;
            rig.broughtForward = 0;
            rig.window.FillFields();
            QCOMPARE(rig.broughtForward, shown ? 0 : 1);
        }
    }
};

QTEST_MAIN(HistoryFocusTest)
#include "history_focus_test.moc"
