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

class StartupTest : public QObject {
    Q_OBJECT

    static IniDocument ini(const std::string& text) { return IniDocument::parse(text); }

private slots:
    void freshProfile() {
        MainFormFixture f;
        TMainForm& w = f.create(true);
        QCOMPARE(w.height(), kCollapsedHeight);
        QCOMPARE(w.width(), 458);
        QCOMPARE(w.pos(), QPoint(1920 - 500, 1080 - 200));
        QVERIFY(w.windowFlags() & Qt::Tool);
        QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(w.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(w.menus().Stayontop1->isChecked());
        QVERIFY(!w.menus().aHideSekunda->isChecked());
        QVERIFY(!w.glue().autoHide().running());
        QVERIFY(w.glue().tray().loadAtStartup());
        QVERIFY(w.glue().tray().showOnStart());
        // First run: the default browser's entry, and the autostart entry written.
        QCOMPARE(w.advanced().lb->currentText(), QStringLiteral("Firefox (Default)"));
        QCOMPARE(w.form().selection(ListField::Browser), 1);
        QCOMPARE(f.autostart.writes, 1);
        QCOMPARE(f.autostart.written, std::string("/opt/trov/bin/trov"));
        for (QComboBox* box : {w.advanced().cb1, w.advanced().cb2, w.advanced().cb3,
                               w.advanced().cb5, w.advanced().cb6})
            QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(w.widgets().cbAll->currentText(), QStringLiteral("All"));
        QCOMPARE(w.backgroundColour(), 14801352);
        const std::string cfg = f.readCfg();
        QVERIFY(cfg.find("[Color]\r\nPall=14801352\r\n") != std::string::npos);
        QVERIFY(cfg.find("[App]\r\nstart=0\r\n") != std::string::npos);
        // The advanced fields are out of the tab order while collapsed.
        QCOMPARE(w.advanced().eexact->focusPolicy(), Qt::ClickFocus);
        QVERIFY(f.messages.shown.empty());
    }

    void storedProfile_data() {
        QTest::addColumn<QString>("velikost");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("far right pulled back") << "Levo=5000\r\nGor=300" << QPoint(1920 - 458, 300);
        QTest::newRow("-3 onto the screen") << "Levo=-3\r\nGor=-5" << QPoint(0, 0);
        QTest::newRow("-300 gives 5, 15") << "Levo=-300\r\nGor=-6" << QPoint(5, 15);
        QTest::newRow("below the screen") << "Levo=100\r\nGor=1071" << QPoint(100, 1000);
        QTest::newRow("hex") << "Levo=0x10\r\nGor=$20" << QPoint(16, 32);
    }

    void storedProfile() {
        QFETCH(QString, velikost);
        QFETCH(QPoint, expected);
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\nInterface=3\r\nCountry=5\r\n"
                   "Language=7\r\nType=1\r\nTime=2\r\n[Velikost]\r\n" +
                   velikost.toStdString() +
                   "\r\n[Color]\r\nPall=0\r\n[General]\r\nOnTop=2\r\nHideSek=1\r\n"
                   "[Config]\r\nload=0\r\nshowonstart=5\r\n[Options]\r\noptAutohide=1\r\n"
                   "[App]\r\nstart=0\r\n");
        TMainForm& w = f.create();
        QCOMPARE(w.pos(), expected);
        QCOMPARE(w.form().selection(ListField::Browser), 0);
        QCOMPARE(f.autostart.writes, 0);
        QCOMPARE(w.advanced().cb1->currentIndex(), 3);
        QCOMPARE(w.advanced().cb3->currentIndex(), 5);
        QCOMPARE(w.advanced().cb2->currentIndex(), 7);
        QCOMPARE(w.advanced().cb5->currentIndex(), 1);
        QCOMPARE(w.advanced().cb6->currentIndex(), 2);
        // The restored selections' fragments are computed at start.
        QCOMPARE(w.form().fragments().fileExtension, std::string("pdf"));
        QCOMPARE(w.form().fragments().countryParam, std::string("&cr=countryAD"));
        QCOMPARE(w.backgroundColour(), 0);
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QVERIFY(!w.menus().Stayontop1->isChecked());
        QVERIFY(w.menus().aHideSekunda->isChecked());
        QVERIFY(w.glue().autoHide().running());
        QCOMPARE(w.glue().autoHide().model().level(), 455);
        QVERIFY(w.glue().noticeSuppressed());
        QVERIFY(!w.glue().tray().loadAtStartup());
        QVERIFY(!w.glue().tray().showOnStart()); // 5 leaves it unticked
    }

    void indexOutsideAListSelectsNothing() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=9\r\nCountry=999\r\n");
        TMainForm& w = f.create();
        QCOMPARE(w.advanced().lb->currentIndex(), -1);
        QCOMPARE(w.advanced().cb3->currentIndex(), -1);
        QCOMPARE(w.form().fragments().countryParam, std::string());
    }

    void closeWritesTheCloseKeys() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=1\r\n[Config]\r\nshowonstart=5\r\n");
        TMainForm& w = f.create();
        w.move(300, 400);
        w.advanced().lb->setCurrentIndex(0);
        const std::string before = f.readCfg();
        w.close();
        const IniDocument d = ini(f.readCfg());
        QCOMPARE(d.value("Velikost", "Levo"), std::optional<std::string>("300"));
        QCOMPARE(d.value("Velikost", "Gor"), std::optional<std::string>("400"));
        QCOMPARE(d.value("Config", "load"), std::optional<std::string>("1"));
        QCOMPARE(d.value("Config", "showonstart"), std::optional<std::string>("0"));
        QCOMPARE(d.value("Pin", "Browser"), std::optional<std::string>("0"));
        QCOMPARE(d.value("Pin", "PrviZagon"), std::optional<std::string>("0"));
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")));
        QCOMPARE(f.quits, 1);
    }

    void expandedCloseKeepsThePosition() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.toggleExpanded(); // writes the collapsed position first
        w.move(10, 20);
        w.close();
        const IniDocument d = ini(f.readCfg());
        QCOMPARE(d.value("Velikost", "Levo"), std::optional<std::string>("1420"));
        QCOMPARE(d.value("Pin", "PrviZagon"), std::optional<std::string>("0"));
    }

    void mainMenuExitWritesOnlyPositionAndHistory() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.move(33, 44);
        w.advanced().lb->setCurrentIndex(0);
        const IniDocument before = ini(f.readCfg());
        w.menus().Exit1->trigger();
        const IniDocument d = ini(f.readCfg());
        QCOMPARE(d.value("Velikost", "Levo"), std::optional<std::string>("33"));
        QCOMPARE(d.value("Velikost", "Gor"), std::optional<std::string>("44"));
        QCOMPARE(d.value("Config", "load"), std::optional<std::string>("1"));
        QCOMPARE(d.value("Config", "showonstart"), std::nullopt);
        QCOMPARE(d.value("Pin", "Browser"), std::nullopt);
        QCOMPARE(d.value("Pin", "PrviZagon"), std::nullopt);
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")));
        QCOMPARE(f.quits, 1);
        // The next start is a first run again.
        MainFormFixture again(std::move(f.dir_));
        again.create();
        QCOMPARE(again.autostart.writes, 1);
    }

    void trayExitRunsTheCloseSequence() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.glue().tray().exitAction()->trigger();
        const IniDocument d = ini(f.readCfg());
        QCOMPARE(d.value("Pin", "PrviZagon"), std::optional<std::string>("0"));
        QCOMPARE(d.value("Config", "showonstart"), std::optional<std::string>("1"));
        QCOMPARE(d.value("Pin", "Browser"), std::optional<std::string>("1"));
        QCOMPARE(f.quits, 1);
    }

    void togglesWriteAtOnce() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.menus().Stayontop1->trigger();
        QVERIFY(!(w.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(ini(f.readCfg()).value("General", "OnTop"), std::optional<std::string>("0"));
        w.glue().runNotice = [](bool& confirmed, bool& dontShow) {
            confirmed = true;
            dontShow = true;
        };
        w.menus().aHideSekunda->trigger();
        QVERIFY(w.glue().autoHide().running());
        QCOMPARE(ini(f.readCfg()).value("General", "HideSek"), std::optional<std::string>("1"));
        QCOMPARE(ini(f.readCfg()).value("Options", "optAutohide"), std::optional<std::string>("1"));
        w.menus().aHideSekunda->trigger();
        QVERIFY(!w.glue().autoHide().running());
        QCOMPARE(ini(f.readCfg()).value("General", "HideSek"), std::optional<std::string>("0"));
        w.glue().tray().showOnStartAction()->trigger();
        QCOMPARE(ini(f.readCfg()).value("Config", "showonstart"), std::optional<std::string>("0"));
        w.glue().tray().loadAtStartupAction()->trigger(); // unticked: the entry goes
        QCOMPARE(f.autostart.removals, 1);
        // [Config] load follows only through SaveSettings.
        QCOMPARE(ini(f.readCfg()).value("Config", "load"), std::nullopt);
    }

    void searchBoxFonts() {
        MainFormFixture f;
        TMainForm& w = f.create();
        const MainFormWidgets& c = w.widgets();
        QCOMPARE(w.font().family(), QStringLiteral("Segoe UI"));
        QCOMPARE(w.font().pixelSize(), 13);
        QCOMPARE(c.eURL->font().family(), QStringLiteral("Segoe UI Variable Display"));
        QCOMPARE(c.eURL->font().pixelSize(), 15);
        QVERIFY(c.eURL->font().bold());
        // The frame and its buttons keep the window's font.
        QVERIFY(!c.XiPanel1->testAttribute(Qt::WA_SetFont));
        for (const QWidget* b : {static_cast<QWidget*>(c.XiPanel1), static_cast<QWidget*>(c.xiGO),
                                 static_cast<QWidget*>(c.xiHamburger)})
            QCOMPARE(b->font(), w.font());
        QCOMPARE(c.cbAll->font().pixelSize(), 12);
        QVERIFY(c.cbAll->font().bold());
    }

    // The desktop's browsers are read when first needed; the keys that choose the entry,
    // the first run's autostart entry and what closing writes stay as they were.
    void browsersAreReadWhenFirstNeeded() {
        MainFormFixture fresh;
        TMainForm& a = fresh.create(true);
        QVERIFY(!a.form().browsersLoaded());
        QCOMPARE(fresh.autostart.writes, 1);
        a.close();
        QCOMPARE(ini(fresh.readCfg()).value("Pin", "Browser"), std::optional<std::string>("1"));

        MainFormFixture stored;
        stored.writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\n");
        TMainForm& b = stored.create(true);
        // A later change of the key is not what the start read.
        stored.config->write(cfg::PinBrowser, 1);
        QVERIFY(!b.form().browsersLoaded());
        QCOMPARE(stored.autostart.writes, 0);
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
        QCOMPARE(ini(f.readCfg()).value("Pin", "Country"), std::optional<std::string>("12"));
        w.advanced().cb6->setCurrentIndex(4);
        QTest::mouseClick(w.advanced().pins[6], Qt::LeftButton);
        QCOMPARE(ini(f.readCfg()).value("Pin", "Time"), std::optional<std::string>("4"));
        QCOMPARE(ini(f.readCfg()).value("Color", "Pall"), std::optional<std::string>("14801352"));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
