// The drop-down and the list loader as the commands around the fields drive them: the
// keys that move into the drop-down, the commands that clear the form, and a history
// record's list file.

#include "app/suggestion_list.h"
#include "main_form_fixture.h"

#include <QLineEdit>
#include <QListWidget>

using namespace trov;
using namespace trov::test;

class CommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;
    QListWidget* list() { return w_->dropDown().widget(); }

    // An expanded window whose drop-down serves "ap" typed in eURL.
    void makeWithDropDown() {
        f_ = std::make_unique<MainFormFixture>();
        f_->writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n");
        f_->dir().write("gs1001.sgg", "|apple pie|;|apricot|;|zebra\r\n");
        w_ = &f_->create();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
        QApplication::setActiveWindow(w_);
        w_->toggleExpanded();
        w_->widgets().eURL->setFocus();
        QTest::keyClicks(w_->widgets().eURL, QStringLiteral("ap"));
        QVERIFY(list()->isVisible());
    }

private slots:
    void cleanup() {
        w_ = nullptr;
        f_.reset();
    }

    void onlyARowChosenInTheListReplacesTypedText() {
        makeWithDropDown();
        QLineEdit* words = w_->widgets().eURL;
        list()->setFocus(Qt::TabFocusReason);
        QCOMPARE(words->text(), QStringLiteral("ap"));
        QTest::keyClick(list(), Qt::Key_Down);
        QCOMPARE(words->text(), QStringLiteral("apricot"));

        // Down in eexact while eURL owns the list: the first row goes into eexact.
        makeWithDropDown();
        QLineEdit* exact = w_->advanced().eexact;
        exact->setFocus();
        QTest::keyClick(exact, Qt::Key_Down);
        QCOMPARE(exact->text(), QStringLiteral("apple pie"));
        QCOMPARE(w_->widgets().eURL->text(), QStringLiteral("ap"));
        QVERIFY(list()->hasFocus());
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
