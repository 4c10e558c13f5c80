// What the window makes on first need: a start that stays collapsed never makes the
// advanced fields, the suggestion drop-down or the progress panel, and once made they show
// exactly what they show when made at once, whatever changed the form in between.

#include "app/crawler_panel.h"
#include "app/main_menus.h"
#include "history/fill_fields.h"
#include "main_form_fixture.h"
#include "settings/form_reset.h"

#include <QMenu>

using namespace trov;
using namespace trov::test;

namespace {

const std::string kPinned = kStoredProfile + "Browser=0\r\nInterface=3\r\nCountry=5\r\n"
                                             "Language=7\r\nType=1\r\nTime=2\r\n";

// What the form shows, as a picture (no text cursor in it), with what a picture does not
// show: the tab chain, the site's read-only state and the hints.
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

// Changes through the form's model and commands, as steps of the fixture's scripts and
// these: dark (a background), fill (a history record whose "Default" browser keeps the
// form collapsed), broom, list (a list crawl's file). The last ones need the fields made.
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
    {"indexes outside their lists and a history fill",
     kStoredProfile + "Browser=9\r\nCountry=999\r\n", "fill", true},
    {"a history fill, then the broom", kPinned, "fill; broom", true},
    {"links with a request", kPinned, "request 2; click csSpider; request 99", false},
    {"a list crawl's file", kPinned, "list", false},
};

} // namespace

class LazyFieldsTest : public QObject {
    Q_OBJECT

    static void change(MainFormFixture& f, const QStringList& p) {
        TMainForm& w = *f.form;
        if (p[0] == QStringLiteral("dark"))
            w.applyBackground(colourValue(46, 52, 64));
        if (p[0] == QStringLiteral("fill"))
            FillFields(record({{kColSearch, "cats"},
                               {kColExact, "red car"},
                               {kColExclude, "blue"},
                               {kColSite, "e.com"},
                               {kColBrowser, "Default"},
                               {kColCountry, "Germany"},
                               {kColPeriod, "Past month"},
                               {kColEngine, "Bing"},
                               {kColType, "News"},
                               {kColFileType, "Adobe PDF (.pdf)"}}),
                       true, w);
        if (p[0] == QStringLiteral("broom"))
            xiMetlaClick(w, *f.config);
        if (p[0] == QStringLiteral("list")) {
            w.loadCrawlList(f.dir().write("list.csv", "e.com\r\nhttp://e.com/a\r\n"));
            w.menus().PopCrawler->hide();
        }
    }

    static void same(TMainForm& a, TMainForm& b) {
        const auto [pictureA, moreA] = shown(a);
        const auto [pictureB, moreB] = shown(b);
        QCOMPARE(moreA, moreB);
        QCOMPARE(pictureA, pictureB);
    }

private slots:
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
        QVERIFY(!a.dropDown().made() && !a.findChild<CrawlerPanel*>());
        for (MainFormFixture* f : {&fa, &fb})
            f->run(c.steps, [f](const QStringList& p) { LazyFieldsTest::change(*f, p); });
        QCOMPARE(a.advancedBuilt(), !c.staysCollapsed);
        if (!a.isExpanded())
            a.toggleExpanded();
        same(a, b);
        // The tab chain runs from the kind box through the fields to the later controls.
        QCOMPARE(shown(a).second.mid(1, 11),
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

QTEST_MAIN(LazyFieldsTest)
#include "lazy_fields_test.moc"
