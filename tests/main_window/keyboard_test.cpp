// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard alone, and the controls the accessibility bus test does
// not read (pop-up menus, the crawl panel, "Add engine...") named for a screen reader.

#include "app/crawl/crawl_controller.h"
#include "app/crawl/crawler_panel.h"
#include "app/crawl/link_report_window.h"
#include "app/main_window/add_engine_dialog.h"
#include "app/main_window/more_engines_menu.h"
#include "tests/main_window/main_form_fixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QMenu>
#include <QToolButton>

namespace {

using namespace trov;

// The actionable controls a window shows without a name, as "class objectName".
QStringList unnamed(QWidget* window) {
    const QList<QAccessible::Role> actionable = {
        QAccessible::PushButton, QAccessible::CheckBox,     QAccessible::RadioButton,
        QAccessible::ComboBox,   QAccessible::EditableText, QAccessible::List,
        QAccessible::Table,      QAccessible::ButtonMenu};
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // The corner of a table shows only beside a vertical header; the history has none.
        if (w->inherits("QTableCornerButton"))
            continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (a && w->isVisibleTo(window) && actionable.contains(a->role()) &&
            a->text(QAccessible::Name).trimmed().isEmpty())
            out << QStringLiteral("%1 %2").arg(w->metaObject()->className(), w->objectName());
    }
    return out;
}

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

    void everyWindowNamesItsControls() {
        test::MainFormFixture f;
        TMainForm& w = f.shown();
        w.csExpandClick();
        w.setPrivateMode(true);
        QCOMPARE(unnamed(&w), QStringList());
        QCOMPARE(w.widgets().cbAll->accessibleName(), QStringLiteral("Search kind"));
        for (QMenu* menu : {w.menus().main, w.menus().Background1, w.menus().PopCrawler,
                            w.glue().tray().menu(), w.dropDown().menu(), w.moreEngines().menu()})
            QCOMPARE(unnamedEntries(menu), QStringList());
        // "Add engine...": named fields, tabbed through as drawn.
        AddEngineDialog add("engines.cfg", &f.files, f.messages);
        add.show();
        QCOMPARE(unnamed(&add), QStringList());
        add.sourceField()->setText(QStringLiteral("d.xml"));
        QApplication::setActiveWindow(&add);
        add.sourceField()->setFocus();
        for (const char* name : {"eSource", "bBrowse", "eKey", "eName", "bAdd", "bClose"}) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // The secondary windows' names are read on the accessibility bus (a11y_bus).
        QCOMPARE(unnamed(w.crawl().panel()), QStringList());
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
