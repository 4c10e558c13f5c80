// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Recording stand-ins for the ports Go talks to.

#include "compose/go_ports.h"
#include "tests/support/messages.h"

#include <string>
#include <utility>
#include <vector>

namespace trov::test {

struct RecordingHistory : HistoryPort {
    std::vector<SearchSnapshot> rows;
    void dodajtabelo(const SearchSnapshot& s) override { rows.push_back(s); }
};

struct RecordingSuggestions : SuggestionPort {
    std::vector<std::string> added;
    void osveziBazo(std::string_view text) override { added.emplace_back(text); }
};

struct FakeReachability : ReachabilityPort {
    bool answer = true;
    std::vector<std::string> asked;
    bool reachable(const std::string& site) override {
        asked.push_back(site);
        return answer;
    }
};

struct RecordingCrawl : CrawlPort, CrawlOperations {
    std::vector<std::string> calls; // in order
    std::vector<std::pair<CrawlMode, CrawlInputs>> runs;
    bool cancelDuringRun = false;
    void requestCancel() override { calls.push_back("cancel"); }
    void clearLinkList() override { calls.push_back("clear"); }
    void run(CrawlMode mode, const CrawlInputs& inputs, StopToken& token) override {
        calls.push_back("run");
        runs.emplace_back(mode, inputs);
        if (cancelDuringRun)
            token.cancel();
    }
};

} // namespace trov::test
