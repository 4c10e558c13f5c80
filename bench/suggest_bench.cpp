// SPDX-License-Identifier: GPL-3.0-or-later
// The suggestion store at 100,000 entries: de-duplication, one add (which rewrites the
// store) and the drop-down refresh. The refresh's target: under 5 ms.

#include "suggest/suggestion_store.h"
#include "suggest/suggestion_text.h"

#include <benchmark/benchmark.h>
#include <filesystem>

using namespace trov;

namespace {

constexpr int kEntries = 100000;

std::vector<std::string> entries() {
    std::vector<std::string> v;
    v.reserve(kEntries);
    for (int i = 0; i < kEntries; ++i)
        v.push_back("search text " + std::to_string(i * 7919 % 100003) + " words");
    return v;
}

std::string storePath() {
    return (std::filesystem::temp_directory_path() / "trov-bench-gs1001.sgg").string();
}

void BM_Deduplicate(benchmark::State& state) {
    std::vector<std::string> base = entries();
    for (int i = 0; i < kEntries; i += 10) // every tenth entry once more, in another case
        base.push_back("SEARCH TEXT " + std::to_string(i * 7919 % 100003) + " WORDS");
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::string> v = base;
        state.ResumeTiming();
        deduplicateSuggestions(v);
        benchmark::DoNotOptimize(v.data());
    }
}

SuggestionStore& loadedStore() {
    static SuggestionStore store = [] {
        writeFileAtomically(storePath(), joinSuggestionText(entries()) + "\r\n");
        SuggestionStore s(storePath());
        s.load({});
        return s;
    }();
    return store;
}

void BM_AddSuggestion(benchmark::State& state) {
    SuggestionStore& store = loadedStore();
    int i = 0;
    for (auto _ : state)
        store.osveziBazo("new text " + std::to_string(i++ % 4)); // mostly already known
}

void BM_DropDownRefresh(benchmark::State& state) {
    SuggestionStore& store = loadedStore();
    for (auto _ : state) {
        auto rows = store.dropDownRows("text 99");
        benchmark::DoNotOptimize(rows.data());
    }
}

void BM_DropDownRefreshOneLetter(benchmark::State& state) {
    SuggestionStore& store = loadedStore();
    for (auto _ : state) {
        auto rows = store.dropDownRows("s"); // every entry matches
        benchmark::DoNotOptimize(rows.data());
    }
}

} // namespace

BENCHMARK(BM_Deduplicate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddSuggestion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropDownRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DropDownRefreshOneLetter)->Unit(benchmark::kMillisecond);
