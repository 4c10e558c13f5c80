// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's private mode, history switch, engine suggestions and "Add engine...",
// offscreen, with engines answering from 127.0.0.1. The rules are the core's; this checks
// that the window's entries reach them.

#include "app/main_window/add_engine_dialog.h"
#include "app/main_window/more_engines_menu.h"
#include "app/shell/tray.h"
#include "main_form_fixture.h"
#include "tests/support/http_server.h"
#include "tests/support/when_shown.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>

using namespace trov;
using namespace trov::test;

namespace {

const std::string kDescription =
    "<OpenSearchDescription><ShortName>Wiki</ShortName><Url type=\"text/html\" "
    "template=\"https://w.org/?q={searchTerms}\"/></OpenSearchDescription>";

} // namespace

class PrivacyTest : public QObject {
    Q_OBJECT

    // The tray's entry and the engine rows' marks, beside the fixture's keys.
    static void ownKeys(MainFormFixture& f) {
        f.moreSeen = [&f](const QString& key) -> QString {
            if (key == QStringLiteral("tray"))
                return QString::number(f.form->glue().tray().privateSearchAction()->isChecked());
            if (key == QStringLiteral("mark"))
                return f.form->dropDown()
                    .widget()
                    ->item(f.form->dropDown().widget()->count() - 1)
                    ->data(Qt::AccessibleTextRole)
                    .toString();
            return {};
        };
    }
    static void own(MainFormFixture& f, const QStringList& p) {
        if (p[0] == QStringLiteral("ctrlshiftp"))
            QTest::keyClick(f.form, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        if (p[0] == QStringLiteral("traytoggle"))
            f.form->glue().tray().privateSearchAction()->trigger();
        if (p[0] == QStringLiteral("wait"))
            QTest::qWait(p[1].toInt());
    }

private slots:
    // Each of the three ways turns it on and off; the marker and what a screen reader is
    // told follow. A private Go records nothing and opens the default browser's private
    // window; the store's rows stay out of the drop-down.
    void privateModeFromEachEntry() {
        MainFormFixture f;
        f.shown("|cats");
        ownKeys(f);
        const QString on = "PrivateSearch1.checked=true tray=1 PrivateBadge.visible=true";
        const QString off = "PrivateSearch1.checked=false tray=0 PrivateBadge.visible=false";
        const auto run = [&f](const QString& s) {
            f.run(s, [&f](const QStringList& p) { own(f, p); });
        };
        run("trigger PrivateSearch1 => " + on +
            " PrivateBadge.accessibleName=Private_search_is_on; trigger PrivateSearch1 => " + off +
            " eURL.accessibleDescription=; traytoggle => " + on + "; traytoggle => " + off +
            "; ctrlshiftp => " + on);
        QVERIFY(f.form->widgets().eURL->accessibleDescription().startsWith("Private search"));
        run("type eURL ca => list=-; set eURL secret; key eURL Return => launches=1");
        QCOMPARE(f.launcher.launches[0].command, std::string("firefox --private-window %u"));
        f.history->waitForWrites();
        QVERIFY(!fileExists(f.dir().file("HistGrid.cld")));
        QCOMPARE(f.dir().read("gs1001.sgg"), std::string("|cats\r\n"));
        run("ctrlshiftp => " + off +
            "; clear eURL; type eURL ca => list=cats_; set eURL open; key eURL Return");
        f.history->waitForWrites();
        QVERIFY(fileExists(f.dir().file("HistGrid.cld")));
    }

    // Kept in YY.cfg at once and read at the next start.
    void keepSearchHistoryIsKept() {
        MainFormFixture f;
        f.shown();
        f.run("trigger KeepHistory1 => cfg:Options/optKeepHistory=0 KeepHistory1.checked=false");
        MainFormFixture again(std::move(f.dir_));
        again.create();
        again.see("KeepHistory1.checked=false");
        QVERIFY(!again.form->form().keepHistory());
    }

    // Off by default; switched on, the engine is asked once the typing pauses, its rows go
    // under the store's, marked as its own, and a chosen one keeps the key. Private mode
    // asks nothing.
    void engineRowsAfterThePause() {
        HttpServer engine;
        engine.fallback([](const HttpRequest& r) {
            const std::string q = r.target.substr(r.target.find("q=") + 2);
            return HttpResponse{.body = "[\"" + q + "\",[\"" + q + " one\",\"" + q + " two\"]]",
                                .contentType = "application/x-suggestions+json"};
        });
        const auto asked = [&engine] {
            QStringList targets;
            for (const HttpRequest& r : engine.requests())
                targets << QString::fromStdString(r.target);
            return targets;
        };
        MainFormFixture f;
        f.dir().write("engines.cfg", "[Code]\nKey=cs\nAddress=https://c/?q={query}\nSuggest=" +
                                         engine.url("/s?q={query}") + "\n");
        f.shown("|cs borrow");
        ownKeys(f);
        const auto run = [&f](const QString& s) {
            f.run(s, [&f](const QStringList& p) { own(f, p); });
        };
        run("set eURL cs bo; type eURL r; wait 400 => list=cs_borrow_");
        QCOMPARE(asked(), QStringList());
        run("trigger EngineSuggestions1 => cfg:Options/optEngineSuggestions=1; type eURL r => "
            "list=cs_borrow_");
        QTRY_COMPARE(f.seen("list"), QStringLiteral("cs borrow |borr one|borr two"));
        // Typed while private and switched back: nothing typed privately is ever sent.
        run("key eURL Down; key GsLB Down => eURL.text=cs_borr_one "
            "mark=borr_two_(suggested_by_Code); "
            "key GsLB Escape; ctrlshiftp; set eURL cs box; wait 400 => list=-; ctrlshiftp; "
            "type eURL y");
        QTRY_COMPARE(f.seen("list"), QStringLiteral("boxy one|boxy two"));
        QCOMPARE(asked(), (QStringList{"/s?q=borr", "/s?q=boxy"}));
    }

    // A source that cannot be read is told and the dialog stays; a description file adds
    // the engine, which the menu shows at once.
    void addEngineFromAFile() {
        MainFormFixture f;
        f.shown();
        const std::string file = f.dir().write("wiki.xml", kDescription);
        int answers = 0;
        std::function<void(QWidget*)> answer = [&](QWidget* modal) {
            auto* dialog = qobject_cast<AddEngineDialog*>(modal);
            QVERIFY(dialog);
            dialog->sourceField()->setText(
                QString::fromStdString(answers++ ? file : f.dir().file("missing.xml")));
            dialog->keyField()->setText(QStringLiteral("w"));
            QTest::mouseClick(dialog->addButton(), Qt::LeftButton);
            if (answers == 1) {
                QTRY_COMPARE(f.messages.shown.size(), std::size_t(1));
                whenShown(&QApplication::activeModalWidget, answer);
            }
        };
        whenShown(&QApplication::activeModalWidget, answer);
        f.form->moreEngines().addAction()->trigger();
        QCOMPARE(answers, 2);
        QVERIFY(f.messages.shown.at(0).text.find("missing.xml: cannot be read") !=
                std::string::npos);
        QCOMPARE(f.messages.shown.at(1).text,
                 std::string("The engine \"Wiki\" was added to \"More engines\"."));
        QCOMPARE(f.form->moreEngines().menu()->actions().at(0)->text(), QStringLiteral("Wiki\tw"));
    }
};

QTEST_MAIN(PrivacyTest)
#include "privacy_test.moc"
