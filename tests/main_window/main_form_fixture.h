// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A main window on a temporary data folder with fake desktop services and message boxes
// that tests answer, built as the program builds it.

#include "app/main_window/main_form.h"
#include "app/main_window/main_window.h"
#include "app/main_window/suggestion_list.h"
#include "app/main_window/window_glue.h"
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "platform/autostart.h"
#include "platform/browsers.h"
#include "platform/launcher.h"
#include "settings/config.h"
#include "settings/ini.h"
#include "suggest/suggestion_store.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"
#include "window_models/exit_sequence.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <map>

namespace trov::test {

inline constexpr ScreenSize kScreen{1920, 1080};
// Not the first start nor the first run: no shipped stores, no autostart entry.
inline const std::string kStoredProfile = "[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n";

// A history row from its 14 texts in column order separated by '|', an empty one absent.
inline HistoryRecord record(const char* cells) {
    HistoryRecord r;
    const QStringList texts = QString::fromLatin1(cells).split(QLatin1Char('|'));
    for (std::size_t i = 0; i < kHistoryColumnCount; ++i) {
        const QString text = texts.value(static_cast<qsizetype>(i));
        r.set(i, text.isEmpty() ? std::string(kAbsentMarker) : text.toStdString());
    }
    return r;
}

inline const std::map<QString, Qt::Key> kKeys{{"Return", Qt::Key_Return},
                                              {"Escape", Qt::Key_Escape},
                                              {"Down", Qt::Key_Down},
                                              {"Up", Qt::Key_Up}};

class MainFormFixture {
public:
    // Browsers: Firefox (the default) and Chromium; the list sorts Chromium first.
    explicit MainFormFixture(std::unique_ptr<TempDir> dir = std::make_unique<TempDir>())
        : dir_(std::move(dir)) {
        registry.list = {{"firefox.desktop", "Firefox", "firefox %u"},
                         {"chromium.desktop", "Chromium", "chromium %U"}};
        registry.defaultEntry = registry.list[0];
    }

    std::string folder() const { return dir_->path(); }
    void writeCfg(const std::string& text) const { dir_->write("YY.cfg", text); }
    std::string readCfg() const { return dir_->read("YY.cfg"); }
    std::optional<std::string> key(const char* section, const char* name) const {
        return IniDocument::parse(readCfg()).value(section, name);
    }
    TempDir& dir() { return *dir_; }

    // Makes the window and runs its creation (and, when asked, the hidden windows).
    TMainForm& create(bool hiddenWindows = false) {
        config = std::make_unique<Config>(dir_->file("YY.cfg"), kScreen);
        history = std::make_unique<HistoryStore>(DataFolder(folder()));
        historyPort = std::make_unique<HistoryGoPort>(*history, clock, messages);
        suggestions = std::make_unique<SuggestionStore>(dir_->file("gs1001.sgg"));
        services.reset(new MainFormServices{DataFolder(folder()), *config, messages, launcher,
                                            registry, autostart, *history, historyPort.get(),
                                            *suggestions, "/opt/trov/bin/trov",
                                            std::vector<std::string>(), EngineHosts(), &files});
        main = std::make_unique<MainWindow>(*services);
        form = &main->form();
        main->exitSequence().quit = [this] { ++quits; };
        form->setWorkAreasSource([this] { return workAreas; });
        form->FormCreate();
        if (hiddenWindows)
            main->createHiddenWindows();
        return *form;
    }
    // A profile (none when empty) with these suggestions, made with the hidden windows, shown.
    TMainForm& shown(const std::string& suggestions = {}, const std::string& cfg = kStoredProfile) {
        if (!cfg.empty())
            writeCfg(cfg);
        if (!suggestions.empty())
            dir_->write("gs1001.sgg", suggestions + "\r\n");
        TMainForm& w = create(true);
        w.show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(&w)); }();
        QApplication::setActiveWindow(&w);
        return w;
    }

    // A control or menu entry by its name; the advanced fields are made when asked for.
    template <typename T = QWidget> T* named(const QString& name) {
        T* found = form->findChild<T*>(name);
        return found ? found : (form->advanced(), form->findChild<T*>(name));
    }
    // What a test looks at: cfg:Section/Key ("-" when missing), launches, launch (the last
    // address), quits, message (the last box), list (the drop-down's rows, "-" when hidden),
    // focus, ontop, face:name, a test's own key, or name.property of a control or "form".
    // No launch, box or focus reads "(none)"; a control or property that is not there,
    // "(unknown key ...)".
    QString seen(const QString& key) {
        const QString name = key.section(QLatin1Char(':'), 1);
        if (key.startsWith(QStringLiteral("cfg:")))
            return QString::fromStdString(
                this->key(name.section('/', 0, 0).toLatin1(), name.section('/', 1).toLatin1())
                    .value_or("-"));
        if (key == QStringLiteral("list")) {
            QStringList rows;
            SuggestionList& d = form->dropDown();
            for (int i = 0; d.made() && d.isVisible() && i < d.widget()->count(); ++i)
                rows << d.widget()->item(i)->text();
            return rows.isEmpty() ? QStringLiteral("-") : rows.join(QLatin1Char('|'));
        }
        const QString none = QStringLiteral("(none)"); // no launch, box or focus to read
        const auto& [launches, shown] = std::tie(launcher.launches, messages.shown);
        const QWidget* focus = QApplication::focusWidget();
        const Qt::WindowFlags flags = form->windowFlags();
        const std::map<QString, QString> plain{
            {"launches", QString::number(launches.size())},
            {"launch", launches.empty() ? none : QString::fromStdString(launches.back().address)},
            {"quits", QString::number(quits)},
            {"message", shown.empty() ? none : QString::fromStdString(shown.back().text)},
            {"focus", focus ? focus->objectName() : none},
            {"ontop", QString::number(flags.testFlag(Qt::WindowStaysOnTopHint))}};
        if (plain.count(key))
            return plain.at(key);
        // A misspelt control or property is no empty text: it fails whatever is expected.
        const QString unknown = QStringLiteral("(unknown key %1)").arg(key);
        if (key.startsWith(QStringLiteral("face:"))) {
            const QWidget* control = named(name);
            return control ? control->palette().color(QPalette::Base).name() : unknown;
        }
        if (const QString own = moreSeen ? moreSeen(key) : QString(); !own.isNull())
            return own;
        const QString object = key.section(QLatin1Char('.'), 0, 0);
        QObject* o = object == QStringLiteral("form") ? form : named<QObject>(object);
        const QVariant v =
            o ? o->property(key.section(QLatin1Char('.'), 1).toLatin1()) : QVariant();
        if (!v.isValid())
            return unknown;
        if (v.typeId() == QMetaType::QPoint)
            return QStringLiteral("%1,%2").arg(v.toPoint().x()).arg(v.toPoint().y());
        return v.toString();
    }
    // Checks "key=value" pairs, '_' standing for a blank in a value.
    void see(const QString& pairs, const QString& step = {}) {
        for (const QString& pair : pairs.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString key = pair.section(QLatin1Char('='), 0, 0);
            const QString want = pair.section(QLatin1Char('='), 1).replace('_', ' ');
            const QString got = seen(key);
            QVERIFY2(got == want, qPrintable(QStringLiteral("%1: %2 is [%3]").arg(step, key, got)));
        }
    }
    // Steps separated by "; ", each "verb target arguments" with what is then seen after
    // " => ". The verbs: type, set, clear, key, click, dclick, focus, index (of a box),
    // trigger (a menu entry), expand, move x y, request (a crawl request mode), answer (Yes
    // to the next question), close, settle (the events waiting, activations among them);
    // other verbs go to more.
    void run(const QString& script, const std::function<void(const QStringList&)>& more = {}) {
        using Args = const QStringList&;
        const auto edit = [&](Args p) { return qobject_cast<QLineEdit*>(named(p[1])); };
        const std::map<QString, std::function<void(Args)>> verbs{
            {"type", [&](Args p) { named(p[1])->setFocus(), QTest::keyClicks(named(p[1]), p[2]); }},
            {"set", [&](Args p) { edit(p)->setText(p.mid(2).join(' ')); }},
            {"clear", [&](Args p) { edit(p)->clear(); }},
            {"key", [&](Args p) { QTest::keyClick(named(p[1]), kKeys.at(p[2])); }},
            {"click", [&](Args p) { QTest::mouseClick(named(p[1]), Qt::LeftButton); }},
            {"dclick", [&](Args p) { QTest::mouseDClick(named(p[1]), Qt::LeftButton); }},
            {"focus", [&](Args p) { named(p[1])->setFocus(Qt::TabFocusReason); }},
            {"index", [&](Args p) { named<QComboBox>(p[1])->setCurrentIndex(p[2].toInt()); }},
            {"trigger", [&](Args p) { named<QAction>(p[1])->trigger(); }},
            {"expand", [&](Args) { form->toggleExpanded(); }},
            {"move", [&](Args p) { form->move(p[1].toInt(), p[2].toInt()); }},
            {"request", [&](Args p) { form->form().setCrawlRequestMode(p[1].toInt()); }},
            {"answer", [&](Args) { messages.answers = {true}; }},
            {"close", [&](Args) { form->close(); }},
            {"settle", [](Args) { QApplication::processEvents(); }},
        };
        for (const QString& step : script.split(QStringLiteral("; "))) {
            const QStringList p = step.section(QStringLiteral(" => "), 0, 0).split(' ');
            verbs.count(p[0]) ? verbs.at(p[0])(p) : more(p);
            see(step.section(QStringLiteral(" => "), 1), step);
            if (QTest::currentTestFailed())
                return;
        }
    }

    std::function<QString(const QString&)> moreSeen; // a test's own keys; null: not its own
    std::unique_ptr<TempDir> dir_;
    ScriptedMessages messages;
    platform::RecordingLauncher launcher;
    platform::FakeBrowserRegistry registry;
    platform::FakeAutostart autostart;
    SystemHistoryClock clock;
    FunctionFileChooser files;
    std::vector<Rect> workAreas{{0, 0, 1920, 1080}}; // the screens less their panels
    int quits = 0;
    std::unique_ptr<Config> config;
    std::unique_ptr<HistoryStore> history;
    std::unique_ptr<HistoryGoPort> historyPort;
    std::unique_ptr<SuggestionStore> suggestions;
    std::unique_ptr<MainFormServices> services;
    std::unique_ptr<MainWindow> main;
    TMainForm* form = nullptr;
};

} // namespace trov::test
