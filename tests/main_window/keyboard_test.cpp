// SPDX-License-Identifier: GPL-3.0-or-later
// The main window from the keyboard alone, and every window's controls named for a screen
// reader (the pop-ups and secondary windows the accessibility bus test cannot reach).

#include "app/crawl/crawl_controller.h"
#include "app/crawl/crawler_panel.h"
#include "app/main_window/colour_controller.h"
#include "app/program/form_windows.h"
#include "appearance/recent_window.h"
#include "history/window.h"
#include "links/find_dialog.h"
#include "links/window.h"
#include "suggest/manager_window.h"
#include "tests/main_window/main_form_fixture.h"

#include <QAccessible>
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
        w.widgets().eURL->setFocus();
        for (const QString& name : chain) {
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
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
        QCOMPARE(unnamed(&w), QStringList());
        QCOMPARE(w.widgets().cbAll->accessibleName(), QStringLiteral("Search kind"));
        for (QMenu* menu : {w.menus().main, w.menus().Background1, w.menus().PopCrawler,
                            w.glue().tray().menu(), w.dropDown().menu()})
            QCOMPARE(unnamedEntries(menu), QStringList());
        FormWindowHooks hooks;
        FormWindows windows(w, *f.history, *f.suggestions, *f.config, f.messages,
                            DataFolder(f.folder()), std::move(hooks));
        Tfhist& history = windows.historyWindow();
        QCOMPARE(unnamed(&history), QStringList());
        QCOMPARE(unnamed(&windows.suggestionsManager()), QStringList());
        Tflinks* links = w.crawl().viewer();
        QVERIFY(links);
        QCOMPARE(unnamed(links), QStringList());
        QCOMPARE(unnamed(links->findDialog()), QStringList());
        TfRecent* recent = w.colours().recentWindow();
        QVERIFY(recent);
        QCOMPARE(unnamed(recent), QStringList());
        QCOMPARE(unnamed(w.crawl().panel()), QStringList());
    }
};

} // namespace

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
