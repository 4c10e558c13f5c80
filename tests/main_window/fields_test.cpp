// Keys and mouse in the four text fields, the suggestion owner rule and the drop-down.

#include "app/suggestion_list.h"
#include "main_form_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

using namespace trov;
using namespace trov::test;

namespace {

struct HistoryShown : FormCommands {
    void showHistory() override {}
    void showSuggestionsManager() override {}
    void saveSettingsFile() override {}
    void openSettingsFile() override {}
    void resetAllSettings() override {}
    void broom() override {}
    bool historyWindowShown() const override { return shown; }
    bool shown = false;
};

QStringList rows(const QListWidget* list) {
    QStringList r;
    for (int i = 0; i < list->count(); ++i)
        r << list->item(i)->text();
    return r;
}

} // namespace

class FieldsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;
    QListWidget* list() { return w_->dropDown().widget(); }

    void make(const std::string& store = "|Cats|;|atlas|;|Bat", FormCommands* commands = nullptr) {
        f_ = std::make_unique<MainFormFixture>();
        f_->writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n");
        f_->dir().write("gs1001.sgg", store + "\r\n");
        w_ = &f_->create();
        f_->services->formCommands = commands;
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
        QApplication::setActiveWindow(w_);
    }
    void type(QLineEdit* e, const QString& text) {
        e->setFocus();
        QTest::keyClicks(e, text);
    }
    // Types into a cleared field and steps into the drop-down.
    void openAndEnter(QLineEdit* e, const QString& text = QStringLiteral("at")) {
        e->clear();
        type(e, text);
        QVERIFY(list()->isVisible());
        QTest::keyClick(e, Qt::Key_Down);
    }

private slots:
    void cleanup() {
        w_ = nullptr;
        f_.reset();
    }

    // Go from each field, storing the owner's text as a suggestion.
    void enterInEachFieldRunsGo() {
        make("");
        const MainFormWidgets& w = w_->widgets();
        type(w.eURL, QStringLiteral("cats"));
        w_->toggleExpanded();
        const AdvancedFields& a = w_->advanced();
        int n = 0;
        for (QLineEdit* e : {w.eURL, a.eexact, a.eexclude, a.edomain}) {
            QTest::keyClick(e, Qt::Key_Return);
            QCOMPARE(static_cast<int>(f_->launcher.launches.size()), ++n);
        }
        QVERIFY(f_->launcher.launches[0].address.rfind("https://www.google.com/search?", 0) == 0);
        QCOMPARE(f_->dir().read("gs1001.sgg"), std::string("|cats\r\n"));
    }

    void typingOpensTheDropDownUnderTheSearchBox() {
        make();
        type(w_->widgets().eURL, QStringLiteral("at"));
        QVERIFY(list()->isVisible());
        QCOMPARE(rows(list()), (QStringList{"atlas", "Cats", "Bat "}));
        // Placement: one pixel into the frame's bottom, the search box's left and width.
        QCOMPARE(list()->geometry().top(), 12 + 30 - 1);
        QCOMPARE(list()->geometry().left(), 11);
        QCOMPARE(list()->width(), 436);
        // Collapsed: one row whatever the matches; expanded, under the exact phrase's frame.
        QCOMPARE(list()->height() - 2 * list()->frameWidth(), 17);
        w_->toggleExpanded();
        type(w_->advanced().eexact, QStringLiteral("at"));
        QCOMPARE(list()->height() - 2 * list()->frameWidth(), 3 * 17);
        QCOMPARE(list()->geometry().top(), 114 + 25 - 1);
    }

    void escEmptiesTheOwnerEvenWhenAnotherFieldHasTheFocus() {
        make();
        w_->toggleExpanded();
        const MainFormWidgets& w = w_->widgets();
        type(w_->advanced().eexact, QStringLiteral("ca"));
        QVERIFY(list()->isVisible());
        QTest::mouseClick(w.eURL, Qt::LeftButton);
        w.eURL->setFocus();
        QTest::keyClick(w.eURL, Qt::Key_Escape);
        QCOMPARE(w_->advanced().eexact->text(), QString());
        QVERIFY(!list()->isVisible());
        QCOMPARE(w_->form().suggestionOwner(), OwnerField::Exact);
        // The clearing did not reopen it; the next typing does.
        QTest::keyClicks(w.eURL, QStringLiteral("b"));
        QVERIFY(list()->isVisible());
        QCOMPARE(rows(list()), QStringList{"Bat "});
    }

    void escAndDownWithNothingToDo() {
        make();
        QLineEdit* e = w_->widgets().eURL;
        e->setText(QStringLiteral("zzz"));
        QTest::keyClick(e, Qt::Key_Down);
        QVERIFY(!list()->isVisible());
        QCOMPARE(e->text(), QStringLiteral("zzz"));
        e->clear();
        QTest::keyClick(e, Qt::Key_Escape);
        type(e, QStringLiteral("c"));
        QVERIFY(list()->isVisible());
    }

    void downTakesTheFocusAndCopiesTheFirstRow() {
        make();
        w_->toggleExpanded();
        for (QLineEdit* e : {w_->widgets().eURL, w_->advanced().eexact, w_->advanced().eexclude,
                             w_->advanced().edomain}) {
            openAndEnter(e);
            QVERIFY(list()->hasFocus());
            QCOMPARE(list()->currentRow(), 0);
            QCOMPARE(e->text(), QStringLiteral("atlas"));
            // Arrow keys in the list copy each row into the owner.
            QTest::keyClick(list(), Qt::Key_Down);
            QCOMPARE(e->text(), QStringLiteral("Cats"));
            // Up on the first row goes back to the field.
            QTest::keyClick(list(), Qt::Key_Up);
            QTest::keyClick(list(), Qt::Key_Up);
            QVERIFY(e->hasFocus());
            QCOMPARE(e->text(), QStringLiteral("atlas"));
            w_->dropDown().hide();
        }
    }

    void dropDownEnterEscAndDoubleClick() {
        make();
        QLineEdit* e = w_->widgets().eURL;
        openAndEnter(e);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(f_->launcher.launches.size(), std::size_t(1));
        QVERIFY(f_->launcher.launches[0].address.find("q=atlas") != std::string::npos);
        QVERIFY(!list()->isVisible());
        openAndEnter(e);
        QTest::keyClick(list(), Qt::Key_Escape);
        QCOMPARE(e->text(), QString());
        QVERIFY(e->hasFocus());
        QVERIFY(!list()->isVisible());
        type(e, QStringLiteral("at"));
        const QPoint at = list()->visualItemRect(list()->item(1)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(e->text(), QStringLiteral("Cats"));
        QCOMPARE(f_->launcher.launches.size(), std::size_t(2));
        QVERIFY(!list()->isVisible());
    }

    void clickAndFocusHideTheDropDown() {
        make();
        w_->toggleExpanded();
        const MainFormWidgets& w = w_->widgets();
        type(w.eURL, QStringLiteral("at"));
        QVERIFY(list()->isVisible());
        w_->advanced().eexact->setFocus(); // entering eexact keeps it
        QVERIFY(list()->isVisible());
        w_->advanced().eexclude->setFocus();
        QVERIFY(!list()->isVisible());
        type(w.eURL, QStringLiteral("l"));
        QVERIFY(list()->isVisible());
        QTest::mouseClick(w.eURL, Qt::LeftButton);
        QVERIFY(!list()->isVisible());
        // A double click makes the field the owner and refreshes.
        QTest::mouseDClick(w.eURL, Qt::LeftButton);
        QVERIFY(list()->isVisible());
        QTest::mousePress(w_, Qt::LeftButton, {}, QPoint(300, 60));
        QTest::mouseRelease(w_, Qt::LeftButton, {}, QPoint(300, 60));
        QVERIFY(!list()->isVisible());
    }

    void noDropDownWhileTheHistoryWindowIsShown() {
        HistoryShown history;
        history.shown = true;
        make("|cats", &history);
        QTest::keyClicks(w_->widgets().eURL, QStringLiteral("c"));
        QVERIFY(!list()->isVisible());
        history.shown = false;
        QTest::keyClicks(w_->widgets().eURL, QStringLiteral("a"));
        QVERIFY(list()->isVisible());
        f_->services->formCommands = nullptr;
    }

    void deleteSearchSuggestion() {
        make("|Cats|;|atlas|;|Bat|;|CATS");
        QLineEdit* e = w_->widgets().eURL;
        openAndEnter(e, QStringLiteral("ca"));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("CATS "));
        w_->dropDown().menu()->actions().at(0)->trigger();
        QCOMPARE(e->text(), QString());
        QVERIFY(!list()->isVisible());
        QCOMPARE(f_->dir().read("gs1001.sgg"), std::string("|atlas|;|Bat\r\n"));
    }
};

QTEST_MAIN(FieldsTest)
#include "fields_test.moc"
