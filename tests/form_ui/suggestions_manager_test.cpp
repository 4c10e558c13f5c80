#include "suggest/manager_window.h"
#include "tests/form_ui/fakes.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <memory>

using namespace trov;

namespace {

struct Rig {
    test::TempDir dir;
    SuggestionStore store{dir.file("gs1001.sgg")};
    SuggestionManager manager;
    test::ScriptedMessages messages;
    std::unique_ptr<TfSugg> dialog;

    explicit Rig(const std::string& line = "|cats|;|Bat|;|atlas|;|dogs\r\n") {
        dir.write("gs1001.sgg", line);
        store.load({});
        dialog = std::make_unique<TfSugg>(manager, store, messages);
        dialog->refill();
        dialog->show();
    }
    QListWidget* list() const { return dialog->list(); }
    QStringList rows() const {
        QStringList out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->text();
        return out;
    }
    QList<bool> marks() const {
        QList<bool> out;
        for (int i = 0; i < list()->count(); ++i)
            out << (list()->item(i)->checkState() == Qt::Checked);
        return out;
    }
    QList<bool> highlights() const {
        QList<bool> out;
        for (int i = 0; i < list()->count(); ++i)
            out << list()->item(i)->isSelected();
        return out;
    }
    QPoint textPoint(int row) const {
        const QRect r = list()->visualItemRect(list()->item(row));
        return QPoint(r.right() - 20, r.center().y());
    }
    QPoint boxPoint(int row) const {
        const QRect r = list()->visualItemRect(list()->item(row));
        return QPoint(r.left() + 8, r.center().y());
    }
    void click(QPoint p) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, p); }
    void press(const QString& caption) {
        QPushButton* b = dialog->button(caption);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
};

} // namespace

class SuggestionsManagerTest : public QObject {
    Q_OBJECT

private slots:
    // A click on the text or on the box, Space and the buttons each reach the marks once.
    void listsTheStoreAndMarksByMouseKeysAndButtons() {
        Rig rig;
        QVERIFY(rig.dialog->isModal());
        QCOMPARE(rig.rows(), (QStringList{"atlas", "Bat", "cats", "dogs "}));
        rig.click(rig.textPoint(1));
        QCOMPARE(rig.marks(), (QList<bool>{false, true, false, false}));
        rig.click(rig.boxPoint(1));
        rig.click(rig.boxPoint(2));
        QCOMPARE(rig.marks(), (QList<bool>{false, false, true, false}));
        rig.list()->setFocus();
        rig.list()->setCurrentRow(3);
        QTest::keyClick(rig.list(), Qt::Key_Space);
        QCOMPARE(rig.marks(), (QList<bool>{false, false, true, true}));
        rig.press(QStringLiteral("Invert selection"));
        QCOMPARE(rig.marks(), (QList<bool>{true, true, false, false}));
        rig.press(QStringLiteral("Select all"));
        QCOMPARE(rig.marks(), (QList<bool>{true, true, true, true}));
    }

    void findHighlightsWithoutMarking() {
        Rig rig;
        rig.dialog->findField()->setText(QStringLiteral("AT"));
        QTest::keyClick(rig.dialog->findField(), Qt::Key_Return);
        QVERIFY(rig.dialog->isVisible()); // Enter was consumed
        QCOMPARE(rig.highlights(), (QList<bool>{true, true, true, false}));
        QCOMPARE(rig.marks(), (QList<bool>{false, false, false, false}));
        rig.dialog->findField()->setText(QString());
        rig.press(QStringLiteral("Find"));
        QCOMPARE(rig.highlights(), (QList<bool>{false, false, false, false}));
    }

    void deleteAsksAndOnlyYesDeletesTheMarkedRows() {
        Rig rig;
        rig.click(rig.textPoint(0));
        rig.click(rig.textPoint(2));
        rig.dialog->findField()->setText(QStringLiteral("dogs"));
        rig.press(QStringLiteral("Find")); // highlighted, not marked: stays
        rig.press(QStringLiteral("Delete"));
        QCOMPARE(rig.messages.asked.size(), std::size_t(1));
        QCOMPARE(rig.rows().size(), 4);

        rig.messages.answers = {true};
        rig.press(QStringLiteral("Delete"));
        QCOMPARE(rig.rows(), (QStringList{"Bat", "dogs "}));
        QCOMPARE(rig.dir.read("gs1001.sgg"), std::string("|Bat|;|dogs\r\n"));
    }

    void noToDeleteKeepsMarksSelectionAndScrollPosition() {
        std::string line;
        for (int i = 0; i < 100; ++i)
            line += (i ? "|;|" : "|") + std::to_string(1000 + i);
        Rig rig(line + "\r\n");
        QScrollBar* bar = rig.list()->verticalScrollBar();
        bar->setValue(bar->maximum());
        const int row = rig.list()->indexAt(QPoint(5, 5)).row();
        rig.click(rig.textPoint(row));
        const int scrolled = bar->value();
        const QList<bool> marks = rig.marks();
        rig.press(QStringLiteral("Delete"));
        QCOMPARE(rig.messages.asked.size(), std::size_t(1));
        QCOMPARE(bar->value(), scrolled);
        QCOMPARE(rig.marks(), marks);
        QCOMPARE(rig.list()->currentRow(), row);
        QVERIFY(rig.list()->item(row)->isSelected());
    }

    void escAndCloseEndTheDialogWithoutWriting() {
        Rig rig;
        rig.click(rig.textPoint(0));
        QTest::keyClick(rig.list(), Qt::Key_Escape);
        QVERIFY(!rig.dialog->isVisible());
        rig.dialog->show();
        rig.press(QStringLiteral("Close"));
        QVERIFY(!rig.dialog->isVisible());
        QCOMPARE(rig.dir.read("gs1001.sgg"), std::string("|cats|;|Bat|;|atlas|;|dogs\r\n"));
        rig.dialog->refill(); // marks are lost at the next filling
        QCOMPARE(rig.marks(), (QList<bool>{false, false, false, false}));
    }
};

QTEST_MAIN(SuggestionsManagerTest)
#include "suggestions_manager_test.moc"
