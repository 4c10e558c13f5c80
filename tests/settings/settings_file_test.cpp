// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "compose/engines.h"
#include "settings/config.h"
#include "settings/form_reset.h"
#include "settings/ini.h"
#include "settings/settings_file.h"
#include "tests/compose/fakes.h"
#include "tests/compose/form_line.h"
#include "tests/compose/transcript.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/temp_dir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

using namespace trov;
using test::FakeMainWindow;

namespace {

// A main window whose browser box holds four entries, and its data folder.
struct Form {
    test::TempDir dir;
    FakeMainWindow main;
    test::RecordingMessages messages;
    Config config{dir.file("YY.cfg")};
    explicit Form(CrawlPort* crawl = nullptr) : main(crawl) {
        main.model.setBrowsers({{"Chromium", "chromium %u"},
                                {"Firefox (Default)", "firefox %u"},
                                {"Firefox ESR", "firefox-esr %u"},
                                {"Vivaldi", "vivaldi %u"}});
    }
    // Bing, kind 2, every text "x", every list on an entry of its own.
    void fillForm() {
        main.model.selectEngine(SearchEngine::Bing);
        main.model.setKindIndex(2);
        main.setTexts("x");
        main.setLists({3, 4, 5, 6, 7, 2});
    }
};

// The form and the window after a command: the engine, its kind and marks, the crawl menu,
// the window expanded; the lists, the texts and the fragments they make; the window's calls
// in order; the engine code the form writes back.
std::string state(const FakeMainWindow& w) {
    const FormModel& m = w.model;
    std::string out =
        std::string(engineInfo(m.engine()).cliName) + " kind " + std::to_string(m.kindIndex());
    for (CrawlMode mode : kCrawlModes)
        out += m.crawlMarks()[mode]
                   ? " " + std::string(test::kCrawlModeNames[static_cast<int>(mode)])
                   : "";
    if (!w.selections.empty() && w.selections.back().popUpCrawlerMenu)
        out += ", the crawl menu opens";
    out += m.crawlRequestMode() == kNoCrawlRequest ? "" : ", a crawl request";
    out += w.expanded ? ", expanded\nlists" : "\nlists";
    for (int index : w.lists())
        out += " " + std::to_string(index);
    for (const std::string& t : w.texts())
        out += " <" + t + ">";
    const SearchFragments& f = m.fragments();
    out += " <";
    for (const std::string& part :
         {f.interfaceParam, f.countryParam, f.languageParam, f.fileExtension})
        out += part.empty() ? "" : out.back() == '<' ? part : " " + part;
    out += ">\ncalls:";
    for (const std::string& call : w.calls)
        out += " " + call;
    return out + "\nwritten back " + std::to_string(settingsEngineCode(m)) + "\n";
}

} // namespace

// The cases and what they print: data/settings.txt [Save].
TEST(SaveSettings, NineKeysUnderPinEveryOtherLineKept) {
    test::expectTranscript("settings/data/settings.txt", "Save", [](const std::string& before) {
        Form s;
        s.fillForm();
        const std::string path = before == "-" ? s.dir.file("s.gms") : s.dir.write("s.gms", before);
        writeSettingsFile(path, s.main.model, 255);
        Form fresh;
        EXPECT_TRUE(readSettingsFile(path, fresh.main));
        return "file <" + test::escaped(s.dir.read("s.gms")) + ">\nread back: " + state(fresh.main);
    });
    test::TempDir dir;
    const std::string refused = dir.file("missing-folder/s.gms");
    EXPECT_THAT([&] { writeSettingsFile(refused, FormModel(), 255); },
                ::testing::ThrowsMessage<IniWriteError>("Unable to write to " + refused));
}

// The cases and what they print: data/settings.txt [Open].
TEST(OpenSettings, AFileSetsTheFormAndPressesItsEngine) {
    test::expectTranscript("settings/data/settings.txt", "Open", [](std::string text) {
        test::RecordingCrawl crawl;
        Form s(&crawl);
        s.fillForm();
        if (text.starts_with("list ")) {
            s.main.model.selectEngine(SearchEngine::Links);
            s.main.model.setCrawlMark(CrawlMode::CrawlCSV, true);
            text.erase(0, 5);
        }
        s.main.calls.clear();
        crawl.calls.clear();
        std::string out =
            readSettingsFile(text == "-" ? s.dir.file("none") : s.dir.write("s.gms", text), s.main)
                ? "read: "
                : "not read: ";
        return out + state(s.main) + (crawl.calls.empty() ? "" : "the link list emptied\n");
    });
    FormModel swisscows; // no code
    swisscows.selectEngine(SearchEngine::Swisscows);
    EXPECT_EQ(settingsEngineCode(swisscows), 0);
}

// The cases and what they print: data/settings.txt [Reset].
TEST(ResetAndBroom, ReturnTheListsToThePinsOrUndoThePins) {
    test::expectTranscript("settings/data/settings.txt", "Reset", [](const std::string& input) {
        Form s;
        s.fillForm();
        std::istringstream in(input);
        std::string command, name, cfgText;
        in >> command >> name;
        cfgText.assign(std::istreambuf_iterator<char>(in.ignore()), {});
        if (cfgText != "-")
            s.dir.write("YY.cfg", cfgText);
        s.config.reload();
        s.main.calls.clear();
        s.messages.answer = command == "reset";
        if (command == "broom")
            xiMetlaClick(s.main, s.config);
        else
            EXPECT_EQ(ResetAll(s.main, s.config, s.messages, name == "-" ? "" : name),
                      s.messages.answer);
        std::string asked;
        for (const std::string& question : s.messages.asked)
            asked += "asked <" + question + ">\n";
        return asked + state(s.main) + "YY.cfg <" +
               test::escaped(fileExists(s.config.path()) ? s.dir.read("YY.cfg") : "none") + ">\n";
    });
}
