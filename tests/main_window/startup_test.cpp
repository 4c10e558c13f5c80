// The main window's creation from YY.cfg, what closing and the two Exits write, and the
// menu entries that write at once.

#include "app/main_menus.h"
#include "main_form_fixture.h"

using namespace trov;
using namespace trov::test;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    // The browsers are read when first needed; the first run writes the autostart entry and
    // takes the default browser's entry.
    void freshProfile() {
        MainFormFixture f;
        TMainForm& w = f.create(true);
        QVERIFY(!w.form().browsersLoaded() && w.windowFlags() & Qt::Tool);
        QCOMPARE(f.autostart.written, std::string("/opt/trov/bin/trov"));
        f.see("form.pos=1420,880 form.height=80 ontop=true cfg:Color/Pall=14801352 cfg:App/start=0 "
              "eexact.focusPolicy=ClickFocus "
              "lb.currentText=Firefox_(Default)");
        f.run("close => cfg:Pin/Browser=1");
    }

    void storedProfile() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\nInterface=3\r\nCountry=5\r\n"
                   "Language=7\r\nType=1\r\nTime=2\r\n[Velikost]\r\nLevo=5000\r\nGor=300\r\n"
                   "[Color]\r\nPall=0\r\n[General]\r\nOnTop=2\r\nHideSek=1\r\n"
                   "[Config]\r\nload=0\r\nshowonstart=5\r\n[Options]\r\noptAutohide=1\r\n"
                   "[App]\r\nstart=0\r\n");
        TMainForm& w = f.create();
        f.see("form.pos=1462,300 lb.currentIndex=0 cb1.currentIndex=3 cb3.currentIndex=5 "
              "cb2.currentIndex=7 cb5.currentIndex=1 "
              "cb6.currentIndex=2 ontop=false Stayontop1.checked=false aHideSekunda.checked=true");
        QVERIFY(f.autostart.writes == 0 && w.backgroundColour() == 0);
        QCOMPARE(w.form().fragments().countryParam, std::string("&cr=countryAD")); // at start
        QVERIFY(w.glue().autoHide().running() && w.glue().noticeSuppressed());
        QVERIFY(!w.glue().tray().loadAtStartup() && !w.glue().tray().showOnStart()); // 5: unticked

        MainFormFixture outside;
        outside.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=9\r\nCountry=999\r\n");
        outside.create();
        outside.see("lb.currentIndex=-1 cb3.currentIndex=-1");
        QCOMPARE(outside.form->form().fragments().countryParam, std::string());
    }

    // Closing and the tray's Exit run the close sequence with the window's state (the
    // position only while collapsed); the main menu's Exit writes the position and the
    // history only.
    void theWaysOfEnding() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=1\r\n[Config]\r\nshowonstart=5\r\n");
        f.create();
        f.run("move 300 400; index lb 0; close => cfg:Velikost/Levo=300 cfg:Config/showonstart=0 "
              "cfg:Pin/Browser=0 quits=1");
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")));

        MainFormFixture tray;
        TMainForm& e = tray.create();
        tray.run("expand; move 10 20"); // the collapsed position is written on expanding
        e.glue().tray().exitAction()->trigger();
        tray.see("cfg:Velikost/Levo=1420 cfg:Config/showonstart=1 quits=1");

        MainFormFixture exit;
        exit.create();
        exit.run("move 33 44; trigger Exit1 => cfg:Velikost/Levo=33 cfg:Pin/PrviZagon=- quits=1");
        QVERIFY(fileExists(exit.dir().file("HistGrid.cld")));
    }

    // The toggles, a pin, and "Hide" without a notification area, which tells the way back
    // once.
    void menuEntriesWriteAtOnce() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.glue().runNotice = [](bool& confirmed, bool& dontShow) { confirmed = dontShow = true; };
        f.run("trigger Stayontop1 => ontop=false cfg:General/OnTop=0; "
              "trigger aHideSekunda => cfg:Options/optAutohide=1 cfg:General/HideSek=1; "
              "trigger aHideSekunda => cfg:General/HideSek=0; "
              "index cb3 12; click SpeedButton3 => cfg:Pin/Country=12");
        QVERIFY(!w.glue().autoHide().running());
        w.glue().tray().showOnStartAction()->trigger();
        f.see("cfg:Config/showonstart=0");
        w.glue().tray().loadAtStartupAction()->trigger(); // unticked: the entry goes
        QCOMPARE(f.autostart.removals, 1);
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
        MainFormFixture f;
        f.writeCfg(kStoredProfile + "Browser=0\r\n");
        TMainForm& w = f.create(true);
        f.config->write(cfg::PinBrowser, 1); // a later change is not what start read
        QVERIFY(!w.form().browsersLoaded());
        f.run("expand; set eURL cats => lb.currentText=Chromium");
        w.go();
        QCOMPARE(f.launcher.launches.at(0).command, std::string("chromium %U"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
