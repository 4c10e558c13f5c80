// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/engine_suggestions.h"

#include "compose/own_engines.h"
#include "compose/web_get.h"

#include <nlohmann/json.hpp>

namespace trov {

namespace {

std::string oneLine(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    return text;
}

} // namespace

std::optional<std::vector<std::string>> readSuggestionsJson(std::string_view body,
                                                            std::string* error) {
    const auto fail = [error](const char* why) -> std::optional<std::vector<std::string>> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (body.size() > kMaxSuggestionsAnswer)
        return fail("the answer is too large");
    // No exceptions: a malformed answer gives a discarded value. The parser keeps its own
    // stack, so deep nesting costs memory in proportion to the bounded input, not the call
    // stack.
    const nlohmann::json answer = nlohmann::json::parse(body, nullptr, false);
    if (answer.is_discarded())
        return fail("the answer is not JSON");
    if (!answer.is_array() || answer.size() < 2 || !answer[0].is_string() || !answer[1].is_array())
        return fail("the answer is not an array of the query and an array of texts");
    std::vector<std::string> texts;
    for (const nlohmann::json& text : answer[1]) {
        if (!text.is_string())
            return fail("a suggestion is not a text");
        texts.push_back(oneLine(text.get<std::string>()));
    }
    return texts;
}

std::string engineSuggestAddress(std::string_view suggestTemplate, const std::string& text) {
    TemplateFields fields;
    fields.words = text;
    return expandAddress(suggestTemplate, fields);
}

std::optional<EngineSuggestQuery> engineSuggestQuery(const OwnEngines& engines,
                                                     std::string_view typed) {
    const std::optional<KeywordMatch> match = matchKeyword(engines, typed);
    if (!match || match->engine->suggest.empty())
        return std::nullopt;
    return EngineSuggestQuery{match->engine, match->rest};
}

EngineSuggestAnswer fetchEngineSuggestions(const std::string& address) {
    EngineSuggestAnswer answer;
    const WebPage page = webGet(address, {kEngineSuggestTimeout, kMaxSuggestionsAnswer});
    if (!page.ok) {
        answer.error = page.error;
        return answer;
    }
    answer.texts = readSuggestionsJson(page.body, &answer.error);
    return answer;
}

} // namespace trov
