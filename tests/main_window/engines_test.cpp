// The controls of the search box and the engine row, wired to the model and the menus:
// engine buttons, the crawler menus, expand and collapse, the main menu, the light and dark
// schemes, "More engines" and the "Background color" submenu.

#include "app/main_menus.h"
#include "app/more_engines_menu.h"
#include "appearance/color_cld.h"
#include "appearance/glyphs.h"
#include "appearance/grab_window.h"
#include "appearance/recent_colours.h"
#include "appearance/recent_window.h"
#include "main_form_fixture.h"
#include "tests/support/known_picture.h"
#include "tests/support/when_shown.h"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <cstdio>

using namespace trov;
using namespace trov::test;

namespace {

QStringList texts(const QMenu* menu) {
    QStringList t;
    for (const QAction* a : menu->actions())
        if (a->isVisible())
            t << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return t;
}

} // namespace

class EnginesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;

private slots:
    void init() {
        f_ = std::make_unique<MainFormFixture>();
        f_->dir().write("engines.cfg", "[Code & more]\nKey=cs\nAddress=https://c/?q={query}\n"
                                       "[Bad]\nKey=b\n");
        w_ = &f_->shown();
        // The crawler menu's four modes, then the hidden submenu's, checked or not.
        f_->moreSeen = [this](const QString& key) {
            if (key != QStringLiteral("marks"))
                return QString();
            QString marks;
            for (const char* mode :
                 {"StartFastCrawl", "StartSlowCrawl", "AllLinks", "interLinks", "/",
                  "StartFastCrawl000", "StartSlowCrawl000", "AllLinks000", "interLinks000"})
                marks += *mode == '/' ? QStringLiteral("/")
                                      : QString::number(f_->named<QAction>(mode)->isChecked());
            return marks;
        };
    }
    void cleanup() {
        w_ = nullptr;
        f_.reset();
    }

    // The buttons and the kind box apply the model's selection (the rules are the model's);
    // a crawl request picks its mode without the menu and hands the site the focus.
    void engineButtonsApplyTheSelection() {
        f_->run("click csBing => PanelMarker.x=36 cbAll.count=5; "
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

    void expandAndCollapseBesideABottomPanel() {
        f_->workAreas = {{0, 0, 1920, 1040}};
        f_->run(
            "move 100 990; click csExpand => form.height=440 form.pos=100,600 "
            "csExpand.toolTip=Collapse "
            "Crta.visible=true eexact.focusPolicy=StrongFocus cfg:Velikost/Gor=990"); // the
                                                                                      // position
                                                                                      // before the
                                                                                      // move
        QTest::mouseDClick(w_, Qt::LeftButton, {}, QPoint(250, 90));
        f_->see("form.height=80 form.pos=100,960 Crta.visible=false csExpand.toolTip=Expand");
    }

    // The scheme of each background: captions, the marker under Google, the separator line
    // and the expand button's glyph, collapsed and expanded.
    void lightAndDarkSchemes() {
        const std::tuple<int, QColor, QColor, QColor, Glyph, Glyph> rows[] = {
            {14801352, Qt::black, {93, 93, 93}, {238, 238, 238}, Glyph::Image3, Glyph::Image4},
            {0, Qt::white, Qt::white, {75, 75, 75}, Glyph::Image5, Glyph::Image6},
        };
        for (const auto& [colour, caption, marker, line, collapsed, expanded] : rows) {
            w_->applyBackground(colour);
            QCOMPARE(w_->widgets().pAll->palette().color(QPalette::Window), toQColor(colour));
            for (QLabel* l : w_->advanced().captions)
                QCOMPARE(l->palette().color(QPalette::WindowText), caption);
            QCOMPARE(w_->grab().toImage().pixelColor(15, 70), marker);
            QCOMPARE(w_->widgets().Crta->palette().color(QPalette::Window), line);
            QCOMPARE(w_->expandGlyphShown(), collapsed);
            w_->toggleExpanded();
            QCOMPARE(w_->expandGlyphShown(), expanded);
            w_->toggleExpanded();
        }
    }

    void mainMenuOpensUnderItsButton() {
        QToolButton* button = w_->widgets().xiHamburger;
        f_->run("move 10 10; click xiHamburger");
        QTRY_VERIFY(w_->menus().main->isVisible());
        QCOMPARE(w_->menus().main->pos(), button->mapToGlobal(QPoint(-1, button->height() + 1)));
        QCOMPARE(texts(w_->menus().main),
                 (QStringList{"History", "Enable search history", "Search suggestions",
                              "More engines", "-", "Save settings", "Open settings",
                              "Reset all settings", "-", "Background color", "Hide", "Auto Hide",
                              "Stay on top", "-", "About", "Exit"}));
        w_->menus().main->hide();
    }

    // "More engines": its entries, a search from it and by keyword, and the file read again
    // when it is replaced or removed.
    void moreEnginesFollowTheFile() {
        QMenu* more = w_->moreEngines().menu();
        QCOMPARE(texts(more), (QStringList{"Code && more\tcs", "-", "Edit engines..."}));
        QCOMPARE(f_->messages.shown.at(0).text,
                 "These sections of engines.cfg were skipped:\r\n\r\n[Bad]: no Address");
        f_->run("set eURL borrow");
        more->actions().at(0)->trigger();
        f_->run("set eURL CS borrow checker; click xiGO => launches=2");
        QCOMPARE(f_->launcher.launches[0].address, "https://c/?q=borrow");
        QCOMPARE(f_->launcher.launches[1].address, "https://c/?q=borrow+checker");
        const std::string file = f_->dir().file("engines.cfg");
        f_->dir().write("engines.new", "[Wiki]\nAddress=https://w/{words}\n");
        QCOMPARE(std::rename(f_->dir().file("engines.new").c_str(), file.c_str()), 0);
        QTRY_COMPARE(texts(more).first(), QStringLiteral("Wiki"));
        std::remove(file.c_str());
        QTRY_COMPARE(texts(more), QStringList{QStringLiteral("Edit engines...")});
        w_->moreEngines().editAction()->trigger();
        QVERIFY(f_->launcher.launches.back().address == file && fileExists(file));
    }

    // The colour dialog gets the background and the kept custom colours; what it leaves in
    // them is kept in color.cld, chosen or cancelled, and read again at the next start.
    void colourDialogKeepsItsCustomColours() {
        w_->colourDialogState().customColours[2] = 0xFF0000;
        for (const bool accept : {true, false}) {
            whenShown(&QApplication::activeModalWidget, [&](QWidget* modal) {
                auto* dialog = qobject_cast<QColorDialog*>(modal);
                QVERIFY(dialog && dialog->windowTitle() == QStringLiteral("Trov"));
                QCOMPARE(QColorDialog::customColor(2), QColor(0, 0, 255));
                QColorDialog::setCustomColor(7, QColor(0x12, 0x34, accept ? 0x56 : 0x57));
                dialog->setCurrentColor(QColor(0x00, 0x80, 0xFF));
                accept ? dialog->accept() : dialog->reject();
            });
            f_->run("trigger Colordialog1 => cfg:Color/Pall=16744448"); // blue-green-red
            QCOMPARE(readColorCld(f_->folder(), nullptr)->customColours[7],
                     accept ? 0x563412 : 0x573412);
        }
        QCOMPARE(w_->recentColours().slot(0), 0xFF8000);
        MainFormFixture again(std::move(f_->dir_));
        again.create();
        QCOMPARE(again.form->colourDialogState().customColours[7], 0x573412);
    }

    // The random colour, the colour picker and the recent colours from the menu.
    void otherColourEntries() {
        w_->randomSeed = [] { return quint32(12345); };
        f_->run("trigger Randombackgroundcolor1 => cfg:Color/Pall=6465108");
        QCOMPARE(readRecentFile(f_->dir().file("Trov.lst")).colours[0], 6465108);
        w_->grabScreen = [] { return Photograph{knownPicture(), QPoint(0, 0)}; };
        whenShown([] { return QApplication::activeModalWidget(); },
                  [](QWidget* grab) {
                      QWidget* image = qobject_cast<TfColor*>(grab)->ImageGrab();
                      QTest::mouseMove(image, QPoint(95, 5));
                      QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(95, 5));
                  });
        f_->run("trigger Colorpicker1 => cfg:Color/Pall=65280 form.visible=true");
        QCOMPARE(w_->recentColours().slot(0), 65280);
        f_->run("trigger Recentcolors1"); // holds the main window's input until OK
        QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(w_->recentWindow()));
        QTest::mouseClick(w_->recentWindow()->okButton(), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(EnginesTest)
#include "engines_test.moc"
