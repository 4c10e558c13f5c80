// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text.h"
#include "compose/own_engines.h"
#include "suggest/engine_suggest_model.h"
#include "suggest/engine_suggestions.h"
#include "tests/compose/transcript.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

const std::string kFile = "suggest/data/engine_suggest.txt";

std::string inside(const std::string& word) {
    const std::size_t open = word.find('<');
    return word.substr(open + 1, word.size() - open - 2);
}

} // namespace

// Input: an answer's body; printed: the texts read from it, or why none are.
TEST(EngineSuggestions, AnswerFormat) {
    test::expectTranscript(kFile, "Json", [](const std::string& body) {
        std::string why;
        const auto texts = readSuggestionsJson(body, &why);
        std::string out = texts ? "texts:" : "refused: " + why;
        for (const std::string& t : texts.value_or(std::vector<std::string>{}))
            out += " <" + t + ">";
        return out + "\n";
    });
    EXPECT_FALSE(readSuggestionsJson(std::string(kMaxSuggestionsAnswer + 1, ' ')));
    // Nesting as deep as the size allows, well-formed or cut, is read without recursion.
    const std::string deep(kMaxSuggestionsAnswer / 2, '[');
    EXPECT_FALSE(readSuggestionsJson(deep + std::string(deep.size(), ']')));
    EXPECT_FALSE(readSuggestionsJson(deep));
}

// The engine asked is the one whose key leads the words, when it has a Suggest address.
TEST(EngineSuggestions, TheEngineTheKeyNames) {
    const OwnEngines own = parseOwnEngines("[S]\nKey=s\nAddress=https://s/\nSuggest=https://s/"
                                           "{query}\n[N]\nKey=n\nAddress=https://n/\n");
    const auto asked = [&](std::string_view typed) {
        const auto q = engineSuggestQuery(own, typed);
        return q ? q->engine->name + " <" + q->text + ">" : std::string("none");
    };
    EXPECT_EQ((std::vector{asked("s  a b"), asked("s"), asked("n a"), asked("x a")}),
              (std::vector<std::string>{"S <a b>", "none", "none", "none"}));
}

// Input: a script, a word an event: "on"/"off" ("Suggestions from engines"),
// "private"/"public", "@N" (the clock at N ms), "type<TEXT>" (the text for the engine
// E), "plain<TEXT>" (a text for no engine), "tick", "answer#N<a|b>" and "fail#N" (request
// N's answer); printed: the requests started, the answers shown, then the rows and when
// the next tick is due.
TEST(EngineSuggestModel, WhenTheEngineIsAskedAndWhichAnswersShow) {
    test::expectTranscript(kFile, "Model", [](const std::string& script) {
        using namespace std::chrono;
        const steady_clock::time_point zero{};
        milliseconds at{0};
        std::string out;
        EngineSuggestModel model([&] { return zero + at; },
                                 [&](const EngineSuggestRequest& r) {
                                     out += "ask #" + std::to_string(r.id) + " <" + r.text + "> " +
                                            r.address + " @" + std::to_string(at.count()) + "\n";
                                 });
        for (const std::string& w : test::words(script)) {
            if (w == "on" || w == "off")
                model.setEnabled(w == "on");
            else if (w == "private" || w == "public")
                model.setPrivateMode(w == "private");
            else if (w.starts_with("@"))
                at = milliseconds(std::stoi(w.substr(1)));
            else if (w.starts_with("type<") || w.starts_with("plain<"))
                model.textChanged(w.starts_with("type") ? "https://e/s?q={query}" : "", inside(w));
            else if (w == "tick")
                model.tick();
            else if (w.starts_with("answer#") || w.starts_with("fail#")) {
                std::optional<std::vector<std::string>> texts;
                if (w.starts_with("answer"))
                    texts = text::split(inside(w), '|');
                const bool shown = model.answered(std::stoull(w.substr(w.find('#') + 1)), texts);
                out += (shown ? "shown " : "not shown ") + w.substr(0, w.find('<')) + "\n";
            }
        }
        out += "rows:";
        for (const std::string& r : model.rows())
            out += " <" + r + ">";
        const auto next = model.nextTick();
        return out +
               (next
                    ? ", next @" + std::to_string(duration_cast<milliseconds>(*next - zero).count())
                    : ", next none") +
               "\n";
    });
}
