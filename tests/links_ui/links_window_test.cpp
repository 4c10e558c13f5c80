#include "links/find_dialog.h"
#include "links/window.h"
#include "tests/support/temp_dir.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

using namespace trov;

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

} // namespace

class LinksWindowTest : public QObject {
    Q_OBJECT

private slots:
    void createdHiddenWithItsCaptionAndEmptyText() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        QVERIFY(!window.isVisible());
        QCOMPARE(window.windowTitle(), QStringLiteral("Trov - Links from a website"));
        QCOMPARE(window.size(), QSize(898, 677));
        QVERIFY(window.linksText().isEmpty());
        QVERIFY(window.textArea()->isReadOnly());
        QCOMPARE(window.gutterLabel(0)->text(), QStringLiteral("1 "));
        QCOMPARE(window.gutterLabel(249)->text(), QStringLiteral("250 "));
        QCOMPARE(window.statusTimer().interval(), 125);
        QVERIFY(!window.statusTimer().isActive()); // hidden: nothing to refresh
        QCOMPARE(window.gutterTimer().interval(), 75);
        QCOMPARE(window.sizeCell()->text(), QStringLiteral("Characters: 0"));
    }

    void clickingTheThirdLineSelectsItIntoTheAddressBox() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.showLinks(QStringLiteral("Trov -  All links on a website: example.com"),
                         {QStringLiteral("http://example.com/a"),
                          QStringLiteral("http://example.com/bb"),
                          QStringLiteral("http://example.com/ccc")});
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(),
                 QStringLiteral("Trov -  All links on a website: example.com"));
        QPlainTextEdit* text = window.textArea();
        QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, pointOfLine(text, 2));
        QCOMPARE(text->textCursor().selectedText(), QStringLiteral("http://example.com/ccc"));
        QCOMPARE(window.addressBox()->text(), QStringLiteral("http://example.com/ccc"));
        QTRY_COMPARE_WITH_TIMEOUT(window.lineCell()->text(), QStringLiteral("Ln 3 : 3"), 1000);
        QCOMPARE(window.sizeCell()->text(), QStringLiteral("Characters: 66"));
    }

    void arrowKeysSelectTheLineTheyReach() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.setLinksText(QStringLiteral("one\ntwo\nthree"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPlainTextEdit* text = window.textArea();
        text->setFocus();
        QTest::keyClick(text, Qt::Key_Down);
        QCOMPARE(window.addressBox()->text(), QStringLiteral("two"));
        QTest::keyClick(text, Qt::Key_Down);
        QCOMPARE(window.addressBox()->text(), QStringLiteral("three"));
        QTest::keyClick(text, Qt::Key_Up);
        QCOMPARE(window.addressBox()->text(), QStringLiteral("two"));
        window.refreshStatus();
        QCOMPARE(window.lineCell()->text(), QStringLiteral("Ln 2 : 3"));
        QCOMPARE(window.columnCell()->text(), QStringLiteral("Col 4 : 3"));
        QVERIFY(window.columnCell()->isHidden());
    }

    void gutterFollowsTheScrolledText() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        QStringList lines;
        for (int i = 1; i <= 300; ++i)
            lines << QStringLiteral("http://example.com/%1").arg(i);
        window.showLinks(QStringLiteral("Trov"), lines);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(window.gutterTimer().isActive());
        QVERIFY(window.statusTimer().isActive());
        window.textArea()->verticalScrollBar()->setValue(10);
        QTRY_COMPARE_WITH_TIMEOUT(window.gutterLabel(0)->text(), QStringLiteral("11 "), 500);
        QCOMPARE(window.gutterLabel(1)->text(), QStringLiteral("12 "));
        window.textArea()->verticalScrollBar()->setValue(0);
        QTRY_COMPARE_WITH_TIMEOUT(window.gutterLabel(0)->text(), QStringLiteral("1 "), 500);
        window.close();
        QVERIFY(!window.isVisible());
        QVERIFY(!window.gutterTimer().isActive());
        QVERIFY(!window.statusTimer().isActive());
    }

    void findInBothDirections() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.setLinksText(QStringLiteral("abc abc ABC abcd"));
        FindDialog* find = window.findDialog();
        find->setFindText(QStringLiteral("abc"));
        struct Step {
            links::FindOptions options;
            int start; // -1: not found
        } steps[] = {
            {{true, false, false}, 4}, // the first character is not a candidate
            {{true, false, false}, 8}, {{true, true, false}, 12},  {{false, false, false}, 8},
            {{false, true, false}, 4}, {{false, false, false}, 0}, {{false, false, false}, -1},
        };
        for (const Step& step : steps) {
            find->setOptions(step.options);
            messages.shown.clear();
            window.findNext();
            const QTextCursor cursor = window.textArea()->textCursor();
            if (step.start < 0) {
                QCOMPARE(messages.shown, std::vector<std::string>{"Cannot find \"abc \""});
                QCOMPARE(cursor.selectionStart(), 0);
            } else {
                QVERIFY(messages.shown.empty());
                QCOMPARE(cursor.selectionStart(), step.start);
                QCOMPARE(cursor.selectionEnd(), step.start + 3);
            }
        }
    }

    void findWholeWordThroughTheDialogButton() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.setLinksText(QStringLiteral("x abcd abc\nabc"));
        FindDialog* find = window.findDialog();
        find->setFindText(QStringLiteral("abc"));
        find->setOptions({true, false, true});
        QVERIFY(find->findNextButton()->isEnabled());
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QCOMPARE(window.textArea()->textCursor().selectionStart(), 7);
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QCOMPARE(window.textArea()->textCursor().selectionStart(), 11);
        QTest::mouseClick(find->findNextButton(), Qt::LeftButton);
        QCOMPARE(messages.shown, std::vector<std::string>{"Cannot find \"abc \""});
        find->setFindText(QString());
        QVERIFY(!find->findNextButton()->isEnabled());
    }

    void hiddenFindNextAlwaysStartsAtTheTop() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.setLinksText(QStringLiteral("Abc abc abc"));
        window.findDialog()->setFindText(QStringLiteral("abc"));
        window.findFirst();
        QCOMPARE(window.textArea()->textCursor().selectionStart(), 4);
        window.findFirst();
        QCOMPARE(window.textArea()->textCursor().selectionStart(), 4);
        window.findDialog()->setFindText(QStringLiteral("ABC"));
        window.findFirst();
        QCOMPARE(messages.shown, std::vector<std::string>{"Cannot find ABC"});
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

    void openUrlHandsOnlyWebAddressesOn() {
        RecordedMessages messages;
        std::vector<std::string> opened;
        Tflinks window(messages, [&](const std::string& a) { opened.push_back(a); });
        const struct {
            QString text;
            bool opens;
        } cases[] = {
            {QStringLiteral("https://example.com/page"), true},
            {QStringLiteral("file:///etc/passwd"), false},
            {QStringLiteral("javascript:alert(1)"), false},
            {QStringLiteral("/usr/bin/xterm"), false},
            {QStringLiteral("ftp://files.example.com/"), true},
        };
        for (const auto& c : cases) {
            opened.clear();
            messages.shown.clear();
            window.addressBox()->setText(c.text);
            window.openAddress();
            QCOMPARE(opened.size(), c.opens ? 1u : 0u);
            QCOMPARE(messages.shown.size(), c.opens ? 0u : 1u);
            if (c.opens)
                QCOMPARE(QString::fromStdString(opened.front()), c.text);
        }
    }

    void printsEveryLineToAPdf() {
        RecordedMessages messages;
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
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.size() > 2000);
        // 200 lines at 12 points do not fit one page.
        const qsizetype pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") +
                                bytes.count("/Type /Page>");
        QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    }

    void menusAndHiddenShortcuts() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        int imports = 0, exports = 0;
        window.setImportCommand([&] { ++imports; });
        window.setExportCommand([&] { ++exports; });
        QStringList captions;
        for (QAction* menu : window.menuBar()->actions()) {
            captions << menu->text();
            for (QAction* entry : menu->menu()->actions())
                captions << entry->text();
        }
        QCOMPARE(captions, (QStringList{"File", "Import", "Export", "Print", "Close", "Edit",
                                        "Undo", "Copy line", "Sellect All", "Find"}));
        window.menuBar()->actions()[0]->menu()->actions()[0]->trigger();
        window.menuBar()->actions()[0]->menu()->actions()[1]->trigger();
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
    }

    void randomBackgroundPicksTheTextColour() {
        RecordedMessages messages;
        Tflinks window(messages, {});
        window.setRandomBackground(0x000000);
        QCOMPARE(window.textArea()->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(window.strip()->palette().color(QPalette::Window), QColor(Qt::black));
        window.setRandomBackground(0x00FF00); // green: bright
        QCOMPARE(window.textArea()->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(window.textArea()->palette().color(QPalette::Base), QColor(0, 255, 0));
        window.setRandomBackground(0x0000FF); // red: dark
        QCOMPARE(window.textArea()->palette().color(QPalette::Text), QColor(Qt::white));
        QCOMPARE(window.textArea()->palette().color(QPalette::Base), QColor(255, 0, 0));
    }
};

QTEST_MAIN(LinksWindowTest)
#include "links_window_test.moc"
