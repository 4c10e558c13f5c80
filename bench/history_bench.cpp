// Load and save of a 100,000-row history store, against reading and writing the same
// bytes raw. The store's target: within 10 times the raw figure.

#include "common/atomic_file.h"
#include "history/history_store.h"
#include "history/list_view_stream.h"

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

} // namespace

BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistorySave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryEncodeOnly)->Unit(benchmark::kMillisecond);
