#include "links/find_dialog.h"
#include "links/window.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

using namespace trov;
using test::ShownTexts;

namespace {

struct RecordedMessages : Messages {
    std::vector<std::string> shown;
    std::vector<MessageIcon> icons;
    void show(MessageIcon icon, const std::string& text, bool) override {
        shown.push_back(text);
        icons.push_back(icon);
    }
    bool ask(const std::string&) override { return false; }
};

QPoint pointOfLine(QPlainTextEdit* text, int line) {
    QTextCursor cursor(text->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    return text->cursorRect(cursor).center();
}

// The entries of the viewer's menu bar by caption.
QAction* entry(Tflinks& window, const QString& caption) {
    for (QAction* menu : window.menuBar()->actions())
        for (QAction* a : menu->menu()->actions())
            if (a->text() == caption)
                return a;
    return nullptr;
}

} // namespace

class LinksWindowTest : public QObject {
    Q_OBJECT

private slots:
    void createdHiddenAndEmpty() {
        ShownTexts messages;
        Tflinks window(messages, {});
        QVERIFY(!window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Trov - Links from a website"));
        QVERIFY(window.textArea()->isReadOnly() && window.linksText().isEmpty());
        QCOMPARE(window.gutterLabel(249)->text(), QStringLiteral("250 "));
        QVERIFY(!window.statusTimer().isActive()); // hidden: nothing to refresh
    }

    void aClickOrAnArrowKeySelectsTheLineIntoTheAddressBox() {
        ShownTexts messages;
        Tflinks window(messages, {});
        window.showLinks(QStringLiteral("Trov -  All links on a website: example.com"),
                         {QStringLiteral("http://example.com/a"),
                          QStringLiteral("http://example.com/bb"),
                          QStringLiteral("http://example.com/ccc")});
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPlainTextEdit* text = window.textArea();
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, pointOfLine(text, 2));
        QCOMPARE(text->textCursor().selectedText(), QStringLiteral("http://example.com/ccc"));
        QCOMPARE(window.addressBox()->text(), QStringLiteral("http://example.com/ccc"));
        QTRY_COMPARE_WITH_TIMEOUT(window.lineCell()->text(), QStringLiteral("Ln 3 : 3"), 1000);
        QCOMPARE(window.sizeCell()->text(), QStringLiteral("Characters: 66"));
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Up);
        QCOMPARE(window.addressBox()->text(), QStringLiteral("http://example.com/bb"));
        QTest::keyClick(text, Qt::Key_Down);
        QCOMPARE(window.addressBox()->text(), QStringLiteral("http://example.com/ccc"));
        QVERIFY(window.columnCell()->isHidden());
    }

    void gutterFollowsTheScrolledText() {
        ShownTexts messages;
        Tflinks window(messages, {});
        QStringList lines;
        for (int i = 1; i <= 300; ++i)
            lines << QStringLiteral("http://example.com/%1").arg(i);
        window.showLinks(QStringLiteral("Trov"), lines);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.statusTimer().isActive());
        window.textArea()->verticalScrollBar()->setValue(10);
        QTRY_COMPARE_WITH_TIMEOUT(window.gutterLabel(0)->text(), QStringLiteral("11 "), 500);
        window.close();
        QVERIFY(!window.gutterTimer().isActive());
        QVERIFY(!window.statusTimer().isActive());
    }

    // Edit > Find shows the dialog with its buttons; Find Next searches the viewer.
    void theFindDialog() {
        ShownTexts messages;
        Tflinks window(messages, {});
        window.setLinksText(QStringLiteral("x abcd abc\nabc"));
        window.show();
        entry(window, QStringLiteral("Find"))->trigger();
        FindDialog* find = window.findDialog();
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
        QCOMPARE(window.textArea()->textCursor().selectionStart(), 7);
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QCOMPARE(messages.shown, std::vector<std::string>{"Cannot find \"abc \""});
    }

    void cannotFindIsAPlainBoxAndF3AnInformation() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.setLinksText(QStringLiteral("abc"));
        window.findDialog()->setFindText(QStringLiteral("x"));
        window.findNext();
        window.findFirst();
        QCOMPARE(messages.icons,
                 (std::vector<MessageIcon>{MessageIcon::None, MessageIcon::Information}));
    }

    void openUrlHandsTheAddressToTheOpener() {
        ShownTexts messages;
        std::vector<std::string> opened;
        Tflinks window(messages, [&](const std::string& a) { opened.push_back(a); });
        window.addressBox()->setText(QStringLiteral("https://example.com/page"));
        window.openAddress();
        QCOMPARE(opened, std::vector<std::string>{"https://example.com/page"});
    }

    void printsEveryLineToAPdf() {
        ShownTexts messages;
        Tflinks window(messages, {});
        QStringList lines;
        for (int i = 1; i <= 200; ++i)
            lines << QStringLiteral("http://example.com/page/%1").arg(i);
        window.setLinksText(lines.join(QLatin1Char('\n')));
        test::TempDir dir;
        const QString pdf = QString::fromStdString(dir.file("links.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(window.printTo(printer));
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // 200 lines at 12 points do not fit one page.
        const qsizetype pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                                bytes.count("/Type /Page>");
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    }

    void menusAndHiddenShortcuts() {
        ShownTexts messages;
        Tflinks window(messages, {});
        int imports = 0, exports = 0;
        window.setImportCommand([&] { ++imports; });
        window.setExportCommand([&] { ++exports; });
        QStringList captions;
        for (QAction* menu : window.menuBar()->actions()) {
            captions << menu->text();
            for (QAction* a : menu->menu()->actions())
                captions << a->text();
        }
        QCOMPARE(captions, (QStringList{"File", "Import", "Export", "Print", "Close", "Edit",
                                        "Undo", "Copy line", "Sellect All", "Find"}));
        entry(window, QStringLiteral("Import"))->trigger();
        entry(window, QStringLiteral("Export"))->trigger();
        QCOMPARE(imports, 1);
        QCOMPARE(exports, 1);

        window.setLinksText(QStringLiteral("one two"));
        window.findDialog()->setFindText(QStringLiteral("two"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(window.textArea(), Qt::Key_F3);
        QCOMPARE(window.textArea()->textCursor().selectedText(), QStringLiteral("two"));
        QTest::keyClick(window.textArea(), Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        // Pure white is never drawn, so the shortcut always changes the white background.
        const QColor drawn = window.textArea()->palette().color(QPalette::Base);
        QVERIFY(drawn != QColor(Qt::white));
        QCOMPARE(window.strip()->palette().color(QPalette::Window), drawn);
        window.setRandomBackground(0x0000FF); // red: dark, so white text
        QCOMPARE(window.textArea()->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(window.textArea()->palette().color(QPalette::Base), QColor(255, 0, 0));
    }
};

QTEST_MAIN(LinksWindowTest)
#include "links_window_test.moc"
