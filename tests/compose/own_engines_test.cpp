// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "common/store_file.h"
#include "compose/engines_file_start.h"
#include "compose/own_engines.h"
#include "form_line.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"
#include "transcript.h"

#include <gtest/gtest.h>
#include <regex>

using namespace trov;

// The cases and what they print: data/compose.txt [Templates].
TEST(OwnEngineAddress, PlaceholdersAndEncoding) {
    test::expectTranscript("compose/data/compose.txt", "Templates", [](const std::string& input) {
        const test::FormLine f("google " + input);
        const TemplateFields fields{f.text("words"),    f.text("exact"),    f.text("exclude"),
                                    f.text("site"),     f.text("filetype"), f.text("country"),
                                    f.text("language"), f.text("interface")};
        return expandAddress(f.text("template"), fields) + "\n";
    });
}

// The cases and what they print: data/compose.txt [EnginesFile].
TEST(OwnEngineFile, InvalidSectionsAreSkippedWithTheirReason) {
    test::expectTranscript("compose/data/compose.txt", "EnginesFile", [](const std::string& file) {
        const OwnEngines e = parseOwnEngines(file);
        std::string out;
        for (const OwnEngine& engine : e.engines)
            out += "engine [" + engine.name + "] key <" + engine.key + "> " + engine.address +
                   (engine.browser.empty() ? "" : " browser <" + engine.browser + ">") +
                   (engine.privateWindow ? " private" : "") +
                   (engine.suggest.empty() ? "" : " suggest <" + engine.suggest + ">") + "\n";
        for (const InvalidEngine& invalid : e.invalid)
            out += "skipped " + invalidEngineLine(invalid) + "\n";
        return out;
    });
    EXPECT_TRUE(readOwnEngines("/nonexistent/engines.cfg").engines.empty());
}

TEST(OwnEngineFile, TheNoteOnSkippedSectionsStaysShort) {
    std::vector<InvalidEngine> invalid(12, {"s", "no Address"});
    invalid[0].section = std::string(300, 'x');
    const std::string note = skippedEnginesMessage(invalid);
    EXPECT_EQ(note.rfind("These sections of engines.cfg were skipped:\r\n\r\n[" +
                             std::string(199, 'x') + "...\r\n[s]: no Address\r\n",
                         0),
              0u);
    EXPECT_EQ(note.substr(note.size() - 31), "[s]: no Address\r\n... and 2 more");
}

// Input: the words typed, with engines cs and wp; printed: the engine and the words it gets.
TEST(OwnEngineKeyword, LeadingKeyFollowedByMoreWords) {
    const OwnEngines e = parseOwnEngines("[Code]\nKey=cs\nAddress=https://c/\n"
                                         "[Wiki]\nKey=wp\nAddress=https://w/\n");
    test::expectTranscript("compose/data/compose.txt", "Keywords", [&e](const std::string& typed) {
        const auto match = matchKeyword(e, typed);
        return match ? match->engine->name + " <" + std::string(match->rest) + ">\n"
                     : std::string("no keyword\n");
    });
    EXPECT_EQ(ownEngineWords(e.engines[0], "cs a"), "a");
    EXPECT_EQ(ownEngineWords(e.engines[0], "wp a"), "wp a");
}

TEST(OwnEngineFile, ShippedExampleIsAllCommentedOutAndValidWhenUncommented) {
    const std::string example =
        readWholeFile(TROV_SOURCE_DIR "/data/share/engines.cfg.example").value_or("");
    EXPECT_TRUE(parseOwnEngines(example).engines.empty());
    const std::string uncommented = std::regex_replace(
        example, std::regex("^;(\\[|Key=|Address=|Suggest=)", std::regex::multiline), "$1");
    const OwnEngines engines = parseOwnEngines(uncommented);
    EXPECT_GE(engines.engines.size(), 3u);
    EXPECT_TRUE(engines.invalid.empty());
}

// "Edit engines...": the example of the first folder holding one (beside the program, then
// share/trov); with none the file starts empty and a box says why; a file there stays.
TEST(EnginesFileStart, FromTheFirstFolderHoldingTheExample) {
    test::TempDir dir;
    const std::string app = dir.path() + "app/", share = dir.path() + "share/",
                      none = dir.path() + "none/";
    dir.write("app/engines.cfg.example", "; beside\n");
    dir.write("share/engines.cfg.example", "; installed\n");
    using Texts = std::vector<std::string>;
    const std::tuple<std::string, Texts, bool, std::string, Texts> cases[] = {
        {"a.cfg", {app, share}, true, "; beside\n", {}},
        {"b.cfg", {none, share}, true, "; installed\n", {}},
        {"c.cfg", {none}, true, "", {noEnginesExampleMessage({none})}},
        {"c.cfg", {app}, true, "", {}},
        {"c.cfg/x", {app}, false, "<none>", {unableToWrite(dir.file("c.cfg/x"))}}};
    for (const auto& [file, dirs, written, holds, shown] : cases) {
        test::RecordingMessages messages;
        EXPECT_EQ(startEnginesFile(dir.file(file), dirs, messages), written) << file;
        EXPECT_EQ(readWholeFile(dir.file(file)).value_or("<none>"), holds) << file;
        EXPECT_EQ(messages.texts(), shown) << file;
    }
    EXPECT_EQ(noEnginesExampleMessage({"/a/", "/b/"}),
              "engines.cfg.example was found in none of these folders:\r\n\r\n/a/\r\n/b/\r\n\r\n"
              "The new engines.cfg is empty.");
}
