// The drop-down and the list loader as the commands around the fields drive them: the
// keys that move into the drop-down, the commands that clear the form, and a history
// record's list file.

#include "app/form_windows.h"
#include "app/main_menus.h"
#include "app/suggestion_list.h"
#include "history/fill_fields.h"
#include "main_form_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

class CommandsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;
    std::unique_ptr<FormWindows> windows_;
    QListWidget* list() { return w_->dropDown().widget(); }

    // An expanded window whose drop-down serves "ap" typed in eURL.
    void makeWithDropDown() {
        cleanup();
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
    // The settings commands, broom and reset behind the window's menu and broom.
    void wireFormWindows() {
        FormWindowHooks hooks;
        hooks.files = &f_->files;
        windows_ = std::make_unique<FormWindows>(*w_, *f_->history, *f_->suggestions, *f_->config,
                                                 f_->messages, DataFolder(f_->folder()), hooks);
        f_->services->formCommands = windows_.get();
    }

private slots:
    void cleanup() {
        if (f_)
            f_->services->formCommands = nullptr;
        windows_.reset();
        w_ = nullptr;
        f_.reset();
    }

    void commandsThatRewriteTheFieldsCloseTheDropDown() {
        struct Row {
            const char* name;
            bool focusesWords;
            void (*run)(TMainForm&);
        };
        const Row rows[] = {
            {"broom", true, [](TMainForm& w) { w.widgets().xiMetla->click(); }},
            {"reset", true, [](TMainForm& w) { w.menus().ResetAllSettings1->trigger(); }},
            {"open settings", false, [](TMainForm& w) { w.menus().OpenSettings1->trigger(); }},
        };
        for (const Row& row : rows) {
            makeWithDropDown();
            wireFormWindows();
            f_->messages.answers = {true};
            const std::string file = f_->dir().write("s.gms", "[Pin]\r\nTip2=2\r\n");
            f_->files.open = [file](const FileDialogSpec&, const std::string&) { return file; };
            w_->advanced().eexact->setFocus();
            row.run(*w_);
            QVERIFY2(!list()->isVisible(), row.name);
            QVERIFY2(!row.focusesWords || w_->widgets().eURL->hasFocus(), row.name);
        }
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

    void aRecordsListFileIsLoadedWithoutAsking() {
        makeWithDropDown();
        int asked = 0;
        f_->files.open = [&asked](const FileDialogSpec&, const std::string&) {
            ++asked;
            return std::string();
        };
        HistoryRecord r;
        for (std::size_t c = 0; c < kHistoryColumnCount; ++c)
            r.set(c, "- - -");
        r.set(kColBrowser, "Default");
        r.set(kColEngine, "Links ( Crawl from a file C:\\Users\\ana\\links.csv )");
        FillFields(r, true, *w_);
        QCOMPARE(asked, 0);
        QCOMPARE(f_->messages.shown.back().text, std::string("File links.csv does not exist."));
        QVERIFY(w_->form().crawlMarks()[CrawlMode::CrawlCSV]);
    }
};

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
