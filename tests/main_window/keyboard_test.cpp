// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard alone, and the pop-up menus' entries named for a screen
// reader (the forms and windows are read on the accessibility bus, a11y_bus).

#include "app/crawl/link_report_window.h"
#include "app/main_window/add_engine_dialog.h"
#include "app/main_window/more_engines_menu.h"
#include "tests/main_window/main_form_fixture.h"

#include <QCheckBox>
#include <QMenu>
#include <QToolButton>

namespace {

using namespace trov;

// Tab from start visits the controls of the chain in turn.
void tabsThrough(QWidget* start, const QStringList& chain) {
    start->setFocus();
    for (const QString& name : chain) {
        QCOMPARE(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

QStringList unnamedEntries(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions())
        if (!a->isSeparator() && a->text().trimmed().isEmpty())
            out << a->objectName();
    return out;
}

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void tabReachesEveryControlAsDrawnAndArrowsPickAnEngine() {
        test::MainFormFixture f;
        TMainForm& w = f.shown();
        w.csExpandClick();
        const QStringList chain = {
            "eURL",  "xiGO",         "xiMetla",  "xiHamburger",  "csGoogle", "csExpand",
            "cbAll", "eexact",       "eexclude", "edomain",      "cb6",      "sbt",
            "cb5",   "SpeedButton5", "cb3",      "SpeedButton3", "cb2",      "SpeedButton4",
            "lb",    "SpeedButton1", "cb1",      "SpeedButton2"};
        tabsThrough(w.widgets().eURL, chain);
        // The engine row: one Tab stop; the arrows move along it, Space chooses.
        w.widgets().engines[0]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("csDuckDuckGo"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(w.form().engine(), SearchEngine::DuckDuckGo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(w.form().engine(), SearchEngine::Bing);
        QCOMPARE(w.widgets().engines[1]->focusPolicy(), Qt::TabFocus);
        QCOMPARE(w.widgets().engines[2]->focusPolicy(), Qt::NoFocus);
        // Enter presses a focused button; F10 opens the main menu.
        w.widgets().csExpand->setFocus();
        QTest::keyClick(w.widgets().csExpand, Qt::Key_Return);
        QVERIFY(!w.isExpanded());
        QTest::keyClick(&w, Qt::Key_F10);
        QTRY_VERIFY(w.menus().main->isVisible());
        w.menus().main->hide();
    }

    void menuEntriesNamedAndDialogsTabbedAsDrawn() {
        test::MainFormFixture f;
        TMainForm& w = f.shown(); // its form and secondary windows are read on the bus
        for (QMenu* menu : {w.menus().main, w.menus().Background1, w.menus().PopCrawler,
                            w.glue().tray().menu(), w.dropDown().menu(), w.moreEngines().menu()})
            QCOMPARE(unnamedEntries(menu), QStringList());
        // "Add engine...", tabbed through as drawn.
        AddEngineDialog add("engines.cfg", &f.files, f.messages);
        add.show();
        add.sourceField()->setText(QStringLiteral("d.xml"));
        QApplication::setActiveWindow(&add);
        add.sourceField()->setFocus();
        for (const char* name : {"eSource", "bBrowse", "eKey", "eName", "bAdd", "bClose"}) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        LinkReportWindow report(f.messages, {}, &f.files);
        report.showReport({{"http://e.com/a", 404, LinkError::None, "http://e.com/a", "e.com", 1}},
                          "e.com");
        QApplication::setActiveWindow(&report);
        tabsThrough(report.problemsOnlyBox(),
                    {"ProblemsOnly", "LinkTable", "OpenAddress", "OpenFoundOn", "ExportReport",
                     "CloseReport", "ProblemsOnly"});
    }
};

} // namespace

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
