// Keys and mouse in the four text fields, the suggestion owner and the drop-down, and the
// commands around the fields that rewrite them: scenarios of steps, each with what the
// user then sees.

#include "app/form_windows.h"
#include "app/main_menus.h"
#include "app/suggestion_list.h"
#include "history/window.h"
#include "main_form_fixture.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

using namespace trov;
using namespace trov::test;

namespace {

// Steps ("verb target argument") separated by "; ", each followed by " => " and what is
// then seen: "key=value" pairs, '_' for a blank. Keys: list (its rows, "-" when hidden),
// place (left,top,rows), row, focus, go (searches launched), owner, store (the suggestion
// file) or a field's name (its text).
struct Scenario {
    const char* name;
    const char* store;
    const char* steps;
};

const Scenario kScenarios[] = {
    {"enter in each field runs go, storing the owner's text", "",
     "type eURL cats; expand; key eURL Return => go=1; key eexact Return => go=2; "
     "key eexclude Return => go=3; key edomain Return => go=4 store=|cats\r\n"},
    {"under the owner: one row while collapsed, under the exact phrase when expanded",
     "|Cats|;|atlas|;|Bat",
     "type eURL at => list=atlas|Cats|Bat_ place=11,41,1; expand; "
     "type eexact at => list=atlas|Cats|Bat_ place=11,138,3; "
     "history; clear eURL => list=-; type eURL c => list=-; nohistory; type eURL a => list=Cats"},
    {"Esc empties the owner, also from another field, without reopening the list",
     "|Cats|;|atlas|;|Bat",
     "expand; type eexact ca => list=Cats; click eURL => list=-; "
     "key eURL Escape => list=- eexact= owner=2; type eURL b => list=Bat_; "
     "set eURL zzz => list=-; key eURL Down => list=- eURL=zzz focus=eURL; "
     "clear eURL; key eURL Escape; type eURL c => list=Cats"},
    {"Down steps into the list from each field; Up on the first row steps back",
     "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; key eURL Down => focus=GsLB row=0 eURL=atlas; "
     "key GsLB Down => eURL=Cats; key GsLB Up; key GsLB Up => focus=eURL eURL=atlas; hide; "
     "type eexact at; key eexact Down => focus=GsLB eexact=atlas; key GsLB Down => eexact=Cats; "
     "key GsLB Up; key GsLB Up => focus=eexact eexact=atlas; hide; "
     "type eexclude at; key eexclude Down => focus=GsLB eexclude=atlas; hide; "
     "type edomain at; key edomain Down => focus=GsLB edomain=atlas"},
    {"only a row chosen replaces typed text; Down fills the field it is pressed in",
     "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; focus GsLB => eURL=at; focus eexact; "
     "key eexact Down => eexact=atlas eURL=at focus=GsLB"},
    {"Enter, Esc and a double click in the list", "|Cats|;|atlas|;|Bat",
     "type eURL at; key eURL Down; key GsLB Return => go=1 list=- eURL=atlas; clear eURL; "
     "type eURL at; key eURL Down; key GsLB Escape => eURL= focus=eURL list=-; "
     "type eURL at; dclickrow GsLB 1 => eURL=Cats go=2 list=-"},
    {"clicks and focus hide the list; entering the exact phrase does not", "|Cats|;|atlas|;|Bat",
     "expand; type eURL at => list=atlas|Cats|Bat_; focus eexact => list=atlas|Cats|Bat_; "
     "focus eexclude => list=-; type eURL l => list=atlas; click eURL => list=-; "
     "dclick eURL => list=atlas; press pAll => list=-"},
    {"Delete search suggestion", "|Cats|;|atlas|;|Bat|;|CATS",
     "type eURL ca; key eURL Down => row=0 eURL=CATS_; "
     "delete => eURL= list=- store=|atlas|;|Bat\r\n"},
    {"the broom, reset and open settings close the list", "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; focus eexact; broom => list=- focus=eURL; type eURL at; "
     "focus eexact; reset => list=- focus=eURL; type eURL at; focus eexact; open => list=-"},
};

} // namespace

class FieldsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    std::unique_ptr<FormWindows> windows_;
    TMainForm* w_ = nullptr;
    QListWidget* list() { return w_->dropDown().widget(); }

    QWidget* widget(const QString& name) {
        return name == QStringLiteral("GsLB") ? list() : w_->findChild<QWidget*>(name);
    }
    QString seen(const QString& key) {
        QListWidget* l = w_->dropDown().made() ? list() : nullptr;
        QStringList rows;
        for (int i = 0; l && l->isVisible() && i < l->count(); ++i)
            rows << l->item(i)->text();
        if (key == QStringLiteral("list"))
            return rows.isEmpty() ? QStringLiteral("-") : rows.join(QLatin1Char('|'));
        if (key == QStringLiteral("place"))
            return QStringLiteral("%1,%2,%3")
                .arg(l->x())
                .arg(l->y())
                .arg((l->height() - 2 * l->frameWidth()) / 17);
        if (key == QStringLiteral("row"))
            return QString::number(l->currentRow());
        if (key == QStringLiteral("focus"))
            return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : "-";
        if (key == QStringLiteral("go"))
            return QString::number(f_->launcher.launches.size());
        if (key == QStringLiteral("owner"))
            return QString::number(static_cast<int>(w_->form().suggestionOwner()));
        if (key == QStringLiteral("store"))
            return QString::fromStdString(f_->dir().read("gs1001.sgg"));
        return qobject_cast<QLineEdit*>(widget(key))->text();
    }
    void act(const QString& action) {
        const QStringList p = action.split(QLatin1Char(' '));
        const QString& verb = p[0];
        QWidget* target = p.size() > 1 ? widget(p[1]) : nullptr;
        const std::map<QString, Qt::Key> keys{{"Return", Qt::Key_Return},
                                              {"Escape", Qt::Key_Escape},
                                              {"Down", Qt::Key_Down},
                                              {"Up", Qt::Key_Up}};
        if (verb == "type") {
            target->setFocus();
            QTest::keyClicks(target, p[2]);
        } else if (verb == "set" || verb == "clear") {
            qobject_cast<QLineEdit*>(target)->setText(p.value(2));
        } else if (verb == "key") {
            QTest::keyClick(target, keys.at(p[2]));
        } else if (verb == "click" || verb == "press") {
            QTest::mouseClick(target, Qt::LeftButton, {},
                              verb == "press" ? QPoint(300, 60) : QPoint());
        } else if (verb == "dclick") {
            QTest::mouseDClick(target, Qt::LeftButton);
        } else if (verb == "dclickrow") {
            const QPoint at = list()->visualItemRect(list()->item(p[2].toInt())).center();
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        } else if (verb == "focus") {
            target->setFocus(Qt::TabFocusReason);
        } else if (verb == "expand") {
            w_->toggleExpanded();
        } else if (verb == "hide") {
            w_->dropDown().hide();
        } else if (verb == "history") {
            windows_->showHistory();
            w_->dropDown().hide();
        } else if (verb == "nohistory") {
            windows_->historyWindow().hide();
        } else if (verb == "delete") {
            w_->dropDown().menu()->actions().at(0)->trigger();
        } else if (verb == "broom") {
            w_->widgets().xiMetla->click();
        } else if (verb == "reset") {
            f_->messages.answers = {true};
            w_->menus().ResetAllSettings1->trigger();
        } else if (verb == "open") {
            const std::string file = f_->dir().write("s.gms", "[Pin]\r\nTip2=2\r\n");
            f_->files.open = [file](const FileDialogSpec&, const std::string&) { return file; };
            w_->menus().OpenSettings1->trigger();
        }
    }

private slots:
    void keysAndMouseInTheFields_data() {
        QTest::addColumn<int>("scenario");
        for (std::size_t i = 0; i < std::size(kScenarios); ++i)
            QTest::newRow(kScenarios[i].name) << static_cast<int>(i);
    }
    void keysAndMouseInTheFields() {
        QFETCH(int, scenario);
        const Scenario& s = kScenarios[static_cast<std::size_t>(scenario)];
        f_ = std::make_unique<MainFormFixture>();
        w_ = &f_->shown(s.store);
        FormWindowHooks hooks;
        hooks.files = &f_->files;
        windows_ = std::make_unique<FormWindows>(*w_, *f_->history, *f_->suggestions, *f_->config,
                                                 f_->messages, DataFolder(f_->folder()), hooks);
        f_->services->formCommands = windows_.get();
        for (const QString& step : QString::fromLatin1(s.steps).split(QStringLiteral("; "))) {
            act(step.section(QStringLiteral(" => "), 0, 0));
            const QString seenText = step.section(QStringLiteral(" => "), 1);
            for (const QString& pair : seenText.split(' ', Qt::SkipEmptyParts)) {
                const QString key = pair.section(QLatin1Char('='), 0, 0);
                const QString want = pair.section(QLatin1Char('='), 1).replace('_', ' ');
                QVERIFY2(seen(key) == want,
                         qPrintable(QStringLiteral("%1: %2 is [%3]").arg(step, key, seen(key))));
            }
        }
    }
    void cleanup() {
        if (f_)
            f_->services->formCommands = nullptr;
        windows_.reset();
        w_ = nullptr;
        f_.reset();
    }
};

QTEST_MAIN(FieldsTest)
#include "fields_test.moc"
