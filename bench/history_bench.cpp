// SPDX-License-Identifier: GPL-3.0-or-later
// Load and save of a 100,000-row history store, against reading and writing the same
// bytes raw. The store's target: within 10 times the raw figure. And Go to the browser's
// launch with that store: written on the window thread, against handed to its writer.

#include "common/atomic_file.h"
#include "compose/form_model.h"
#include "compose/go.h"
#include "history/history_clock.h"
#include "history/history_go_port.h"
#include "history/history_store.h"
#include "history/list_view_stream.h"
#include "history/record_maker.h"
#include "platform/launcher.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace trov;

namespace {

constexpr int kRows = 100000;

HistoryList bigHistory() {
    HistoryList list;
    list.rows.reserve(kRows);
    for (int i = 0; i < kRows; ++i) {
        HistoryRecord r;
        r.set(0, "05.12.2026");
        r.set(1, "14:03:" + std::to_string(i % 60));
        r.set(2, "search words number " + std::to_string(i));
        for (std::size_t c = 3; c < 12; ++c)
            r.set(c, "- - -");
        r.set(7, "Default");
        r.set(12, "Google");
        r.set(13, "All");
        list.rows.push_back(std::move(r));
    }
    return list;
}

const HistoryList& history() {
    static const HistoryList list = bigHistory();
    return list;
}

std::string benchPath(const char* name) {
    return (std::filesystem::temp_directory_path() / name).string();
}

const std::string& storeFile() {
    static const std::string path = [] {
        const std::string p = benchPath("trov-bench-HistGrid.cld");
        writeHistoryFile(p, history());
        return p;
    }();
    return path;
}

void BM_HistoryLoad(benchmark::State& state) {
    for (auto _ : state) {
        auto list = std::make_unique<HistoryList>();
        if (!readHistoryFile(storeFile(), *list))
            state.SkipWithError("store unreadable");
        benchmark::DoNotOptimize(list->rows.data());
        state.PauseTiming(); // freeing the rows is not part of the load
        list.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = kRows;
}

void BM_RawRead(benchmark::State& state) {
    for (auto _ : state) {
        auto bytes = readWholeFile(storeFile());
        benchmark::DoNotOptimize(bytes->data());
    }
}

void BM_HistorySave(benchmark::State& state) {
    const std::string path = benchPath("trov-bench-save.cld");
    for (auto _ : state)
        writeHistoryFile(path, history());
    std::filesystem::remove(path);
}

// The same bytes written raw with the same durability (temporary file, flush, rename).
void BM_RawWrite(benchmark::State& state) {
    const std::string bytes = *readWholeFile(storeFile());
    const std::string path = benchPath("trov-bench-raw.cld");
    for (auto _ : state)
        writeFileAtomically(path, bytes);
    std::filesystem::remove(path);
}

void BM_HistoryEncodeOnly(benchmark::State& state) {
    for (auto _ : state) {
        std::string bytes = writeListViewStream(history());
        benchmark::DoNotOptimize(bytes.data());
    }
}

// The search as it was recorded before: the store written before Go goes on.
class WindowThreadHistoryPort : public HistoryPort {
public:
    explicit WindowThreadHistoryPort(HistoryStore& store) : store_(store) {}
    void dodajtabelo(const SearchSnapshot& search) override {
        store_.addNewest(makeHistoryRecord(search, true, clock_));
        store_.ShraniTabelo();
    }

private:
    HistoryStore& store_;
    SystemHistoryClock clock_;
};

class CountingLauncher : public platform::Launcher {
public:
    void launch(const std::string&, const std::string&) override { ++launches; }
    long launches = 0;
};

class QuietMessages : public Messages {
public:
    void show(MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

// Go with the Google engine, from the press to the launcher's call; the writer is idle at
// each press, as it is when searches are made by hand.
void goToLaunch(benchmark::State& state, bool onWindowThread) {
    const std::filesystem::path folder = benchPath("trov-bench-go");
    std::filesystem::create_directories(folder);
    HistoryStore store{DataFolder(folder.string() + "/")};
    // Loaded from the store, as the program has its rows after the start.
    if (!readHistoryFile(storeFile(), store.list()))
        state.SkipWithError("store unreadable");
    SystemHistoryClock clock;
    QuietMessages messages;
    HistoryGoPort background(store, clock, messages);
    WindowThreadHistoryPort windowThread(store);
    CountingLauncher launcher;
    GoServices services(messages, launcher);
    services.history = onWindowThread ? static_cast<HistoryPort*>(&windowThread) : &background;
    FormModel model;
    model.setText(TextField::Words, "red car");
    for (auto _ : state) {
        xiGOClick(model, services);
        state.PauseTiming();
        store.waitForWrites();
        state.ResumeTiming();
    }
    if (launcher.launches != static_cast<long>(state.iterations()))
        state.SkipWithError("no launch");
    state.counters["rows"] = static_cast<double>(store.list().rows.size());
    std::filesystem::remove_all(folder);
}

void BM_GoToLaunch_StoreWrittenOnWindowThread(benchmark::State& state) {
    goToLaunch(state, true);
}

void BM_GoToLaunch(benchmark::State& state) {
    goToLaunch(state, false);
}

} // namespace

BENCHMARK(BM_GoToLaunch_StoreWrittenOnWindowThread)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoToLaunch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistorySave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryEncodeOnly)->Unit(benchmark::kMillisecond);
