// SPDX-License-Identifier: GPL-3.0-or-later
// The main window offscreen: start-up and ending, the fields and the drop-down, the engine row
// and the menus, the colours and the controls made on first need (crawls: crawl_test.cpp).

#include "app/crawl/crawler_panel.h"
#include "app/main_window/colour_controller.h"
#include "app/main_window/main_menus.h"
#include "app/main_window/more_engines_menu.h"
#include "app/program/program.h"
#include "appearance/color_cld.h"
#include "appearance/glyphs.h"
#include "appearance/grab_window.h"
#include "appearance/recent_colours.h"
#include "appearance/recent_window.h"
#include "compose/engines_file_start.h"
#include "history/fill_fields.h"
#include "history/window.h"
#include "main_form_fixture.h"
#include "settings/form_reset.h"
#include "tests/support/known_picture.h"
#include "tests/support/when_shown.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

using namespace trov;
using namespace trov::test;

namespace {

// Scripts of steps and what is then seen, with what the suggestion file holds (store).
struct Scenario {
    const char* name;
    const char* store;
    const char* steps;
};

const Scenario kScenarios[] = {
    {"enter in each field runs go, storing the owner's text", "",
     "type eURL cats; expand; key eURL Return => launches=1; key eexact Return => launches=2; "
     "key eexclude Return => launches=3; key edomain Return => launches=4 store=|cats\r\n"},
    {"under the owner: one row while collapsed, under the exact phrase when expanded",
     "|Cats|;|atlas|;|Bat",
     "type eURL at => list=atlas|Cats|Bat_ GsLB.pos=11,41 GsLB.width=436 GsLB.height=21; expand; "
     "type eexact at => GsLB.pos=11,138 GsLB.height=55; trigger History1; click eURL; "
     "clear eURL => list=-; type eURL c => list=-; nohistory; type eURL a => list=Cats"},
    {"Esc empties the owner, also from another field, without reopening the list",
     "|Cats|;|atlas|;|Bat",
     "expand; type eexact ca => list=Cats; click eURL => list=-; "
     "key eURL Escape => list=- eexact.text=; type eURL b => list=Bat_; "
     "set eURL zzz => list=-; key eURL Down => list=- eURL.text=zzz focus=eURL; "
     "clear eURL; key eURL Escape; type eURL c => list=Cats"},
    {"Down steps into the list from each field; Up on the first row steps back",
     "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; key eURL Down => focus=GsLB GsLB.currentRow=0 eURL.text=atlas; "
     "key GsLB Down => eURL.text=Cats; key GsLB Up; key GsLB Up => focus=eURL eURL.text=atlas; "
     "click eexact; type eexact at; key eexact Down => focus=GsLB eexact.text=atlas; "
     "key GsLB Down => eexact.text=Cats; key GsLB Up; key GsLB Up => eexact.text=atlas; "
     "click eexclude; type eexclude at; key eexclude Down => eexclude.text=atlas; "
     "click edomain; type edomain at; key edomain Down => focus=GsLB edomain.text=atlas; "
     // Only a row chosen replaces typed text; Down fills the field it is pressed in.
     "clear eURL; type eURL at; focus GsLB => eURL.text=at; clear eexact; focus eexact; "
     "key eexact Down => eexact.text=atlas eURL.text=at focus=GsLB"},
    {"Enter, Esc and a double click in the list", "|Cats|;|atlas|;|Bat",
     "type eURL at; key eURL Down; key GsLB Return => launches=1 list=- eURL.text=atlas; "
     "clear eURL; type eURL at; key eURL Down; key GsLB Escape => eURL.text= focus=eURL list=-; "
     "type eURL at; dclickrow 1 => eURL.text=Cats launches=2 list=-"},
    {"clicks and focus hide the list; entering the exact phrase does not", "|Cats|;|atlas|;|Bat",
     "expand; type eURL at => list=atlas|Cats|Bat_; focus eexact => list=atlas|Cats|Bat_; "
     "focus eexclude => list=-; type eURL l => list=atlas; click eURL => list=-; "
     "dclick eURL => list=atlas; click pAll => list=-"},
    {"Delete search suggestion", "|Cats|;|atlas|;|Bat|;|CATS",
     "type eURL ca; key eURL Down => GsLB.currentRow=0 eURL.text=CATS_; "
     "delete => eURL.text= list=- store=|atlas|;|Bat\r\n"},
    {"the broom, reset and open settings close the list; reset takes the focus back",
     "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; focus eexact; click xiMetla => list=- focus=eURL; type eURL at; "
     "focus eexact; answer; trigger ResetAllSettings1 => list=- focus=eURL; type eURL at; "
     "focus eexact; trigger OpenSettings1 => list=-; trigger History1; settle => focus=tabela; "
     "answer; trigger ResetAllSettings1; settle => focus=eURL"},
};

const std::string kPinned = kStoredProfile + "Browser=0\r\nInterface=3\r\nCountry=5\r\n"
                                             "Language=7\r\nType=1\r\nTime=2\r\n";

// What the form shows: its picture, the site's read-only state, the tab chain and the hints.
std::pair<QImage, QStringList> shown(TMainForm& w) {
    w.advanced();
    if (QWidget* f = w.focusWidget())
        f->clearFocus();
    QApplication::processEvents();
    QStringList more{QString::number(w.advanced().edomain->isReadOnly())};
    for (const QWidget* it = w.nextInFocusChain(); it && it != &w; it = it->nextInFocusChain())
        if (it->focusPolicy() != Qt::NoFocus && !it->isWindow())
            more << it->objectName();
    QStringList hints;
    for (const QWidget* c : w.widgets().pAll->findChildren<QWidget*>())
        hints << c->objectName() + '=' + c->toolTip();
    hints.sort();
    return {w.grab().toImage(), more + hints};
}

void same(TMainForm& a, TMainForm& b) {
    const auto [pictureA, moreA] = shown(a);
    const auto [pictureB, moreB] = shown(b);
    QCOMPARE(moreA, moreB);
    QCOMPARE(pictureA, pictureB);
}

// Changes through the form's model and commands; the last ones need the fields made.
struct Change {
    const char* name;
    std::string cfg;
    const char* steps;
    bool staysCollapsed;
};

const Change kChanges[] = {
    {"pins, background, engines and kinds", kPinned + "[Color]\r\nPall=3355443\r\n",
     "click csDuckDuckGo; click csGoogle; index cbAll 4; click csWiki", true},
    {"a fresh profile, a dark background and typing", "", "dark; type eURL at; key eURL Escape",
     true},
    {"indexes outside their lists, a history fill and the broom",
     kStoredProfile + "Browser=9\r\nCountry=999\r\n", "fill; broom", true},
    {"links with a request", kPinned, "request 2; click csSpider; request 99", false},
    {"a list crawl's file", kPinned, "list", false},
};

} // namespace

class MainFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    std::unique_ptr<FormWindows> windows_;
    TMainForm* w_ = nullptr;

    // A shown window with an engines file; "marks" are the crawler menu's modes/the submenu's.
    void make() {
        f_ = std::make_unique<MainFormFixture>();
        f_->dir().write("engines.cfg", "[Code & more]\nKey=cs\nAddress=https://c/?q={query}\n"
                                       "[Bad]\nKey=b\n");
        w_ = &f_->shown();
        f_->moreSeen = [this](const QString& key) -> QString {
            if (key != QStringLiteral("marks"))
                return {};
            QString marks;
            for (const char* mode :
                 {"StartFastCrawl", "StartSlowCrawl", "AllLinks", "interLinks", "StartFastCrawl000",
                  "StartSlowCrawl000", "AllLinks000", "interLinks000"})
                marks += QString::number(f_->named<QAction>(mode)->isChecked());
            return marks.insert(4, '/');
        };
    }
    // The scripts' own steps: dclickrow, nohistory, delete (a suggestion), dark, fill (a
    // record whose "Default" browser keeps the form collapsed), broom, list (a crawl list).
    void own(MainFormFixture& f, const QStringList& p) {
        TMainForm& w = *f.form;
        if (p[0] == QStringLiteral("dclickrow")) {
            QListWidget* list = w.dropDown().widget();
            const QPoint at = list->visualItemRect(list->item(p[1].toInt())).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        if (p[0] == QStringLiteral("nohistory"))
            windows_->historyWindow().hide();
        if (p[0] == QStringLiteral("delete"))
            w.dropDown().menu()->actions().at(0)->trigger();
        if (p[0] == QStringLiteral("dark"))
            w.applyBackground(colourValue(46, 52, 64));
        if (p[0] == QStringLiteral("fill"))
            FillFields(record("||cats|red car|blue|e.com|Adobe PDF (.pdf)|Default||Germany||"
                              "Past month|Bing|News"),
                       true, w);
        if (p[0] == QStringLiteral("broom"))
            xiMetlaClick(w, *f.config);
        if (p[0] == QStringLiteral("list")) {
            w.loadCrawlList(f.dir().write("list.csv", "e.com\r\nhttp://e.com/a\r\n"));
            w.menus().PopCrawler->hide();
        }
    }

private slots:
    void cleanup() {
        windows_.reset();
        w_ = nullptr;
        f_.reset();
    }

    // The browsers are read when first needed; the first run writes the autostart entry and
    // takes the default browser's entry. Closing writes the window's state.
    void freshProfile() {
        MainFormFixture f;
        TMainForm& w = f.create(true);
        QVERIFY(!w.form().browsersLoaded());
        QVERIFY(w.windowFlags() & Qt::Tool);
        QCOMPARE(f.autostart.written, std::string("/opt/trov/bin/trov"));
        f.see("form.pos=1420,880 form.height=80 ontop=1 cfg:Color/Pall=14801352 cfg:App/start=0 "
              "eexact.focusPolicy=ClickFocus lb.currentText=Firefox_(Default) "
              "EnableHistory.checked=true");
        f.run("move 300 400; close => cfg:Pin/Browser=1 cfg:Velikost/Levo=300 "
              "cfg:Config/showonstart=1 cfg:Pin/PrviZagon=0 quits=1");
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")));
    }

    void storedProfile() {
        MainFormFixture f;
        f.writeCfg("[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\nInterface=3\r\nCountry=5\r\n"
                   "Language=7\r\nType=1\r\nTime=2\r\n[Velikost]\r\nLevo=5000\r\nGor=300\r\n"
                   "[Color]\r\nPall=0\r\n[General]\r\nOnTop=2\r\nHideSek=1\r\n"
                   "[Config]\r\nload=0\r\nshowonstart=5\r\n[Options]\r\noptAutohide=1\r\n"
                   "optKeepHistory=0\r\n"
                   "[App]\r\nstart=0\r\n");
        TMainForm& w = f.create();
        f.see("form.pos=1462,300 lb.currentIndex=0 cb1.currentIndex=3 cb3.currentIndex=5 "
              "cb2.currentIndex=7 cb5.currentIndex=1 "
              "cb6.currentIndex=2 ontop=0 Stayontop1.checked=false aHideSekunda.checked=true");
        QCOMPARE(std::pair(f.autostart.writes, w.backgroundColour()), std::pair(0, 0));
        // Running, unticked by 5, the notice suppressed, the history not kept:
        QCOMPARE(std::tuple(w.glue().autoHide().running(), w.glue().tray().loadAtStartup(),
                            w.glue().tray().showOnStart(), w.glue().noticeSuppressed(),
                            w.form().keepHistory()),
                 std::tuple(true, false, false, true, false));
    }

    // The tray's Exit runs the close sequence, which writes the position only while
    // collapsed; the main menu's Exit writes the position and the history only.
    void theWaysOfEnding() {
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

    // The toggles, a pin, and "Hide" without a tray, which tells the way back once.
    void menuEntriesWriteAtOnce() {
        MainFormFixture f;
        TMainForm& w = f.create();
        w.glue().runNotice = [](bool& confirmed, bool& dontShow) { confirmed = dontShow = true; };
        f.run("trigger Stayontop1 => ontop=0 cfg:General/OnTop=0; "
              "trigger aHideSekunda => cfg:Options/optAutohide=1 cfg:General/HideSek=1; "
              "trigger aHideSekunda => cfg:General/HideSek=0; "
              "index cb3 12; click SpeedButton3 => cfg:Pin/Country=12");
        QVERIFY(!w.glue().autoHide().running());
        w.glue().tray().showOnStartAction()->trigger();
        f.see("cfg:Config/showonstart=0");
        w.glue().tray().loadAtStartupAction()->trigger(); // unticked: the entry goes
        QCOMPARE(f.autostart.removals, 1);
        for (int i = 0; i < 2 && !w.glue().trayAvailable(); ++i) {
            w.show();
            f.run("trigger Minimize => form.visible=false");
            QCOMPARE(f.messages.shown.size(), std::size_t(1)); // once
        }
        if (!w.glue().trayAvailable())
            QCOMPARE(f.messages.shown.at(0).text, std::string(kWayBackWithoutTray));
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

    void keysAndMouseInTheFields_data() {
        QTest::addColumn<int>("scenario");
        for (std::size_t i = 0; i < std::size(kScenarios); ++i)
            QTest::newRow(kScenarios[i].name) << static_cast<int>(i);
    }
    void keysAndMouseInTheFields() {
        QFETCH(int, scenario);
        const Scenario& s = kScenarios[static_cast<std::size_t>(scenario)];
        f_ = std::make_unique<MainFormFixture>();
        TMainForm& w = f_->shown(s.store);
        FormWindowHooks hooks;
        hooks.files = &f_->files;
        windows_ = std::make_unique<FormWindows>(w, *f_->history, *f_->suggestions, *f_->config,
                                                 f_->messages, DataFolder(f_->folder()), hooks);
        wireFormWindows(w, *windows_);
        f_->moreSeen = [this](const QString& key) {
            return key == "store" ? QString::fromStdString(f_->dir().read("gs1001.sgg"))
                                  : QString();
        };
        const std::string file = f_->dir().write("s.gms", "[Pin]\r\nTip2=2\r\n");
        f_->files.open = [file](const FileDialogSpec&, const std::string&) { return file; };
        f_->run(QString::fromLatin1(s.steps), [this](const QStringList& p) { own(*f_, p); });
    }
    // The buttons and the kind box apply the model's selection (the rules are the model's);
    // a crawl request picks its mode without the menu and hands the site the focus.
    void engineButtonsApplyTheSelection() {
        make();
        // A Fill shows the colours of its record's engine and kind, not the engine's first.
        w_->advanced();
        FillFields(record("||w|||||Default|||||Bing|Translate"), true, *w_);
        f_->see("cbAll.currentIndex=4 face:eexact=#a0a0a0");
        f_->run("click csBing => PanelMarker.x=36 cbAll.count=5 face:eexact=#ffffff; "
                "index cbAll 4 => face:eexact=#a0a0a0 face:lb=#ffffff; " // Translate
                "click csDuckDuckGo => face:xiExclude=#a0a0a0; "
                "click csSpider => form.height=440 cbAll.enabled=false");
        QTRY_VERIFY(w_->menus().PopCrawler->isVisible());
        w_->menus().PopCrawler->hide();
        f_->run(
            "request 2; click csSpider => PopCrawler.visible=false marks=0001/0001 focus=edomain");
        // The kind box's list, made when first opened, takes the box's font.
        QComboBox* kinds = w_->widgets().cbAll;
        kinds->showPopup();
        QCOMPARE(kinds->view()->font(), kinds->font());
        kinds->hidePopup();
    }

    // The hidden "Crawler" submenu's entries show the pop-up menu's marks, whichever menu,
    // engine button or request changed them.
    void hiddenSubmenuMirrorsTheCrawlerMenu() {
        make();
        f_->run("request 99 => marks=0000/0000; "
                "trigger StartSlowCrawl000 => marks=0100/0100; "
                "trigger AllLinks000 => marks=0010/0010; "
                // Its own entry is none of the pop-up's: nothing stays checked...
                "trigger StartFastCrawl000 => marks=0000/0000; "
                // ...unless the crawl request names a mode.
                "request 1; trigger StartFastCrawl000 => marks=0010/0010; "
                "request 2; trigger StartFastCrawl000 => marks=0001/0001; "
                "request 99; trigger AllLinks => marks=0010/0010; "
                // Triggering a checked entry again must not uncheck its mirror.
                "trigger AllLinks000 => marks=0010/0010; "
                "trigger interLinks => marks=0001/0001; "
                "click csAsk => marks=0000/0000"); // another engine clears the marks
    }

    // A dark scheme: white captions and marker, a dark line and glyphs. Expanding saves the
    // position before lifting the form; the main menu opens under its button.
    void expandAndCollapseBesideABottomPanel() {
        make();
        w_->applyBackground(0);
        QCOMPARE(w_->widgets().pAll->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(w_->grab().toImage().pixelColor(15, 70), QColor(Qt::white));
        QCOMPARE(w_->widgets().Crta->palette().color(QPalette::Window), QColor(75, 75, 75));
        QCOMPARE(w_->expandGlyphShown(), Glyph::Image5);
        f_->workAreas = {{0, 0, 1920, 1040}};
        f_->run("move 100 990; click csExpand => form.height=440 form.pos=100,600 "
                "csExpand.toolTip=Collapse Crta.visible=true eexact.focusPolicy=StrongFocus "
                "cfg:Velikost/Gor=990; focus eexact");
        QCOMPARE(w_->expandGlyphShown(), Glyph::Image6);
        for (QLabel* l : w_->advanced().captions)
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::white));
        QTest::mouseDClick(w_, Qt::LeftButton, {}, QPoint(250, 90));
        f_->run("move 100 960 => form.height=80 form.pos=100,960 Crta.visible=false "
                "csExpand.toolTip=Expand eexact.focusPolicy=ClickFocus focus=eURL; "
                "move 10 10; click xiHamburger => PopupMenu1.pos=428,49 PopupMenu1.visible=true");
        w_->menus().main->hide();
    }

    // "More engines": its entries, a search from it and by keyword, the file read again.
    void moreEnginesFollowTheFile() {
        make();
        QMenu* more = w_->moreEngines().menu();
        const auto entries = [more] {
            QStringList texts;
            for (const QAction* a : more->actions())
                texts << a->text();
            return texts;
        };
        QCOMPARE(entries(),
                 (QStringList{"Code && more\tcs", "", "Edit engines...", "Add engine..."}));
        f_->see("message=These_sections_of_engines.cfg_were_skipped:\r\n\r\n[Bad]:_no_Address");
        f_->run("set eURL borrow");
        more->actions().at(0)->trigger();
        f_->see("launch=https://c/?q=borrow");
        f_->run("set eURL CS borrow checker; click xiGO => launch=https://c/?q=borrow+checker");
        const std::string file = f_->dir().file("engines.cfg");
        std::remove(file.c_str());
        QTRY_COMPARE(entries(), (QStringList{"Edit engines...", "Add engine..."}));
        w_->moreEngines().editAction()->trigger(); // no example here: a box says why
        f_->see(QString::fromStdString("launches=3 launch=" + file));
        QCOMPARE(f_->dir().read("engines.cfg"), std::string());
        QCOMPARE(f_->messages.shown.at(1).text, noEnginesExampleMessage({}));
    }

    // engines.cfg changing while a box is open: Go keeps the engine it started with, a save
    // is read once the file has been quiet, and a warning waits for the one open to close.
    void ownEnginesAcrossBoxesAndSaves() {
        make();
        MoreEnginesMenu& more = w_->moreEngines();
        more.setQuietSpell(std::chrono::milliseconds(1000));
        const auto reads = [&](const char* name) { return more.engines().byName(name) != nullptr; };
        std::filesystem::remove(f_->dir().file("gs1001.sgg"));
        std::filesystem::create_directory(f_->dir().file("gs1001.sgg")); // Go's box: unwritable
        f_->messages.shown.clear();
        f_->messages.onShow = [&](const std::string&) {
            f_->messages.onShow = nullptr;
            // Saved as an editor may: a new file renamed over the old one.
            const std::string saved =
                f_->dir().write("engines.new", "[Other]\nKey=cs\nAddress=https://o/?q={query}\n");
            std::filesystem::rename(saved, f_->dir().file("engines.cfg"));
            QTRY_VERIFY(reads("Other"));
        };
        f_->run("set eURL CS borrow checker; click xiGO => launch=https://c/?q=borrow+checker");
        QCOMPARE(f_->messages.shown.size(), std::size_t(1));

        f_->dir().write("engines.cfg", "[Half]\nKey=h\n"); // an editor's save under way
        QTest::qWait(100);
        f_->messages.onShow = [&](const std::string&) {
            f_->messages.onShow = nullptr;
            f_->dir().write("engines.cfg", "[Next]\nAddress=https://n/\n[Worse]\n");
            QTRY_VERIFY(reads("Next"));
        };
        f_->dir().write("engines.cfg", "[Half]\nAddress=https://h/\n[Bad]\n");
        QTRY_COMPARE(f_->messages.shown.size(), std::size_t(3));
        const std::string skipped = "These sections of engines.cfg were skipped:\r\n\r\n";
        QCOMPARE(f_->messages.shown[1].text, skipped + "[Bad]: no Address");
        QCOMPARE(f_->messages.shown[2].text, skipped + "[Worse]: no Address");
        QCOMPARE(f_->messages.deepest, 1);
    }

    // The colour dialog gets the background and the kept custom colours; what it leaves in
    // them is kept in color.cld, chosen or cancelled, and read again at the next start.
    void colourDialogKeepsItsCustomColours() {
        make();
        w_->colours().dialogState().customColours[2] = 0xFF0000;
        for (const bool accept : {true, false}) {
            whenShown(&QApplication::activeModalWidget, [&](QWidget* modal) {
                auto* dialog = qobject_cast<QColorDialog*>(modal);
                QVERIFY(dialog);
                QCOMPARE(dialog->windowTitle(), QStringLiteral("Trov"));
                QCOMPARE(QColorDialog::customColor(2), QColor(0, 0, 255));
                QColorDialog::setCustomColor(7, QColor(0x12, 0x34, accept ? 0x56 : 0x57));
                dialog->setCurrentColor(QColor(0x00, 0x80, 0xFF));
                accept ? dialog->accept() : dialog->reject();
            });
            f_->run("trigger Colordialog1 => cfg:Color/Pall=16744448"); // blue-green-red
            QCOMPARE(readColorCld(f_->folder(), nullptr)->customColours[7],
                     accept ? 0x563412 : 0x573412);
        }
        QCOMPARE(w_->colours().recent().slot(0), 0xFF8000);
        MainFormFixture again(std::move(f_->dir_));
        again.create();
        QCOMPARE(again.form->colours().dialogState().customColours[7], 0x573412);
    }

    // The random colour, the colour picker and the recent colours from the menu.
    void otherColourEntries() {
        make();
        w_->colours().randomSeed = [] { return quint32(12345); };
        f_->run("trigger Randombackgroundcolor1 => cfg:Color/Pall=6465108");
        QCOMPARE(readRecentFile(f_->dir().file("Trov.lst")).colours[0], 6465108);
        w_->colours().grabScreen = [] { return Photograph{knownPicture(), QPoint(0, 0)}; };
        whenShown([] { return QApplication::activeModalWidget(); },
                  [this](QWidget* grab) {
                      QWidget* image = qobject_cast<TfColor*>(grab)->ImageGrab();
                      QTest::mouseMove(image, QPoint(95, 5));
                      f_->see("cfg:Color/Pall=65280"); // the live preview, before the click
                      QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(95, 5));
                  });
        f_->run("trigger Colorpicker1 => cfg:Color/Pall=65280 form.visible=true");
        QCOMPARE(w_->colours().recent().slot(0), 65280);
        f_->run("trigger Recentcolors1"); // holds the main window's input until OK
        QTRY_COMPARE(QApplication::activeModalWidget(),
                     static_cast<QWidget*>(w_->colours().recentWindow()));
        QTest::mouseClick(w_->colours().recentWindow()->okButton(), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
    }
    void madeLateShowsWhatMadeAtExpandShows_data() {
        QTest::addColumn<int>("change");
        for (std::size_t i = 0; i < std::size(kChanges); ++i)
            QTest::newRow(kChanges[i].name) << static_cast<int>(i);
    }

    // A: collapsed, changed, then expanded. B: expanded at once, then changed the same way.
    void madeLateShowsWhatMadeAtExpandShows() {
        QFETCH(int, change);
        const Change& c = kChanges[static_cast<std::size_t>(change)];
        MainFormFixture fa, fb;
        TMainForm& a = fa.shown("|Cats|;|atlas|;|Bat", c.cfg);
        TMainForm& b = fb.shown("|Cats|;|atlas|;|Bat", c.cfg);
        b.toggleExpanded();
        QVERIFY(!a.findChild<QLineEdit*>(QStringLiteral("eexact")));
        QVERIFY(!a.dropDown().made());
        QVERIFY(!a.findChild<CrawlerPanel*>());
        for (MainFormFixture* f : {&fa, &fb})
            f->run(c.steps, [this, f](const QStringList& p) { own(*f, p); });
        QCOMPARE(a.advancedBuilt(), !c.staysCollapsed);
        if (!a.isExpanded())
            a.toggleExpanded();
        same(a, b);
        // The tab chain runs from the kind box through the fields to the later controls.
        const QRegularExpression field(
            QStringLiteral("^(eURL|cbAll|eexact|eexclude|edomain|cb[0-9]|lb)$"));
        QCOMPARE(shown(a).second.filter(field).mid(0, 11),
                 (QStringList{"eURL", "cbAll", "eexact", "eexclude", "edomain", "cb6", "cb5", "cb3",
                              "cb2", "lb", "cb1"}));
        // Later changes reach both alike.
        for (TMainForm* w : {&a, &b}) {
            w->applyBackground(colourValue(200, 30, 30));
            w->pressEngine(SearchEngine::Ask);
        }
        same(a, b);
    }
};

QTEST_MAIN(MainFormTest)
#include "main_form_test.moc"
