// SPDX-License-Identifier: GPL-3.0-or-later
// window_start_bench MODE [idle-seconds [data-folder]]: one start of a window program, to
// its first painted frame, then its idle cost. MODE "minimal" is a bare Qt window of the
// main window's size; "trov" is the main window as the program builds it, with the windows
// around it (history, suggestions manager, links viewer, recent colours) in the program's
// order of start, on the data folder given (a stored profile) or on a fresh one (a first
// run). Prints "first-frame-ms N", then after the idle time "idle-cpu-ms N",
// "idle-wakeups N" (timer events delivered while idle) and "rss-kb N".
// TROV_BENCH_NO_PRELOAD=1 starts without loading the font configuration beside the start.

#include "app/main_window/main_form.h"
#include "app/program/program.h"
#include "app/shell/font_preload.h"
#include "common/messages.h"
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "platform/autostart.h"
#include "platform/browsers.h"
#include "platform/launcher.h"
#include "suggest/suggestion_store.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <sys/resource.h>

namespace {

struct QuietMessages : trov::Messages {
    void show(trov::MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

long cpuMs() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000 +
           (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

long rssKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return -1;
}

// Counts timer events in the whole program: an idle window should get none.
class Counter : public QObject {
public:
    long timers = 0;
    bool armed = false;
    bool firstPaint = false;
    QWidget* window = nullptr;
    bool eventFilter(QObject* o, QEvent* e) override {
        if (armed && e->type() == QEvent::Timer) {
            ++timers;
            if (std::getenv("TROV_BENCH_TIMERS"))
                std::fprintf(stderr, "timer: %s %s\n", o->metaObject()->className(),
                             qPrintable(o->objectName()));
        }
        // The window or any control of it being painted is its first frame.
        if (e->type() == QEvent::Paint && !firstPaint && window && o->isWidgetType()) {
            auto* w = static_cast<QWidget*>(o);
            firstPaint = w == window || window->isAncestorOf(w);
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const bool minimal = argc > 1 && std::strcmp(argv[1], "minimal") == 0;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 0;
    // The program loads the font configuration beside its start, as trov's main does.
    std::unique_ptr<trov::FontPreload> fonts;
    if (!minimal && std::getenv("TROV_BENCH_NO_PRELOAD") == nullptr)
        fonts = std::make_unique<trov::FontPreload>();
    QApplication app(argc, argv);
    // TROV_BENCH_STAGES=1 prints the microseconds since start at each step of the start.
    const bool stages = std::getenv("TROV_BENCH_STAGES") != nullptr;
    const auto stage = [&](const char* step) {
        if (stages)
            std::fprintf(stderr, "stage %-12s %8lld us\n", step, clock.nsecsElapsed() / 1000);
    };
    stage("application");
    Counter counter;
    app.installEventFilter(&counter);

    // A data folder named on the command line is a stored profile; without one the start is
    // a first run on a fresh folder.
    QTemporaryDir fresh;
    const std::string folder = (argc > 3 ? std::string(argv[3]) : fresh.path().toStdString()) + "/";
    QuietMessages messages;
    std::unique_ptr<QWidget> plain;
    std::unique_ptr<trov::Config> config;
    std::unique_ptr<trov::HistoryStore> history;
    trov::SystemHistoryClock historyClock;
    std::unique_ptr<trov::HistoryGoPort> port;
    std::unique_ptr<trov::SuggestionStore> suggestions;
    trov::platform::RecordingLauncher launcher;
    trov::platform::XdgBrowserRegistry browsers;
    trov::platform::FakeAutostart autostart;
    std::unique_ptr<trov::MainFormServices> services;
    std::unique_ptr<trov::MainWindow> mainWindow;
    std::unique_ptr<trov::FormWindows> formWindows;
    QWidget* window = nullptr;
    if (minimal) {
        plain = std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint);
        plain->resize(458, 80);
        window = plain.get();
    } else {
        config = std::make_unique<trov::Config>(folder + "YY.cfg");
        history = std::make_unique<trov::HistoryStore>(trov::DataFolder(folder));
        port = std::make_unique<trov::HistoryGoPort>(*history, historyClock, messages);
        suggestions = std::make_unique<trov::SuggestionStore>(folder + "gs1001.sgg");
        services = std::make_unique<trov::MainFormServices>(
            trov::MainFormServices{trov::DataFolder(folder),
                                   *config,
                                   messages,
                                   launcher,
                                   browsers,
                                   autostart,
                                   *history,
                                   port.get(),
                                   *suggestions,
                                   "/usr/bin/trov",
                                   {},
                                   {},
                                   {}});
        if (fonts)
            fonts->wait();
        stage("fonts");
        mainWindow = std::make_unique<trov::MainWindow>(*services);
        trov::TMainForm* form = &mainWindow->form();
        stage("constructed");
        form->FormCreate();
        stage("FormCreate");
        history->NaloziTabelo(messages);
        stage("Nalozi");
        formWindows = std::make_unique<trov::FormWindows>(*form, *history, *suggestions, *config,
                                                          messages, trov::DataFolder(folder));
        trov::wireFormWindows(*form, *formWindows);
        stage("formWindows");
        mainWindow->createHiddenWindows();
        stage("hidden");
        window = form;
    }
    counter.window = window;
    window->move(100, 100);
    window->show();
    stage("show");
    while (!counter.firstPaint)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);

    stage("paint");
    std::printf("first-frame-ms %.1f\n", static_cast<double>(clock.nsecsElapsed()) / 1e6);
    std::fflush(stdout);
    if (idleSeconds <= 0)
        return 0;
    // Let the start settle, then measure a quiet stretch.
    QTimer::singleShot(1000, [&] {
        const long cpu0 = cpuMs();
        counter.armed = true;
        QTimer::singleShot(idleSeconds * 1000, [&, cpu0] {
            counter.armed = false;
            // The timer that ends the stretch is the bench's own.
            std::printf("idle-cpu-ms %ld\nidle-wakeups %ld\nrss-kb %ld\n", cpuMs() - cpu0,
                        counter.timers - 1, rssKb());
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
