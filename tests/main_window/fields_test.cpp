// Keys and mouse in the four text fields, the suggestion owner and the drop-down, and the
// commands around the fields that rewrite them.

#include "app/form_windows.h"
#include "app/main_menus.h"
#include "app/suggestion_list.h"
#include "history/fill_fields.h"
#include "history/window.h"
#include "main_form_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

class FieldsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    std::unique_ptr<FormWindows> windows_;
    TMainForm* w_ = nullptr;
    QListWidget* list() { return w_->dropDown().widget(); }
    QLineEdit* words() { return w_->widgets().eURL; }
    QStringList rows() {
        QStringList r;
        for (int i = 0; i < list()->count(); ++i)
            r << list()->item(i)->text();
        return r;
    }

    // A shown window with the history window, the settings commands and the broom.
    void make(const std::string& store = "|Cats|;|atlas|;|Bat") {
        cleanup();
        f_ = std::make_unique<MainFormFixture>();
        w_ = &f_->shown(store);
        FormWindowHooks hooks;
        hooks.files = &f_->files;
        windows_ = std::make_unique<FormWindows>(*w_, *f_->history, *f_->suggestions, *f_->config,
                                                 f_->messages, DataFolder(f_->folder()), hooks);
        f_->services->formCommands = windows_.get();
    }
    static void type(QLineEdit* e, const QString& text) {
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
        if (f_)
            f_->services->formCommands = nullptr;
        windows_.reset();
        w_ = nullptr;
        f_.reset();
    }

    // Go from each field, storing the owner's text as a suggestion.
    void enterInEachFieldRunsGo() {
        make("");
        type(words(), QStringLiteral("cats"));
        w_->toggleExpanded();
        const AdvancedFields& a = w_->advanced();
        int n = 0;
        for (QLineEdit* e : {words(), a.eexact, a.eexclude, a.edomain}) {
            QTest::keyClick(e, Qt::Key_Return);
            QCOMPARE(static_cast<int>(f_->launcher.launches.size()), ++n);
        }
        QCOMPARE(f_->dir().read("gs1001.sgg"), std::string("|cats\r\n"));
    }

    // Under the search box one row whatever the matches; expanded, under the exact phrase.
    void typingOpensTheDropDownUnderTheOwner() {
        make();
        type(words(), QStringLiteral("at"));
        QCOMPARE(rows(), (QStringList{"atlas", "Cats", "Bat "}));
        QCOMPARE(list()->geometry().topLeft(), QPoint(11, 12 + 30 - 1));
        QCOMPARE(list()->height() - 2 * list()->frameWidth(), 17);
        w_->toggleExpanded();
        type(w_->advanced().eexact, QStringLiteral("at"));
        QCOMPARE(list()->height() - 2 * list()->frameWidth(), 3 * 17);
        QCOMPARE(list()->geometry().top(), 114 + 25 - 1);
        // Not while the history window is shown.
        windows_->showHistory();
        w_->dropDown().hide();
        words()->clear();
        type(words(), QStringLiteral("c"));
        QVERIFY(!list()->isVisible());
        windows_->historyWindow().hide();
        type(words(), QStringLiteral("a"));
        QVERIFY(list()->isVisible());
    }

    // Esc empties the owner even when another field has the focus; the clearing does not
    // reopen the list, the next typing does. With nothing to clear it swallows no letter.
    void escEmptiesTheOwner() {
        make();
        w_->toggleExpanded();
        type(w_->advanced().eexact, QStringLiteral("ca"));
        QTest::mouseClick(words(), Qt::LeftButton);
        words()->setFocus();
        QTest::keyClick(words(), Qt::Key_Escape);
        QVERIFY(w_->advanced().eexact->text().isEmpty() && !list()->isVisible());
        QCOMPARE(w_->form().suggestionOwner(), OwnerField::Exact);
        QTest::keyClicks(words(), QStringLiteral("b"));
        QCOMPARE(rows(), QStringList{"Bat "});
        words()->setText(QStringLiteral("zzz"));
        QTest::keyClick(words(), Qt::Key_Down); // nothing to step into
        QCOMPARE(words()->text(), QStringLiteral("zzz"));
        words()->clear();
        QTest::keyClick(words(), Qt::Key_Escape);
        type(words(), QStringLiteral("c"));
        QVERIFY(list()->isVisible());
    }

    // Down takes the focus and copies the first row; arrows copy each row into the owner,
    // Up on the first row goes back to the field.
    void downTakesTheFocusAndCopiesTheFirstRow() {
        make();
        w_->toggleExpanded();
        const AdvancedFields& a = w_->advanced();
        for (QLineEdit* e : {words(), a.eexact, a.eexclude, a.edomain}) {
            openAndEnter(e);
            QVERIFY(list()->hasFocus() && list()->currentRow() == 0);
            QCOMPARE(e->text(), QStringLiteral("atlas"));
            QTest::keyClick(list(), Qt::Key_Down);
            QCOMPARE(e->text(), QStringLiteral("Cats"));
            QTest::keyClick(list(), Qt::Key_Up);
            QTest::keyClick(list(), Qt::Key_Up);
            QVERIFY(e->hasFocus() && e->text() == QStringLiteral("atlas"));
            w_->dropDown().hide();
        }
        // Only a row chosen in the list replaces typed text; Down in eexact while eURL owns
        // the list puts the first row into eexact.
        words()->clear();
        type(words(), QStringLiteral("at"));
        list()->setFocus(Qt::TabFocusReason);
        QCOMPARE(words()->text(), QStringLiteral("at"));
        a.eexact->clear();
        a.eexact->setFocus();
        QTest::keyClick(a.eexact, Qt::Key_Down);
        QVERIFY(a.eexact->text() == QStringLiteral("atlas") && words()->text() == "at");
    }

    void dropDownEnterEscAndDoubleClick() {
        make();
        openAndEnter(words());
        QTest::keyClick(list(), Qt::Key_Return);
        QVERIFY(f_->launcher.launches.at(0).address.find("q=atlas") != std::string::npos);
        QVERIFY(!list()->isVisible());
        openAndEnter(words());
        QTest::keyClick(list(), Qt::Key_Escape);
        QVERIFY(words()->text().isEmpty() && words()->hasFocus() && !list()->isVisible());
        type(words(), QStringLiteral("at"));
        const QPoint at = list()->visualItemRect(list()->item(1)).center();
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(words()->text(), QStringLiteral("Cats"));
        QVERIFY(f_->launcher.launches.size() == 2 && !list()->isVisible());
    }

    void clickAndFocusHideTheDropDown() {
        make();
        w_->toggleExpanded();
        type(words(), QStringLiteral("at"));
        w_->advanced().eexact->setFocus(); // entering eexact keeps it
        QVERIFY(list()->isVisible());
        w_->advanced().eexclude->setFocus();
        QVERIFY(!list()->isVisible());
        type(words(), QStringLiteral("l"));
        QTest::mouseClick(words(), Qt::LeftButton);
        QVERIFY(!list()->isVisible());
        QTest::mouseDClick(words(), Qt::LeftButton); // the owner, refreshed
        QVERIFY(list()->isVisible());
        QTest::mousePress(w_, Qt::LeftButton, {}, QPoint(300, 60));
        QTest::mouseRelease(w_, Qt::LeftButton, {}, QPoint(300, 60));
        QVERIFY(!list()->isVisible());
    }

    void deleteSearchSuggestion() {
        make("|Cats|;|atlas|;|Bat|;|CATS");
        openAndEnter(words(), QStringLiteral("ca"));
        QCOMPARE(list()->currentItem()->text(), QStringLiteral("CATS "));
        w_->dropDown().menu()->actions().at(0)->trigger();
        QVERIFY(words()->text().isEmpty() && !list()->isVisible());
        QCOMPARE(f_->dir().read("gs1001.sgg"), std::string("|atlas|;|Bat\r\n"));
    }

    void commandsThatRewriteTheFieldsCloseTheDropDown() {
        struct Row {
            const char* name;
            bool focusesWords;
            void (*run)(TMainForm&);
        } rows[] = {
            {"broom", true, [](TMainForm& w) { w.widgets().xiMetla->click(); }},
            {"reset", true, [](TMainForm& w) { w.menus().ResetAllSettings1->trigger(); }},
            {"open settings", false, [](TMainForm& w) { w.menus().OpenSettings1->trigger(); }},
        };
        for (const Row& row : rows) {
            make();
            w_->toggleExpanded();
            type(words(), QStringLiteral("at"));
            f_->messages.answers = {true};
            const std::string file = f_->dir().write("s.gms", "[Pin]\r\nTip2=2\r\n");
            f_->files.open = [file](const FileDialogSpec&, const std::string&) { return file; };
            w_->advanced().eexact->setFocus();
            row.run(*w_);
            QVERIFY2(!list()->isVisible(), row.name);
            QVERIFY2(!row.focusesWords || words()->hasFocus(), row.name);
        }
    }
};

QTEST_MAIN(FieldsTest)
#include "fields_test.moc"
