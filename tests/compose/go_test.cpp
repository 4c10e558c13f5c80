// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/form_model.h"
#include "compose/go.h"
#include "compose/own_engine_go.h"
#include "fakes.h"
#include "form_line.h"
#include "history/history_go_port.h"
#include "platform/launcher.h"
#include "suggest/suggestion_go_port.h"
#include "tests/support/temp_dir.h"
#include "transcript.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace trov;

namespace {

// Go's ports, recording, around a form as data/compose.txt [Go] gives it.
struct Go {
    test::RecordingMessages messages;
    test::RecordingHistory history;
    test::RecordingSuggestions suggestions;
    test::RecordingCrawl crawl;
    platform::RecordingLauncher launcher;
    GoServices services{messages, launcher};
    FormModel model{&crawl};
    test::FormLine form_;

    explicit Go(const std::string& line = "google collapsed") : form_(line) {
        services.history = &history;
        services.suggestions = &suggestions;
        services.crawl = &crawl;
        services.dataFolder = "/data/Trov/";
        if (form_.flags.contains("firefox") || form_.fields.contains("browser")) {
            model.setBrowsers({{"Firefox", "firefox %u", "firefox --private-window %u"},
                               {"Lynx", "lynx %u", ""},
                               {"Vivaldi (Default)", "vivaldi %U", "vivaldi --incognito %U"}});
            model.select(ListField::Browser,
                         browserEntryNamed(model.browsers(), form_.fields.contains("browser")
                                                                 ? form_.text("browser")
                                                                 : "Firefox"));
        }
        model.selectEngine(form_.engine);
        model.setExpanded(form_.flags.contains("expanded"));
        model.setKindIndex(form_.kind());
        if (form_.fields.contains("mark"))
            model.setCrawlMark(test::crawlModeNamed(form_.text("mark")), true);
        const std::array<std::string, 5> fields = {"none", "words", "exact", "exclude", "site"};
        for (int i = 1; i < 5; ++i)
            model.setText(static_cast<TextField>(i - 1), form_.text(fields[i]));
        if (form_.fields.contains("owner"))
            model.setSuggestionOwner(
                static_cast<OwnerField>(test::indexOf(fields, form_.text("owner"))));
        model.setHistoryEnabled(!form_.flags.contains("no-history"));
        model.setKeepHistory(!form_.flags.contains("keep-off"));
        model.setPrivateMode(form_.flags.contains("private"));
        crawl.calls.clear();
    }
    // What Go did, a line each: the addresses opened and by what, the history rows, the
    // suggestions, the crawl port's calls, the messages.
    std::string did() const {
        std::string out;
        for (const auto& l : launcher.launches)
            out += "open <" + test::escaped(l.address) + "> with <" + l.command + ">\n";
        for (const SearchSnapshot& s : history.rows)
            out += "history <" + test::escaped(s.words) + ">" +
                   (s.ownEngine.empty() ? "" : " by <" + s.ownEngine + ">") + "\n";
        for (const std::string& text : suggestions.added)
            out += "suggest <" + test::escaped(text) + ">\n";
        const char* icons[] = {"information", "warning", "error", "box"};
        out += "crawl:";
        for (const std::string& call : crawl.calls)
            out += " " + call;
        for (const auto& m : messages.shown)
            out += std::string("\n") + icons[static_cast<int>(m.icon)] +
                   (m.onTop ? " on top <" : " <") + test::escaped(m.text) + ">";
        return out + "\n";
    }
};

} // namespace

// The cases and what they print: data/compose.txt [Go].
TEST(Go, WhatEachFormOpensRecordsOrRefuses) {
    const OwnEngines own = parseOwnEngines(
        "[Code]\nKey=cs\nAddress=https://c/?q={query}\n[Fox]\nKey=fx\nAddress=https://f/{words}\n"
        "Browser=firefox\n[Secret]\nKey=sx\nAddress=https://s/{words}\nBrowser=Lynx\n"
        "Private=true\n[Hidden]\nKey=hx\nAddress=https://h/{words}\nPrivate=1\n"
        "[Gone]\nKey=gx\nAddress=https://g/{words}\nBrowser=Opera\n");
    test::expectTranscript("compose/data/compose.txt", "Go", [&own](const std::string& form) {
        Go go(form);
        const GoOutcome o =
            go.form_.flags.contains("keywords") ? goWithKeywords(go.model, own, go.services)
            : go.form_.flags.contains("own")    ? goOwnEngine(go.model, own.engines[0], go.services)
                                                : xiGOClick(go.model, go.services);
        const char* status[] = {"refused", "opened", "links pending", "not opened"};
        std::string out = std::string(status[static_cast<int>(o.status)]) +
                          (o.hideDropDown ? ", the drop-down hidden\n" : "\n");
        if (o.links)
            out += "job <" + o.links->inputs.site + "> <" + o.links->inputs.words + "> <" +
                   o.links->inputs.exactPhrase + "> <" + o.links->inputs.excludedWords +
                   ">, page <" + o.links->resultPage + "> with <" + o.links->browserCommand +
                   (o.links->privateWindow ? ">, privately\n" : ">\n");
        return out + go.did();
    });
    Go bare;
    GoServices none{bare.messages, bare.launcher}; // no ports at all
    EXPECT_EQ(xiGOClick(bare.model, none).status, GoStatus::Refused);
    bare.model.setText(TextField::Words, "a");
    EXPECT_EQ(xiGOClick(bare.model, none).status, GoStatus::Opened);
    EXPECT_EQ(bare.launcher.launches, (std::vector{platform::RecordingLauncher::Launch{
                                          "https://www.google.com/search?q=a", ""}}));
}

// The cases and what they print: data/compose.txt [LinksJob].
TEST(Go, LinksJobRunsEveryCheckedOperationInMenuOrderThenOpensTheResult) {
    test::expectTranscript("compose/data/compose.txt", "LinksJob", [](const std::string& input) {
        Go go;
        const test::FormLine f("links " + input);
        LinksJob j{{},
                   {},
                   f.flags.contains("no-browser") ? "" : "ff %u",
                   !f.flags.contains("collapsed"),
                   "/data/Trov/TrovCrawler.html"};
        j.inputs.site = "a.com";
        j.privateWindow = f.flags.contains("private");
        for (std::size_t i = 0; i < kCrawlModes.size(); ++i)
            j.marks.set(kCrawlModes[i], f.flags.contains(std::string(test::kCrawlModeNames[i])));
        test::FakeReachability reach;
        reach.answer = !f.flags.contains("unreachable");
        go.crawl.cancelDuringRun = f.flags.contains("cancel");
        StopToken token; // the job's own: what ended the previous job does not reach it
        if (f.flags.contains("cancelled-before"))
            token.cancel();
        const char* results[] = {"unreachable", "cancelled", "extracted", "result opened"};
        std::string out = results[static_cast<int>(
            runLinksJob(j, token, reach, go.crawl, go.messages, go.launcher))];
        for (const auto& [mode, inputs] : go.crawl.runs)
            out += std::string(" ") + test::kCrawlModeNames[static_cast<int>(mode)].data() + "@" +
                   inputs.site;
        return out + "\nasked <" + reach.asked.at(0) + ">\n" + go.did();
    });
}

// Private searches, those of a private engine and those made while the history is not kept
// leave every file of the data folder as it was; a kept search changes the stores.
TEST(Go, SearchesNotKeptLeaveEveryStoreByteForByte) {
    test::TempDir dir;
    const DataFolder folder = DataFolder::at(dir.path());
    dir.write("YY.cfg", "[Color]\r\nPall=255\r\n");
    HistoryStore history{folder};
    SuggestionStore suggestions{folder.file(kSuggestionFileName)};
    ASSERT_TRUE(suggestions.load({}));
    const SystemHistoryClock clock;
    test::RecordingMessages messages;
    HistoryGoPort historyPort{history, clock, messages};
    SuggestionGoPort suggestionPort{suggestions, messages};
    platform::RecordingLauncher launcher;
    GoServices services{messages, launcher};
    services.history = &historyPort;
    services.suggestions = &suggestionPort;
    FormModel model;
    model.setBrowsers({{"Firefox", "firefox %u", "firefox --private-window %u"}});
    model.setExpanded(true);
    const OwnEngine hidden{"Hidden", "", "https://h/{words}", "", true};
    const auto files = [&] {
        history.waitForWrites();
        std::map<std::string, std::string> bytes;
        for (const auto& f : std::filesystem::recursive_directory_iterator(dir.path()))
            bytes[f.path().string()] = readWholeFile(f.path().string()).value_or("");
        return bytes;
    };
    const auto search = [&](const std::string& words, bool privately, bool keep) {
        model.setText(TextField::Words, words);
        model.setPrivateMode(privately);
        model.setKeepHistory(keep);
        return words == "engine" ? goOwnEngine(model, hidden, services).status
                                 : xiGOClick(model, services).status;
    };
    ASSERT_EQ(search("first", false, true), GoStatus::Opened);
    const auto before = files();
    EXPECT_EQ(search("private", true, true), GoStatus::Opened);
    EXPECT_EQ(search("not kept", false, false), GoStatus::Opened);
    EXPECT_EQ(search("engine", false, true), GoStatus::Opened);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(launcher.launches.size(), 4u);
    search("kept", false, true);
    EXPECT_NE(files().at(folder.file(kHistoryStoreName)),
              before.at(folder.file(kHistoryStoreName)));
    EXPECT_NE(files().at(folder.file(kSuggestionFileName)),
              before.at(folder.file(kSuggestionFileName)));
    EXPECT_TRUE(messages.shown.empty());
}
