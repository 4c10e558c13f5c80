// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/form_model.h"
#include "fakes.h"
#include "form_line.h"
#include "transcript.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sstream>
#include <stdexcept>

using namespace trov;
using V = std::vector<std::string>;

// The cases and what they print: data/compose.txt [Engines].
TEST(FormModel, EngineButtons) {
    test::expectTranscript("compose/data/compose.txt", "Engines", [](const std::string& line) {
        const test::FormLine form(line);
        test::RecordingCrawl crawl;
        FormModel m(&crawl);
        m.selectEngine(form.engine);
        m.setKindIndex(form.kind());
        m.setExpanded(form.flags.contains("expanded"));
        m.setSiteReadOnly(form.flags.contains("site-read-only"));
        for (std::size_t i = 0; i < kCrawlModes.size(); ++i)
            m.setCrawlMark(kCrawlModes[i],
                           form.flags.contains(std::string(test::kCrawlModeNames[i])));
        if (form.fields.contains("request"))
            m.setCrawlRequestMode(std::stoi(form.text("request")));
        crawl.calls.clear();
        const EngineSelection s = form.fields.contains("press")
                                      ? m.selectEngine(test::engineNamed(form.text("press")))
                                      : EngineSelection{};
        std::string out =
            std::string(s.expand ? "expand, " : "") + (s.popUpCrawlerMenu ? "menu, " : "") +
            (s.clearedLinkList ? "list emptied, " : "") + (s.focusSite ? "site focus, " : "") +
            "kind <" + m.kindText() + ">" + (m.kindBoxEnabled() ? "" : " disabled") +
            (m.kindBoxColour() == 0xFFFFFFu ? "" : " grey") + "\nmarks:";
        for (std::size_t i = 0; i < kCrawlModes.size(); ++i)
            out +=
                m.crawlMarks()[kCrawlModes[i]] ? " " + std::string(test::kCrawlModeNames[i]) : "";
        out += (m.siteReadOnly() ? "; site read-only\n" : "\n") + test::greyFields(m.colours()) +
               "\ncrawl:";
        for (const std::string& call : crawl.calls)
            out += " " + call;
        return out + "\n";
    });
}

TEST(FormModel, SnapshotCarriesTheEntryTextsAndAChangedFieldIsTheOwner) {
    FormModel m;
    m.setBrowsers({{"Firefox", "firefox %u"}, {"Chromium (Default)", "chromium %U"}});
    m.select(ListField::Browser, 1);
    for (const auto& [field, text] : {std::pair{TextField::Words, "w"},
                                      {TextField::Exact, "e"},
                                      {TextField::Exclude, "x"},
                                      {TextField::Site, "s"}})
        m.setText(field, text);
    m.select(ListField::Period, 3);
    m.select(ListField::Interface, -1);
    m.setKindIndex(1);
    m.setExpanded(true);
    m.setCrawlListFile("/tmp/l.txt");
    const SearchSnapshot s = m.snapshot();
    EXPECT_EQ(
        (V{s.words, s.exactPhrase, s.excludedWords, s.site, s.browser, s.period,
           s.interfaceLanguage, s.country, s.kind, s.crawlListFile, s.expanded ? "expanded" : ""}),
        (V{"w", "e", "x", "s", "Chromium (Default)", "Past week", "", "- - -", "Images",
           "/tmp/l.txt", "expanded"}));
    EXPECT_EQ(m.ownerText(), "s"); // the field changed last
    m.setSuggestionOwner(OwnerField::Words);
    m.setText(TextField::Site, "s"); // the same text is no change
    EXPECT_EQ(m.ownerText(), "w");
}

// The source runs once, at the first read or select of the box (data/compose.txt tells more);
// other lists are no reason to read the browsers.
TEST(FormModel, ABrowserSourceRunsOnceWhenTheBoxIsFirstNeeded) {
    test::expectTranscript(
        "compose/data/compose.txt", "BrowserSource", [](const std::string& input) {
            std::istringstream in(input);
            std::string given, act;
            int index = 0, runs = 0;
            in >> given >> act >> index;
            FormModel m;
            m.setBrowserSource([&]() -> FormModel::BrowserBox {
                ++runs;
                if (given == "throws")
                    throw std::runtime_error("unreadable");
                return {given == "empty"
                            ? std::vector<BrowserEntry>{}
                            : std::vector<BrowserEntry>{{"Chromium", "chromium %U"},
                                                        {"Firefox (Default)", "firefox %u"},
                                                        {"Lynx", ""}},
                        given == "empty" ? 0 : std::stoi(given)};
            });
            m.select(ListField::Country, 5);
            (void)m.selection(ListField::Language);
            (void)m.request();
            EXPECT_FALSE(m.browsersLoaded());
            const std::map<std::string, std::function<void()>> acts = {
                {"none", [] {}},
                {"selection", [&] { (void)m.selection(ListField::Browser); }},
                {"text", [&] { (void)m.selectedText(ListField::Browser); }},
                {"browsers", [&] { (void)m.browsers(); }},
                {"command", [&] { (void)m.browserCommand(); }},
                {"snapshot", [&] { (void)m.snapshot(); }},
                {"select", [&] { m.select(ListField::Browser, index); }},
                {"replace", [&] {
                     m.setBrowsers({{"Only", "only %u"}});
                 }}};
            std::string out;
            for (int i = 0; i < 2; ++i) {
                try {
                    acts.at(act)();
                } catch (const std::runtime_error& e) {
                    out += std::string("threw <") + e.what() + ">, ";
                }
            }
            out += "selection " + std::to_string(m.selection(ListField::Browser));
            out += " <" + m.selectedText(ListField::Browser) + "> command <" + m.browserCommand();
            return out + ">, " + std::to_string(runs) +
                   (m.browsersLoaded() ? " runs, loaded\n" : " runs\n");
        });
}
