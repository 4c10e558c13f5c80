// What the window makes on first need: a start that stays collapsed never makes the
// advanced fields, the suggestion drop-down or the progress panel, and once made they show
// exactly what they show when made at once, whatever changed the form in between.

#include "app/crawler_panel.h"
#include "app/main_menus.h"
#include "app/suggestion_list.h"
#include "history/fill_fields.h"
#include "main_form_fixture.h"
#include "settings/form_reset.h"

#include <QComboBox>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

namespace {

const std::string kPinned = kStoredProfile + "Browser=0\r\nInterface=3\r\nCountry=5\r\n"
                                             "Language=7\r\nType=1\r\nTime=2\r\n"
                                             "[Color]\r\nPall=3355443\r\n";

QString nameOf(const QObject* o) {
    const QString name = o->objectName();
    return name.isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : name;
}

// One line per control under the background panel, in stacking order, with what it shows;
// of the drop-down only its place in the stacking (its size is the last refresh's).
void describe(const QWidget* parent, const QWidget* dropDown, QStringList& out) {
    for (const QWidget* w : parent->findChildren<const QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (w->isWindow())
            continue;
        QString line = nameOf(w);
        if (w != dropDown) {
            QDebug d(&line);
            d << w->geometry() << w->isVisible() << w->isEnabled() << w->focusPolicy();
            for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base,
                              QPalette::Button, QPalette::Text})
                d << w->palette().color(role);
            for (const char* property : {"text", "readOnly", "currentIndex", "toolTip"})
                d << w->property(property);
            if (const auto* c = qobject_cast<const QComboBox*>(w))
                for (int i = 0; i < c->count(); ++i)
                    d << c->itemText(i);
            if (const auto* b = qobject_cast<const QToolButton*>(w)) {
                const QImage icon = b->icon().pixmap(16, 16).toImage();
                d << qHashBits(icon.constBits(), static_cast<std::size_t>(icon.sizeInBytes()));
            }
        }
        out << line;
        if (w != dropDown)
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
    QStringList out{QStringLiteral("window %1x%2").arg(w.width()).arg(w.height())};
    describe(w.widgets().pAll, w.dropDown().widget(), out);
    return out << focusChain(w);
}

QImage picture(TMainForm& w) {
    if (QWidget* f = w.focusWidget())
        f->clearFocus(); // no text cursor in the picture
    QApplication::processEvents();
    return w.grab().toImage();
}

// Something that changes the form through its model or its commands, and whether a
// collapsed form takes it without making the advanced fields.
struct Change {
    const char* name;
    std::string cfg;
    bool staysCollapsed;
    void (*apply)(MainFormFixture& f, TMainForm& w);
};

const Change kChanges[] = {
    {"stored pins and background", kPinned, true, [](MainFormFixture&, TMainForm&) {}},
    {"indexes outside their lists", kStoredProfile + "Browser=9\r\nCountry=999\r\n", true,
     [](MainFormFixture&, TMainForm&) {}},
    {"dark background", kPinned, true,
     [](MainFormFixture&, TMainForm& w) { w.applyBackground(colourValue(46, 52, 64)); }},
    {"engine and kind greying", kPinned, true,
     [](MainFormFixture&, TMainForm& w) {
         QTest::mouseClick(w.widgets().engines[2], Qt::LeftButton); // DuckDuckGo
         w.pressEngine(SearchEngine::Google);
         w.widgets().cbAll->setCurrentIndex(4); // Translate greys all but the browser
         w.pressEngine(SearchEngine::Wikipedia);
     }},
    {"history fill", kPinned, true, // the "Default" browser keeps the window collapsed
     [](MainFormFixture&, TMainForm& w) {
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
    {"history fill then broom", kPinned, true,
     [](MainFormFixture& f, TMainForm& w) {
         FillFields(record({{kColExact, "red car"},
                            {kColBrowser, "Default"},
                            {kColFileType, "Adobe PDF (.pdf)"}}),
                    true, w);
         xiMetlaClick(w, *f.config);
     }},
    {"typing in the search box", kPinned, true,
     [](MainFormFixture&, TMainForm& w) {
         w.widgets().eURL->setFocus();
         QTest::keyClicks(w.widgets().eURL, QStringLiteral("at"));
         QTest::keyClick(w.widgets().eURL, Qt::Key_Escape);
     }},
    {"links with a request", kPinned, false,
     [](MainFormFixture&, TMainForm& w) {
         w.form().setCrawlRequestMode(2);
         w.pressEngine(SearchEngine::Links);
         w.form().setCrawlRequestMode(kNoCrawlRequest);
     }},
    {"list crawl file", kPinned, false,
     [](MainFormFixture& f, TMainForm& w) {
         w.loadCrawlList(f.dir().write("list.csv", "e.com\r\nhttp://e.com/a\r\n"));
         w.menus().PopCrawler->hide();
     }},
};

} // namespace

class LazyFieldsTest : public QObject {
    Q_OBJECT

    static TMainForm& make(std::unique_ptr<MainFormFixture>& f, const std::string& cfg,
                           const std::string& suggestions = "|Cats|;|atlas|;|Bat") {
        f = std::make_unique<MainFormFixture>();
        return f->shown(suggestions, cfg);
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
        std::unique_ptr<MainFormFixture> fa, fb;
        TMainForm& a = make(fa, c.cfg);
        TMainForm& b = make(fb, c.cfg);
        b.toggleExpanded();
        QVERIFY(!a.findChild<QLineEdit*>(QStringLiteral("eexact")));
        QVERIFY(!a.dropDown().made() && !a.findChild<CrawlerPanel*>());
        c.apply(*fa, a);
        QCOMPARE(a.advancedBuilt(), !c.staysCollapsed);
        if (!a.isExpanded())
            a.toggleExpanded();
        c.apply(*fb, b);
        QCOMPARE(shown(a), shown(b));
        QCOMPARE(picture(a), picture(b));
        // Later changes reach both alike.
        for (TMainForm* w : {&a, &b}) {
            w->applyBackground(colourValue(200, 30, 30));
            w->pressEngine(SearchEngine::Ask);
        }
        QCOMPARE(shown(a), shown(b));
        a.toggleExpanded(); // collapsed, the fields leave the tab order
        QCOMPARE(a.advanced().eexact->focusPolicy(), Qt::ClickFocus);
    }

    // The drop-down and the progress panel, made after the fields, cover them; the tab
    // chain runs from the kind box through the fields to them.
    void fieldsStayUnderTheDropDownAndTheProgressPanel() {
        std::unique_ptr<MainFormFixture> f;
        TMainForm& w = make(f, kStoredProfile, "|word0|;|word1|;|word2|;|word3|;|word4|;|word5");
        w.toggleExpanded();
        w.widgets().eURL->setFocus();
        QTest::keyClicks(w.widgets().eURL, QStringLiteral("zz")); // no match: made, not raised
        QListWidget* list = w.dropDown().widget();
        CrawlerPanel* panel = w.crawlerPanel();
        QWidget* pAll = w.widgets().pAll;
        QVERIFY(pAll->children().indexOf(list) < pAll->children().indexOf(panel));
        w.widgets().eURL->clear();
        QTest::keyClicks(w.widgets().eURL, QStringLiteral("word"));
        const QPoint overExact =
            list->geometry().intersected(w.advanced().xiExact->geometry()).center();
        QVERIFY(list->isAncestorOf(pAll->childAt(overExact)));
        list->hide();
        panel->show();
        const QPoint overLists =
            panel->geometry().intersected(w.advanced().fCb3->geometry()).center();
        QWidget* hit = pAll->childAt(overLists);
        QVERIFY(hit == panel || panel->isAncestorOf(hit));
        const QStringList chain = focusChain(w);
        QCOMPARE(chain.mid(0, 11), (QStringList{"eURL", "cbAll", "eexact", "eexclude", "edomain",
                                                "cb6", "cb5", "cb3", "cb2", "lb", "cb1"}));
        QVERIFY(chain.indexOf(nameOf(list)) > chain.indexOf(QStringLiteral("cb1")));
        QVERIFY(chain.indexOf(nameOf(panel->cancelButton())) > chain.indexOf(nameOf(list)));
    }
};

QTEST_MAIN(LazyFieldsTest)
#include "lazy_fields_test.moc"
