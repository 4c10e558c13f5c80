// SPDX-License-Identifier: GPL-3.0-or-later
// The links viewer's wiring; finding, status texts and gutter numbers are the core's.

#include "links/find_dialog.h"
#include "links/window.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

using namespace trov;

namespace {

struct Viewer {
    test::RecordingMessages messages;
    std::vector<std::string> opened;
    Tflinks window{messages, [this](const std::string& a) { opened.push_back(a); }};

    QPlainTextEdit* text() const { return window.textArea(); }
    QAction* entry(const QString& caption) const { // of the menus, by caption
        for (QAction* a : window.findChildren<QAction*>())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
};

} // namespace

class LinksWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The line under a click or an arrow key goes into the address box, which Enter (as
    // "Open URL") opens; the status bar and the gutter follow.
    void aClickOrAnArrowKeySelectsTheLineIntoTheAddressBox() {
        Viewer v;
        QVERIFY(!v.window.isVisible());
        QCOMPARE(v.window.linksText(), QString());
        QVERIFY(v.text()->isReadOnly());
        QVERIFY(!v.window.statusTimer().isActive()); // hidden: nothing to refresh
        v.window.showLinks(QStringLiteral("Trov -  All links on a website: example.com"),
                           {QStringLiteral("http://example.com/a"),
                            QStringLiteral("http://example.com/bb"),
                            QStringLiteral("http://example.com/ccc")});
        QVERIFY(QTest::qWaitForWindowExposed(&v.window));
        QTextCursor line(v.text()->document()->findBlockByNumber(2));
        line.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        QTest::mouseClick(v.text()->viewport(), Qt::LeftButton, {},
                          v.text()->cursorRect(line).center());
        QCOMPARE(v.text()->textCursor().selectedText(), QStringLiteral("http://example.com/ccc"));
        QCOMPARE(v.window.addressBox()->text(), QStringLiteral("http://example.com/ccc"));
        QTRY_COMPARE_WITH_TIMEOUT(v.window.lineCell()->text(), QStringLiteral("Ln 3 : 3"), 1000);
        QCOMPARE(v.window.sizeCell()->text(), QStringLiteral("Characters: 66"));
        QVERIFY(v.window.columnCell()->isHidden());
        v.text()->setFocus();
        QTest::keyClick(v.text(), Qt::Key_Up);
        QCOMPARE(v.window.addressBox()->text(), QStringLiteral("http://example.com/bb"));
        QTest::keyClick(v.text(), Qt::Key_Down);
        QTest::keyClick(v.window.addressBox(), Qt::Key_Return);
        QCOMPARE(v.opened, std::vector<std::string>{"http://example.com/ccc"});

        // The gutter follows the scrolled text while the window is active.
        v.window.setLinksText(QStringLiteral("http://example.com/\n").repeated(300));
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        v.text()->verticalScrollBar()->setValue(10);
        QTRY_COMPARE_WITH_TIMEOUT(v.window.gutterLabel(0)->text(), QStringLiteral("11 "), 500);
        v.window.close();
        QVERIFY(!v.window.gutterTimer().isActive());
        QVERIFY(!v.window.statusTimer().isActive());
    }

    // Edit > Find shows the dialog with its buttons; a miss of Find Next is a plain box, of
    // F3 an information; Ctrl+Alt+R paints a random background; File menu and printing.
    void menusAndShortcuts() {
        Viewer v;
        v.window.setLinksText(QStringLiteral("x abcd abc\nabc"));
        v.window.show();
        v.entry(QStringLiteral("Find"))->trigger();
        FindDialog* find = v.window.findDialog();
        QTRY_VERIFY(find->isVisible());
        QStringList buttons;
        for (const QPushButton* b : find->findChildren<QPushButton*>())
            if (b->isVisible())
                buttons << b->text();
        QCOMPARE(buttons, (QStringList{"&Find Next", "Cancel"}));
        for (const QRadioButton* r : find->findChildren<QRadioButton*>())
            QVERIFY(r->isVisible());
        QVERIFY(!find->findNextButton()->isEnabled()); // no text yet
        find->setFindText(QStringLiteral("abc"));
        find->setOptions({true, false, true});
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QCOMPARE(v.text()->textCursor().selectionStart(), 7);
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        v.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v.window));
        QTest::keyClick(v.text(), Qt::Key_F3);
        QCOMPARE(v.text()->textCursor().selectionStart(), 2);
        find->setFindText(QStringLiteral("zzz"));
        QTest::keyClick(v.text(), Qt::Key_F3);
        QCOMPARE(v.messages.texts().at(0), std::string("Cannot find \"abc \""));
        QCOMPARE(v.messages.shown.at(0).icon, MessageIcon::None);
        QCOMPARE(v.messages.shown.at(1).icon, MessageIcon::Information);

        QTest::keyClick(v.text(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        // Pure white is never drawn, so the shortcut always changes the white background.
        const QColor drawn = v.text()->palette().color(QPalette::Base);
        QVERIFY(drawn != QColor(Qt::white));
        QCOMPARE(v.window.strip()->palette().color(QPalette::Window), drawn);
        v.window.setRandomBackground(0x0000FF); // red: dark, so white text
        QCOMPARE(v.text()->palette().color(QPalette::Text), QColor(Qt::white));

        // Import and Export run the main window's commands; a print fills the pages needed.
        QString ran;
        v.window.setImportCommand([&] { ran += QLatin1Char('i'); });
        v.window.setExportCommand([&] { ran += QLatin1Char('e'); });
        v.entry(QStringLiteral("Import"))->trigger();
        v.entry(QStringLiteral("Export"))->trigger();
        QCOMPARE(ran, QStringLiteral("ie"));
        v.window.setLinksText(QStringLiteral("http://example.com/page\n").repeated(200));
        test::TempDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(dir.file("links.pdf")));
        QVERIFY(v.window.printTo(printer));
        QFile file(printer.outputFileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        // 200 lines at 12 points fill more than two pages (one more "/Type /Pages").
        QVERIFY(file.readAll().count("/Type /Page") >= 4);
    }
};

QTEST_MAIN(LinksWindowTest)
#include "links_window_test.moc"
