// What the window makes on first need: a start that stays collapsed never makes the
// advanced fields, the kind box's list, the suggestion drop-down or the progress panel,
// and once made they show exactly what they show when made at once, whatever changed the
// form in between.

#include "app/crawler_panel.h"
#include "app/main_menus.h"
#include "app/suggestion_list.h"
#include "history/fill_fields.h"
#include "main_form_fixture.h"
#include "settings/form_reset.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

namespace {

const std::string kStoredProfile = "[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\nBrowser=0\r\n"
                                   "Interface=3\r\nCountry=5\r\nLanguage=7\r\nType=1\r\nTime=2\r\n"
                                   "[Color]\r\nPall=3355443\r\n";

QString nameOf(const QObject* o) {
    const QString name = o->objectName();
    return name.isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : name;
}

std::size_t pictureOf(const QIcon& icon) {
    const QImage image = icon.pixmap(16, 16).toImage();
    return qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes()));
}

// One line per control under the background panel, in stacking order, with what it shows.
// Of the drop-down only its place in the stacking: its size is the last refresh's.
void describe(const QWidget* parent, const QWidget* dropDown, QStringList& out) {
    for (const QObject* child : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        if (w == dropDown) {
            out << nameOf(w);
            continue;
        }
        QString line =
            QString::asprintf("%s @%d,%d %dx%d visible=%d enabled=%d focus=%d",
                              qPrintable(nameOf(w)), w->x(), w->y(), w->width(), w->height(),
                              w->isVisible(), w->isEnabled(), static_cast<int>(w->focusPolicy()));
        for (QPalette::ColorRole r : {QPalette::Window, QPalette::WindowText, QPalette::Base,
                                      QPalette::Button, QPalette::Text})
            line += QLatin1Char(' ') + w->palette().color(r).name();
        if (const auto* e = qobject_cast<const QLineEdit*>(w))
            line += QStringLiteral(" text=[%1] readOnly=%2").arg(e->text()).arg(e->isReadOnly());
        if (const auto* c = qobject_cast<const QComboBox*>(w)) {
            line += QStringLiteral(" current=%1 items=").arg(c->currentIndex());
            for (int i = 0; i < c->count(); ++i)
                line += c->itemText(i) + QLatin1Char('|');
        }
        if (const auto* l = qobject_cast<const QLabel*>(w))
            line += QStringLiteral(" label=[%1]").arg(l->text());
        if (const auto* b = qobject_cast<const QToolButton*>(w))
            line += QStringLiteral(" tip=[%1] icon=%2").arg(b->toolTip()).arg(pictureOf(b->icon()));
        out << line;
        describe(w, dropDown, out);
    }
}

// The controls that can take the focus, in the window's tab chain.
QStringList focusChain(const TMainForm& w) {
    QStringList chain;
    for (const QWidget* it = w.nextInFocusChain(); it && it != &w; it = it->nextInFocusChain())
        if (it->focusPolicy() != Qt::NoFocus && !it->isWindow())
            chain << nameOf(it);
    return chain;
}

QStringList shown(TMainForm& w) {
    w.advanced();
    QStringList out;
    out << QStringLiteral("window %1x%2").arg(w.width()).arg(w.height());
    describe(w.widgets().pAll, w.dropDown().widget(), out);
    out << QStringLiteral("chain ") + focusChain(w).join(QLatin1Char(' '));
    return out;
}

QImage picture(TMainForm& w) {
    if (QWidget* f = w.focusWidget())
        f->clearFocus(); // no text cursor in the picture
    QApplication::processEvents();
    return w.grab().toImage();
}

// Something that changes the form through its model or its commands.
struct Change {
    const char* name;
    std::string cfg;
    // Whether a collapsed form can take it without making the advanced fields.
    bool staysCollapsed;
    void (*apply)(MainFormFixture& f, TMainForm& w);
};

const Change kChanges[] = {
    {"stored pins and background", kStoredProfile, true, [](MainFormFixture&, TMainForm&) {}},
    {"fresh profile", "", true, [](MainFormFixture&, TMainForm&) {}},
    {"indexes outside their lists",
     "[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\nBrowser=9\r\n"
     "Country=999\r\n",
     true, [](MainFormFixture&, TMainForm&) {}},
    {"dark background", kStoredProfile, true,
     [](MainFormFixture&, TMainForm& w) { w.applyBackground(colourValue(46, 52, 64)); }},
    {"engine and kind greying", kStoredProfile, true,
     [](MainFormFixture&, TMainForm& w) {
         QTest::mouseClick(w.widgets().engines[static_cast<std::size_t>(SearchEngine::DuckDuckGo)],
                           Qt::LeftButton);
         w.pressEngine(SearchEngine::Google);
         w.widgets().cbAll->setCurrentIndex(4); // Translate greys all but the browser
         w.pressEngine(SearchEngine::Wikipedia);
     }},
    {"history fill", kStoredProfile, true,
     [](MainFormFixture&, TMainForm& w) {
         // The "Default" browser keeps the window collapsed.
         FillFields(record({{kColSearch, "cats"},
                            {kColExact, "red car"},
                            {kColExclude, "blue"},
                            {kColSite, "e.com"},
                            {kColBrowser, "Default"},
                            {kColCountry, "Germany"},
                            {kColPeriod, "Past month"},
                            {kColEngine, "Bing"},
                            {kColType, "News"}}),
                    true, w);
     }},
    {"history fill then broom", kStoredProfile, true,
     [](MainFormFixture& f, TMainForm& w) {
         FillFields(record({{kColExact, "red car"},
                            {kColBrowser, "Default"},
                            {kColFileType, "Adobe PDF (.pdf)"}}),
                    true, w);
         xiMetlaClick(w, *f.config);
     }},
    {"typing in the search box", kStoredProfile, true,
     [](MainFormFixture&, TMainForm& w) {
         w.widgets().eURL->setFocus();
         QTest::keyClicks(w.widgets().eURL, QStringLiteral("at"));
         QTest::keyClick(w.widgets().eURL, Qt::Key_Escape);
     }},
    {"links with a request", kStoredProfile, false,
     [](MainFormFixture&, TMainForm& w) {
         w.form().setCrawlRequestMode(2);
         w.pressEngine(SearchEngine::Links);
         w.form().setCrawlRequestMode(kNoCrawlRequest);
     }},
    {"list crawl file", kStoredProfile, false,
     [](MainFormFixture& f, TMainForm& w) {
         w.loadCrawlList(f.dir().write("list.csv", "e.com\r\nhttp://e.com/a\r\n"));
         w.menus().PopCrawler->hide();
     }},
};

} // namespace

class LazyFieldsTest : public QObject {
    Q_OBJECT

    static std::unique_ptr<MainFormFixture> fixture(const Change& c) {
        auto f = std::make_unique<MainFormFixture>();
        f->dir().write("gs1001.sgg", "|Cats|;|atlas|;|Bat\r\n");
        if (!c.cfg.empty())
            f->writeCfg(c.cfg);
        return f;
    }
    static void showAndWait(TMainForm& w) {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QApplication::setActiveWindow(&w);
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
        auto fa = fixture(c);
        auto fb = fixture(c);
        TMainForm& a = fa->create(true);
        TMainForm& b = fb->create(true);
        showAndWait(a);
        showAndWait(b);
        b.toggleExpanded();
        QVERIFY(b.advancedBuilt());
        // A collapsed start makes none of them.
        QVERIFY(!a.findChild<QLineEdit*>(QStringLiteral("eexact")));
        QVERIFY(!a.dropDown().made() && !a.findChild<CrawlerPanel*>());
        c.apply(*fa, a);
        QCOMPARE(a.advancedBuilt(), !c.staysCollapsed);
        if (!a.isExpanded())
            a.toggleExpanded();
        c.apply(*fb, b);
        QCOMPARE(shown(a), shown(b));
        QCOMPARE(picture(a), picture(b));
        for (QLabel* l : a.advanced().captions)
            QVERIFY(l->isVisible());
        // Later changes reach both alike.
        a.applyBackground(colourValue(200, 30, 30));
        b.applyBackground(colourValue(200, 30, 30));
        a.pressEngine(SearchEngine::Ask);
        b.pressEngine(SearchEngine::Ask);
        QCOMPARE(shown(a), shown(b));
        a.toggleExpanded(); // collapsed, the fields leave the tab order
        QCOMPARE(a.advanced().eexact->focusPolicy(), Qt::ClickFocus);
    }

    // The kind box's list is made when it first opens and takes the box's font then, as a
    // combo box's list takes it when the font is set.
    void theKindListTakesTheBoxFontWhenFirstOpened() {
        MainFormFixture f;
        TMainForm& w = f.create(true);
        showAndWait(w);
        QComboBox* box = w.widgets().cbAll;
        QVERIFY(!box->findChild<QAbstractItemView*>());
        QComboBox plain(w.widgets().pAll);
        plain.setFont(box->font());
        plain.addItem(QStringLiteral("All"));
        QVERIFY(plain.findChild<QAbstractItemView*>()); // made by the font change
        box->showPopup();
        plain.showPopup();
        QCOMPARE(box->view()->font(), plain.view()->font());
        QCOMPARE(box->view()->window()->font(), plain.view()->window()->font());
        box->hidePopup();
        plain.hidePopup();
        // Later font changes reach the list at once.
        QFont bigger = box->font();
        bigger.setPixelSize(20);
        box->setFont(bigger);
        QCOMPARE(box->view()->font().pixelSize(), 20);
    }

    // The drop-down and the progress panel were made after the fields and cover them; the
    // tab chain runs from the kind box through the fields to them.
    void fieldsStayUnderTheDropDownAndTheProgressPanel() {
        MainFormFixture f;
        f.dir().write("gs1001.sgg", "|word0|;|word1|;|word2|;|word3|;|word4|;|word5|;|word6|;"
                                    "|word7|;|word8|;|word9\r\n");
        TMainForm& w = f.create(true);
        showAndWait(w);
        w.toggleExpanded();
        const AdvancedFields& a = w.advanced();
        w.widgets().eURL->setFocus();
        QTest::keyClicks(w.widgets().eURL, QStringLiteral("zz")); // no match: made, not raised
        QListWidget* list = w.dropDown().widget();
        const QObjectList& stacking = w.widgets().pAll->children();
        QVERIFY(stacking.indexOf(list) < stacking.indexOf(w.crawlerPanel()));
        w.widgets().eURL->clear();
        QTest::keyClicks(w.widgets().eURL, QStringLiteral("word"));
        QVERIFY(list->isVisible());
        const QPoint overExact = list->geometry().intersected(a.xiExact->geometry()).center();
        QWidget* hit = w.widgets().pAll->childAt(overExact);
        QVERIFY(hit == list || list->isAncestorOf(hit));
        list->hide();

        CrawlerPanel* panel = w.crawlerPanel();
        panel->show();
        const QPoint overLists = panel->geometry().intersected(a.fCb3->geometry()).center();
        hit = w.widgets().pAll->childAt(overLists);
        QVERIFY(hit == panel || panel->isAncestorOf(hit));

        const QStringList chain = focusChain(w);
        const QStringList fields = {"eURL", "cbAll", "eexact", "eexclude", "edomain", "cb6",
                                    "cb5",  "cb3",   "cb2",    "lb",       "cb1"};
        QCOMPARE(chain.mid(0, fields.size()), fields);
        QVERIFY(chain.indexOf(nameOf(list)) > chain.indexOf(QStringLiteral("cb1")));
        QVERIFY(chain.indexOf(nameOf(panel->cancelButton())) > chain.indexOf(nameOf(list)));
    }
};

QTEST_MAIN(LazyFieldsTest)
#include "lazy_fields_test.moc"
