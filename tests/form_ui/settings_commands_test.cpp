#include "app/form_windows.h"
#include "history/history_store.h"
#include "settings/config.h"
#include "suggest/manager_window.h"
#include "suggest/suggestion_store.h"
#include "tests/form_ui/fakes.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace trov;

namespace {

struct Rig {
    test::TempDir dir;
    test::FakeMainWindow main;
    HistoryStore history{DataFolder(dir.path())};
    SuggestionStore suggestions{dir.file("gs1001.sgg")};
    Config config{dir.file("YY.cfg")};
    test::ScriptedMessages messages;
    test::QueuedFiles files;
    std::unique_ptr<FormWindows> windows;

    Rig() {
        main.model.setBrowsers({{"Chromium", ""}, {"Firefox", ""}});
        FormWindowHooks hooks;
        hooks.files = &files;
        hooks.defaultBrowserName = [] { return std::string("firefox"); };
        windows = std::make_unique<FormWindows>(main, history, suggestions, config, messages,
                                                DataFolder(dir.path()), hooks);
    }
};

} // namespace

class SettingsCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // The commands reach the settings file through the dialogs; what the file holds is the
    // settings file's own rule.
    void saveAndOpenGoThroughTheFileDialogs() {
        Rig rig;
        rig.files.answers = {"", rig.dir.file("no/such/s.gms")};
        rig.windows->saveSettingsFile();
        QCOMPARE(rig.files.asked.back().filter, std::string("Trov settings (*.gms)"));
        rig.windows->saveSettingsFile();
        QCOMPARE(rig.messages.shown.size(), std::size_t(1)); // the refused write is reported

        const std::string path = rig.dir.write("o.gms", "[Pin]\r\nTip2=10\r\nbkgkol=65280\r\n");
        rig.files.answers = {path};
        rig.windows->openSettingsFile();
        QCOMPARE(rig.files.asked.back().filter, std::string("Trov setting (*.gms)"));
        QCOMPARE(rig.main.model.engine(), SearchEngine::Links);
        QCOMPARE(rig.main.background, 65280);
        rig.main.background = 255;
        rig.files.answers = {path};
        rig.windows->saveSettingsFile();
        QCOMPARE(rig.files.asked.back().startName, path);
        QVERIFY(rig.dir.read("o.gms").find("bkgkol=255\r\n") != std::string::npos);
    }

    void resetUsesTheDefaultBrowserAndBroomEmpties() {
        Rig rig;
        rig.main.model.setText(TextField::Exact, "x");
        rig.windows->broom();
        QCOMPARE(rig.main.model.text(TextField::Exact), std::string());
        rig.main.model.select(ListField::Country, 3);
        rig.messages.answers = {true};
        rig.windows->resetAllSettings();
        QCOMPARE(rig.main.model.selection(ListField::Country), 0);
        QCOMPARE(rig.main.model.selection(ListField::Browser), 1);
    }

    void historyShownStateFollowsTheWindow() {
        Rig rig;
        QVERIFY(!rig.windows->historyWindowShown());
        rig.windows->showHistory();
        QVERIFY(rig.windows->historyWindowShown());
        rig.windows->showHistory();
        QVERIFY(!rig.windows->historyWindowShown());
    }

    void theManagerOpensModallyFilledFromTheStore() {
        Rig rig;
        rig.dir.write("gs1001.sgg", "|b|;|A\r\n");
        rig.suggestions.load({});
        QTimer::singleShot(0, [&] {
            QCOMPARE(rig.windows->suggestionsManager().list()->count(), 2);
            rig.windows->suggestionsManager().reject();
        });
        rig.windows->showSuggestionsManager();
        QVERIFY(!rig.windows->suggestionsManager().isVisible());
    }
};

QTEST_MAIN(SettingsCommandsTest)
#include "settings_commands_test.moc"
