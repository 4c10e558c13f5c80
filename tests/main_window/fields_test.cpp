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

using namespace trov;
using namespace trov::test;

namespace {

// Scripts of steps and what is then seen, run by the fixture, with these scenarios' own
// steps (dclickrow, nohistory, delete) and what the suggestion file holds (store).
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
     "type eURL at => list=atlas|Cats|Bat_ GsLB.geometry=11,41,436x21; expand; "
     "type eexact at => GsLB.geometry=11,138,436x55; trigger History1; click eURL; "
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
     "click edomain; type edomain at; key edomain Down => focus=GsLB edomain.text=atlas"},
    {"only a row chosen replaces typed text; Down fills the field it is pressed in",
     "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; focus GsLB => eURL.text=at; focus eexact; "
     "key eexact Down => eexact.text=atlas eURL.text=at focus=GsLB"},
    {"Enter, Esc and a double click in the list", "|Cats|;|atlas|;|Bat",
     "type eURL at; key eURL Down; key GsLB Return => launches=1 list=- eURL.text=atlas; "
     "clear eURL; type eURL at; key eURL Down; key GsLB Escape => eURL.text= focus=eURL list=-; "
     "type eURL at; dclickrow 1 => eURL.text=Cats launches=2 list=-"},
    {"clicks and focus hide the list; entering the exact phrase does not", "|Cats|;|atlas|;|Bat",
     "expand; type eURL at => list=atlas|Cats|Bat_; focus eexact => list=atlas|Cats|Bat_; "
     "focus eexclude => list=-; type eURL l => list=atlas; click eURL => list=-; "
     "dclick eURL => list=atlas; press pAll => list=-"},
    {"Delete search suggestion", "|Cats|;|atlas|;|Bat|;|CATS",
     "type eURL ca; key eURL Down => GsLB.currentRow=0 eURL.text=CATS_; "
     "delete => eURL.text= list=- store=|atlas|;|Bat\r\n"},
    {"the broom, reset and open settings close the list", "|Cats|;|atlas|;|Bat",
     "expand; type eURL at; focus eexact; click xiMetla => list=- focus=eURL; type eURL at; "
     "focus eexact; answer; trigger ResetAllSettings1 => list=- focus=eURL; type eURL at; "
     "focus eexact; trigger OpenSettings1 => list=-"},
};

} // namespace

class FieldsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    std::unique_ptr<FormWindows> windows_;

    void act(const QStringList& p) {
        QListWidget* list = f_->form->dropDown().widget();
        const QPoint at = list->visualItemRect(list->item(p.value(1).toInt())).center();
        if (p[0] == QStringLiteral("dclickrow")) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        if (p[0] == QStringLiteral("nohistory"))
            windows_->historyWindow().hide();
        if (p[0] == QStringLiteral("delete"))
            f_->form->dropDown().menu()->actions().at(0)->trigger();
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
        TMainForm& w = f_->shown(s.store);
        FormWindowHooks hooks;
        hooks.files = &f_->files;
        windows_ = std::make_unique<FormWindows>(w, *f_->history, *f_->suggestions, *f_->config,
                                                 f_->messages, DataFolder(f_->folder()), hooks);
        f_->services->formCommands = windows_.get();
        f_->moreSeen = [this](const QString& key) {
            return key == "store" ? QString::fromStdString(f_->dir().read("gs1001.sgg"))
                                  : QString();
        };
        const std::string file = f_->dir().write("s.gms", "[Pin]\r\nTip2=2\r\n");
        f_->files.open = [file](const FileDialogSpec&, const std::string&) { return file; };
        f_->run(QString::fromLatin1(s.steps), [this](const QStringList& p) { act(p); });
    }
    void cleanup() {
        if (f_)
            f_->services->formCommands = nullptr;
        windows_.reset();
        f_.reset();
    }
};

QTEST_MAIN(FieldsTest)
#include "fields_test.moc"
