// The main window's creation from YY.cfg, and what closing and the two Exits write.

#include "app/main_menus.h"
#include "app/window_glue.h"
#include "main_form_fixture.h"
#include "settings/ini.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

namespace {

std::optional<std::string> key(const MainFormFixture& f, const char* section, const char* name) {
    return IniDocument::parse(f.readCfg()).value(section, name);
}

using Value = std::optional<std::string>;

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void freshProfile() {
        MainFormFixture f;
        TMainForm& w = f.create(true);
        QCOMPARE(w.height(), kCollapsedHeight);
        QCOMPARE(w.pos(), QPoint(1920 - 500, 1080 - 200));
        QVERIFY(w.windowFlags() & Qt::Tool);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.menus().Stayontop1->isChecked());
        QVERIFY(!w.menus().aHideSekunda->isChecked());
        QVERIFY(!w.glue().autoHide().running() && !w.glue().noticeSuppressed());
        QVERIFY(w.glue().tray().loadAtStartup());
        QVERIFY(w.glue().tray().showOnStart());
        // First run: the default browser's entry, and the autostart entry written.
        QCOMPARE(w.advanced().lb->currentText(), QStringLiteral("Firefox (Default)"));
        QCOMPARE(f.autostart.written, std::string("/opt/trov/bin/trov"));
        QCOMPARE(w.widgets().cbAll->currentText(), QStringLiteral("All"));
        QCOMPARE(key(f, "Color", "Pall"), Value("14801352"));
        QCOMPARE(key(f, "App", "start"), Value("0"));
        // The advanced fields are out of the tab order while collapsed.
        QCOMPARE(w.advanced().eexact->focusPolicy(), Qt::ClickFocus);
        QVERIFY(f.messages.shown.empty());
    }

    void storedProfile() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\nInterface=3\r\nCountry=5\r\n"
                   "Language=7\r\nType=1\r\nTime=2\r\n[Velikost]\r\nLevo=5000\r\nGor=300\r\n"
                   "[Color]\r\nPall=0\r\n[General]\r\nOnTop=2\r\nHideSek=1\r\n"
                   "[Config]\r\nload=0\r\nshowonstart=5\r\n[Options]\r\noptAutohide=1\r\n"
                   "[App]\r\nstart=0\r\n");
        TMainForm& w = f.create();
        QCOMPARE(w.pos(), QPoint(1920 - 458, 300));
        QCOMPARE(w.form().selection(ListField::Browser), 0);
        QCOMPARE(f.autostart.writes, 0);
        const AdvancedFields& a = w.advanced();
        QCOMPARE((QList<int>{a.cb1->currentIndex(), a.cb3->currentIndex(), a.cb2->currentIndex(),
                             a.cb5->currentIndex(), a.cb6->currentIndex()}),
                 (QList<int>{3, 5, 7, 1, 2}));
        // The restored selections' fragments are computed at start.
        QCOMPARE(w.form().fragments().countryParam, std::string("&cr=countryAD"));
        QCOMPARE(w.backgroundColour(), 0);
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!w.menus().Stayontop1->isChecked());
        QVERIFY(w.menus().aHideSekunda->isChecked());
        QVERIFY(w.glue().autoHide().running());
        QVERIFY(w.glue().noticeSuppressed());
        QVERIFY(!w.glue().tray().loadAtStartup());
        QVERIFY(!w.glue().tray().showOnStart()); // 5 leaves it unticked

        MainFormFixture outside;
        outside.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=9\r\nCountry=999\r\n");
        TMainForm& o = outside.create();
        QCOMPARE(o.advanced().lb->currentIndex(), -1);
        QCOMPARE(o.advanced().cb3->currentIndex(), -1);
        QCOMPARE(o.form().fragments().countryParam, std::string());
    }

    // Closing and the tray's Exit run the close sequence with the window's state; the main
    // menu's Exit writes the position and the history only.
    void theWaysOfEnding() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=1\r\n[Config]\r\nshowonstart=5\r\n");
        TMainForm& w = f.create();
        w.move(300, 400);
        w.advanced().lb->setCurrentIndex(0);
        w.close();
        QCOMPARE(key(f, "Velikost", "Levo"), Value("300"));
        QCOMPARE(key(f, "Velikost", "Gor"), Value("400"));
        QCOMPARE(key(f, "Config", "load"), Value("1"));
        QCOMPARE(key(f, "Config", "showonstart"), Value("0"));
        QCOMPARE(key(f, "Pin", "Browser"), Value("0"));
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")));
        QCOMPARE(f.quits, 1);

        MainFormFixture expanded;
        TMainForm& e = expanded.create();
        e.toggleExpanded(); // writes the collapsed position first
        e.move(10, 20);
        e.glue().tray().exitAction()->trigger();
        QCOMPARE(key(expanded, "Velikost", "Levo"), Value("1420"));
        QCOMPARE(key(expanded, "Config", "showonstart"), Value("1"));
        QCOMPARE(expanded.quits, 1);

        MainFormFixture exit;
        TMainForm& x = exit.create();
        x.move(33, 44);
        x.menus().Exit1->trigger();
        QCOMPARE(key(exit, "Velikost", "Levo"), Value("33"));
        QCOMPARE(key(exit, "Pin", "PrviZagon"), std::nullopt);
        QVERIFY(fileExists(exit.dir().file("HistGrid.cld")));
        QCOMPARE(exit.quits, 1);
    }

    void togglesWriteAtOnce() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.menus().Stayontop1->trigger();
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(key(f, "General", "OnTop"), Value("0"));
        w.glue().runNotice = [](bool& confirmed, bool& dontShow) {
            confirmed = true;
            dontShow = true;
        };
        w.menus().aHideSekunda->trigger();
        QVERIFY(w.glue().autoHide().running());
        QCOMPARE(key(f, "Options", "optAutohide"), Value("1"));
        w.menus().aHideSekunda->trigger();
        QVERIFY(!w.glue().autoHide().running());
        QCOMPARE(key(f, "General", "HideSek"), Value("0"));
        w.glue().tray().showOnStartAction()->trigger();
        QCOMPARE(key(f, "Config", "showonstart"), Value("0"));
        w.glue().tray().loadAtStartupAction()->trigger(); // unticked: the entry goes
        QCOMPARE(f.autostart.removals, 1);
    }

    void hideWithoutATrayTellsTheWayBackOnce() {
        MainFormFixture f;
        TMainForm& w = f.create();
        if (w.glue().trayAvailable())
            QSKIP("this desktop has a notification area");
        for (int i = 0; i < 2; ++i) {
            w.show();
            w.menus().Minimize->trigger();
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QCOMPARE(f.messages.shown[0].text, std::string(kWayBackWithoutTray));
    }

    // The desktop's browsers are read when first needed; the keys that choose the entry,
    // the first run's autostart entry and what closing writes stay as they were.
    void browsersAreReadWhenFirstNeeded() {
        MainFormFixture fresh;
        TMainForm& a = fresh.create(true);
        QVERIFY(!a.form().browsersLoaded());
        a.close();
        QCOMPARE(key(fresh, "Pin", "Browser"), Value("1"));

        MainFormFixture stored;
        stored.writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\n");
        TMainForm& b = stored.create(true);
        // A later change of the key is not what the start read.
        stored.config->write(cfg::PinBrowser, 1);
        QVERIFY(!b.form().browsersLoaded());
        b.toggleExpanded();
        b.widgets().eURL->setText(QStringLiteral("cats"));
        b.go();
        QCOMPARE(stored.launcher.launches.size(), std::size_t(1));
        QCOMPARE(stored.launcher.launches[0].command, std::string("chromium %U"));
        QCOMPARE(b.advanced().lb->currentText(), QStringLiteral("Chromium"));
    }

    void pinsStoreTheListAndTheColour() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.advanced().cb3->setCurrentIndex(12);
        QTest::mouseClick(w.advanced().pins[3], Qt::LeftButton);
        QCOMPARE(key(f, "Pin", "Country"), Value("12"));
        w.advanced().cb6->setCurrentIndex(4);
        QTest::mouseClick(w.advanced().pins[6], Qt::LeftButton);
        QCOMPARE(key(f, "Pin", "Time"), Value("4"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
