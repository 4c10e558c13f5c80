// The main window's creation from YY.cfg, what closing and the two Exits write, and the
// menu entries that write at once.

#include "app/main_menus.h"
#include "app/window_glue.h"
#include "main_form_fixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

using Value = std::optional<std::string>;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    // The browsers are read when first needed; the first run writes the autostart entry and
    // takes the default browser's entry.
    void freshProfile() {
        MainFormFixture f;
        TMainForm& w = f.create(true);
        QVERIFY(!w.form().browsersLoaded());
        QCOMPARE(w.height(), kCollapsedHeight);
        QCOMPARE(w.pos(), QPoint(1920 - 500, 1080 - 200));
        QVERIFY(w.windowFlags() & Qt::Tool && w.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(f.autostart.written, std::string("/opt/trov/bin/trov"));
        QCOMPARE(f.key("Color", "Pall"), Value("14801352"));
        QCOMPARE(f.key("App", "start"), Value("0"));
        QCOMPARE(w.advanced().eexact->focusPolicy(), Qt::ClickFocus); // out of the tab order
        QCOMPARE(w.advanced().lb->currentText(), QStringLiteral("Firefox (Default)"));
        w.close();
        QCOMPARE(f.key("Pin", "Browser"), Value("1"));
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
        QCOMPARE(f.autostart.writes, 0);
        const AdvancedFields& a = w.advanced();
        QCOMPARE((QList<int>{a.lb->currentIndex(), a.cb1->currentIndex(), a.cb3->currentIndex(),
                             a.cb2->currentIndex(), a.cb5->currentIndex(), a.cb6->currentIndex()}),
                 (QList<int>{0, 3, 5, 7, 1, 2}));
        // The restored selections' fragments are computed at start.
        QCOMPARE(w.form().fragments().countryParam, std::string("&cr=countryAD"));
        QCOMPARE(w.backgroundColour(), 0);
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint) &&
                !w.menus().Stayontop1->isChecked());
        QVERIFY(w.menus().aHideSekunda->isChecked() && w.glue().autoHide().running());
        QVERIFY(w.glue().noticeSuppressed() && !w.glue().tray().loadAtStartup());
        QVERIFY(!w.glue().tray().showOnStart()); // 5 leaves it unticked

        MainFormFixture outside;
        outside.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=9\r\nCountry=999\r\n");
        TMainForm& o = outside.create();
        QCOMPARE(o.advanced().lb->currentIndex(), -1);
        QCOMPARE(o.advanced().cb3->currentIndex(), -1);
        QCOMPARE(o.form().fragments().countryParam, std::string());
    }

    // Closing and the tray's Exit run the close sequence with the window's state (the
    // position only while collapsed); the main menu's Exit writes the position and the
    // history only.
    void theWaysOfEnding() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=1\r\n[Config]\r\nshowonstart=5\r\n");
        TMainForm& w = f.create();
        w.move(300, 400);
        w.advanced().lb->setCurrentIndex(0);
        w.close();
        QCOMPARE(f.key("Velikost", "Levo"), Value("300"));
        QCOMPARE(f.key("Config", "showonstart"), Value("0"));
        QCOMPARE(f.key("Pin", "Browser"), Value("0"));
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")) && f.quits == 1);

        MainFormFixture expanded;
        TMainForm& e = expanded.create();
        e.toggleExpanded(); // writes the collapsed position first
        e.move(10, 20);
        e.glue().tray().exitAction()->trigger();
        QCOMPARE(expanded.key("Velikost", "Levo"), Value("1420"));
        QCOMPARE(expanded.key("Config", "showonstart"), Value("1"));
        QCOMPARE(expanded.quits, 1);

        MainFormFixture exit;
        TMainForm& x = exit.create();
        x.move(33, 44);
        x.menus().Exit1->trigger();
        QCOMPARE(exit.key("Velikost", "Levo"), Value("33"));
        QCOMPARE(exit.key("Pin", "PrviZagon"), std::nullopt);
        QVERIFY(fileExists(exit.dir().file("HistGrid.cld")) && exit.quits == 1);
    }

    // The toggles, the pins and "Hide" without a notification area, which tells the way
    // back once.
    void menuEntriesWriteAtOnce() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.menus().Stayontop1->trigger();
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(f.key("General", "OnTop"), Value("0"));
        w.glue().runNotice = [](bool& confirmed, bool& dontShow) { confirmed = dontShow = true; };
        w.menus().aHideSekunda->trigger();
        QVERIFY(w.glue().autoHide().running());
        QCOMPARE(f.key("Options", "optAutohide"), Value("1"));
        w.menus().aHideSekunda->trigger();
        QVERIFY(!w.glue().autoHide().running());
        QCOMPARE(f.key("General", "HideSek"), Value("0"));
        w.glue().tray().showOnStartAction()->trigger();
        QCOMPARE(f.key("Config", "showonstart"), Value("0"));
        w.glue().tray().loadAtStartupAction()->trigger(); // unticked: the entry goes
        QCOMPARE(f.autostart.removals, 1);
        w.advanced().cb3->setCurrentIndex(12);
        QTest::mouseClick(w.advanced().pins[3], Qt::LeftButton);
        QCOMPARE(f.key("Pin", "Country"), Value("12"));
        if (w.glue().trayAvailable())
            return;
        for (int i = 0; i < 2; ++i) {
            w.show();
            w.menus().Minimize->trigger();
            QVERIFY(!w.isVisible());
        }
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QCOMPARE(f.messages.shown[0].text, std::string(kWayBackWithoutTray));
    }

    // The browser entry is the one the stored key named at start.
    void browsersAreReadWhenFirstNeeded() {
        MainFormFixture stored;
        stored.writeCfg(kStoredProfile + "Browser=0\r\n");
        TMainForm& b = stored.create(true);
        stored.config->write(cfg::PinBrowser, 1); // a later change is not what start read
        QVERIFY(!b.form().browsersLoaded());
        b.toggleExpanded();
        b.widgets().eURL->setText(QStringLiteral("cats"));
        b.go();
        QCOMPARE(stored.launcher.launches.size(), std::size_t(1));
        QCOMPARE(stored.launcher.launches[0].command, std::string("chromium %U"));
        QCOMPARE(b.advanced().lb->currentText(), QStringLiteral("Chromium"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
