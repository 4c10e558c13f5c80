// Engine buttons, the field colouring, Go through the desktop's opener, expand and collapse
// beside a bottom panel, and the light and dark schemes.

#include "app/main_menus.h"
#include "appearance/glyphs.h"
#include "compose/engines.h"
#include "main_form_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

namespace {

QColor face(const QWidget* w) {
    return w->palette().color(QPalette::Base);
}

const QColor kFaceGrey(0xA0, 0xA0, 0xA0);
const QColor kFaceWhite(Qt::white);

} // namespace

class EnginesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;

    void click(SearchEngine e) {
        QTest::mouseClick(w_->widgets().engines[static_cast<std::size_t>(e)], Qt::LeftButton);
    }

private slots:
    // Every case starts from a shown window on a stored profile.
    void init() {
        f_ = std::make_unique<MainFormFixture>();
        f_->writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n");
        w_ = &f_->create();
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
    }
    void cleanup() {
        w_ = nullptr;
        f_.reset();
    }

    // The buttons apply the model's selection: the marker, the kinds, the colours, the
    // crawler menu, the height and the engine's link table (the rules are the model's).
    void engineButtonsApplyTheSelection() {
        const MainFormWidgets& w = w_->widgets();
        w.cbAll->setCurrentIndex(5); // Books
        click(SearchEngine::Bing);
        QVERIFY(w.engines[1]->isChecked());
        QCOMPARE(w.PanelMarker->x(), 11 + 25);
        QCOMPARE(w.cbAll->count(), 5); // the engine's kinds
        QCOMPARE(w.cbAll->currentIndex(), 0);
        w.cbAll->setCurrentIndex(4); // Translate greys all but the browser
        const AdvancedFields& a = w_->advanced();
        QCOMPARE(face(a.eexact), kFaceGrey);
        QCOMPARE(face(a.lb), kFaceWhite);
        click(SearchEngine::DuckDuckGo);
        QCOMPARE(face(a.eexclude), kFaceGrey);
        QCOMPARE(face(a.fCb1), kFaceGrey);
        QCOMPARE(a.xiExclude->palette().color(QPalette::Window), kFaceGrey);
        QVERIFY(a.edomain->isEnabled()); // greyed fields stay usable
        click(SearchEngine::Links);
        QTRY_VERIFY(w_->menus().PopCrawler->isVisible());
        QCOMPARE(w_->height(), kExpandedHeight);
        QVERIFY(!w.cbAll->isEnabled());
        QCOMPARE(face(w.cbAll), kFaceGrey);
        w_->menus().mode(CrawlMode::AllLinks)->trigger();
        w_->menus().PopCrawler->hide();
        QVERIFY(w_->form().crawlMarks()[CrawlMode::AllLinks]);
        LinkList& list = w_->runner().engine().linkList();
        list.setAddress(1, "http://x.example/");
        click(SearchEngine::Ask);
        QCOMPARE(list[1].address, std::string());
        // A crawl request picks its mode without the menu and hands the site the focus.
        w_->form().setCrawlRequestMode(2);
        click(SearchEngine::Links);
        QVERIFY(!w_->menus().PopCrawler->isVisible());
        QVERIFY(w_->form().crawlMarks()[CrawlMode::interLinks]);
        QVERIFY(a.edomain->hasFocus() || !w_->isActiveWindow());
    }

    // The hidden "Crawler" submenu's entries show the pop-up menu's marks, whichever
    // menu, engine button or request changed them.
    void hiddenSubmenuMirrorsTheCrawlerMenu() {
        MainMenus& m = w_->menus();
        const auto marks = [&] {
            return QList<bool>{m.mode(CrawlMode::StartFastCrawl)->isChecked(),
                               m.mode(CrawlMode::StartSlowCrawl)->isChecked(),
                               m.mode(CrawlMode::AllLinks)->isChecked(),
                               m.mode(CrawlMode::interLinks)->isChecked()};
        };
        const auto submenu = [&] {
            return QList<bool>{m.subFast->isChecked(), m.subSlow->isChecked(),
                               m.subAll->isChecked(), m.subInternal->isChecked()};
        };
        // No mode at the start: nothing checked in either menu.
        QCOMPARE(marks(), (QList<bool>{false, false, false, false}));
        QCOMPARE(submenu(), marks());
        struct Step {
            QAction* action;
            int requestMode;
            QList<bool> expected; // fast, slow, all, internal
        };
        const Step steps[] = {
            {m.subSlow, kNoCrawlRequest, {false, true, false, false}},
            {m.subAll, kNoCrawlRequest, {false, false, true, false}},
            // Its own entry is none of the pop-up's: nothing stays checked...
            {m.subFast, kNoCrawlRequest, {false, false, false, false}},
            // ...unless the crawl request names a mode.
            {m.subFast, 1, {false, false, true, false}},
            {m.subFast, 2, {false, false, false, true}},
            {m.mode(CrawlMode::AllLinks), kNoCrawlRequest, {false, false, true, false}},
            // Triggering a checked entry again must not uncheck its mirror.
            {m.subAll, kNoCrawlRequest, {false, false, true, false}},
            {m.mode(CrawlMode::interLinks), kNoCrawlRequest, {false, false, false, true}},
        };
        for (const Step& step : steps) {
            w_->form().setCrawlRequestMode(step.requestMode);
            step.action->trigger();
            QCOMPARE(marks(), step.expected);
            QCOMPARE(submenu(), step.expected);
        }
        // Another engine's button clears the marks, in both menus.
        w_->form().setCrawlRequestMode(kNoCrawlRequest);
        click(SearchEngine::Ask);
        QCOMPARE(submenu(), (QList<bool>{false, false, false, false}));
    }

    void nothingToSearch() {
        QTest::mouseClick(w_->widgets().xiGO, Qt::LeftButton);
        QCOMPARE(f_->messages.shown.size(), std::size_t(1));
        QCOMPARE(
            f_->messages.shown[0].text,
            std::string("There is nothing to search.\r\n\r\nPlease fill in at least one field."));
        QVERIFY(f_->launcher.launches.empty());
    }

    void expandAndCollapseBesideABottomPanel() {
        f_->workAreas = {{0, 0, 1920, 1040}};
        w_->move(100, 990);
        QTest::mouseClick(w_->widgets().csExpand, Qt::LeftButton);
        QCOMPARE(w_->height(), kExpandedHeight);
        QCOMPARE(w_->y(), 1040 - 440);
        QCOMPARE(w_->widgets().csExpand->toolTip(), QStringLiteral("Collapse"));
        QVERIFY(w_->widgets().Crta->isVisible());
        QCOMPARE(w_->advanced().eexact->focusPolicy(), Qt::StrongFocus);
        // The position was saved before the move.
        QVERIFY(f_->readCfg().find("Gor=990\r\n") != std::string::npos);
        QTest::mouseDClick(w_, Qt::LeftButton, {}, QPoint(250, 90));
        QCOMPARE(w_->height(), kCollapsedHeight);
        QCOMPARE(w_->y(), 1040 - 80);
        QVERIFY(!w_->widgets().Crta->isVisible());
        QCOMPARE(w_->widgets().csExpand->toolTip(), QStringLiteral("Expand"));
    }

    void lightAndDarkSchemes_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<QColor>("caption");
        QTest::addColumn<QColor>("marker");
        QTest::addColumn<QColor>("line");
        QTest::newRow("default") << 14801352 << QColor(Qt::black) << QColor(93, 93, 93)
                                 << QColor(238, 238, 238);
        QTest::newRow("black") << 0 << QColor(Qt::white) << QColor(Qt::white) << QColor(75, 75, 75);
    }

    void lightAndDarkSchemes() {
        QFETCH(int, colour);
        QFETCH(QColor, caption);
        QFETCH(QColor, marker);
        QFETCH(QColor, line);
        w_->applyBackground(colour);
        const MainFormWidgets& w = w_->widgets();
        QCOMPARE(w.pAll->palette().color(QPalette::Window), toQColor(colour));
        for (QLabel* l : w_->advanced().captions)
            QCOMPARE(l->palette().color(QPalette::WindowText), caption);
        QCOMPARE(w_->grab().toImage().pixelColor(15, 70), marker); // drawn under Google
        QCOMPARE(w.Crta->palette().color(QPalette::Window), line);
        const bool dark = caption == QColor(Qt::white);
        QCOMPARE(w_->expandGlyphShown(), dark ? Glyph::Image5 : Glyph::Image3);
        w_->toggleExpanded();
        QCOMPARE(w_->expandGlyphShown(), dark ? Glyph::Image6 : Glyph::Image4);
        const QImage pin = w_->advanced().pins[1]->icon().pixmap(16, 16).toImage();
        bool white = false;
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                white = white || pin.pixelColor(x, y) == QColor(Qt::white);
        QCOMPARE(white, dark);
    }

    void mainMenuOpensUnderItsButton() {
        w_->move(10, 10);
        QTest::mouseClick(w_->widgets().xiHamburger, Qt::LeftButton);
        QMenu* menu = w_->menus().main;
        QTRY_VERIFY(menu->isVisible());
        const QPoint corner = w_->widgets().xiHamburger->mapToGlobal(
            QPoint(-1, w_->widgets().xiHamburger->height() + 1));
        QCOMPARE(menu->pos(), corner);
        QStringList items;
        for (QAction* a : menu->actions())
            if (a->isVisible())
                items << (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(items, (QStringList{"History", "Enable search history", "Search suggestions",
                                     "More engines", "-", "Save settings", "Open settings",
                                     "Reset all settings", "-", "Background color", "Hide",
                                     "Auto Hide", "Stay on top", "-", "About", "Exit"}));
        QVERIFY(!w_->menus().Crawler1->menuAction()->isVisible());
        menu->hide();
    }
};

QTEST_MAIN(EnginesTest)
#include "engines_test.moc"
