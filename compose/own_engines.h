// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user's own engines from engines.cfg in the DataFolder: one INI section per engine,
// its name as shown, an optional keyword (Key) and an address template (Address) whose
// placeholders take the form's fields; optionally the browser it opens in (Browser, an
// entry of the browser list), Private=true for that browser's private window, and an
// address answering with suggestions (Suggest, a template like Address).

#include "common/translatable.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trov {

class FormModel;

inline constexpr std::string_view kOwnEnginesFileName = "engines.cfg";
inline constexpr std::string_view kOwnEnginesExampleName = "engines.cfg.example";

struct OwnEngine {
    std::string name;           // the section name
    std::string key;            // empty when it has none
    std::string address;        // the template
    std::string browser{};      // a browser-list entry's text; empty: the form's browser
    bool privateWindow = false; // Private=true
    std::string suggest{};      // the suggestions template; empty when it has none
};

// A section that was skipped, and why.
struct InvalidEngine {
    std::string section;
    std::string reason;
};

struct OwnEngines {
    std::vector<OwnEngine> engines; // the valid ones, in file order
    std::vector<InvalidEngine> invalid;

    // By section name or by key, ASCII case ignored; null when none.
    const OwnEngine* byName(std::string_view name) const;
    const OwnEngine* byKey(std::string_view key) const;
};

OwnEngines parseOwnEngines(std::string_view iniText);
// A missing or unreadable file has no engines.
OwnEngines readOwnEngines(const std::string& path);

// Why a Key cannot be used: characters other than letters, digits, "-" and "_", or owner,
// the engine that has it already (null: none); nullopt when it can.
std::optional<std::string> keyProblem(std::string_view key, const OwnEngine* owner);

// "[section]: reason", the line that reports a skipped section.
std::string invalidEngineLine(const InvalidEngine& invalid);
// The window's note on the skipped sections: the first ten, each cut to 200 bytes, and how
// many more there are.
inline constexpr char kSkippedSections[] = TROV_TEXT("Core", "These sections of %1 were skipped:");
inline constexpr char kMoreSkipped[] = TROV_TEXT("Core", "... and %1 more");
std::string skippedEnginesMessage(const std::vector<InvalidEngine>& invalid);

// What the placeholders are replaced by; "- - -" counts as empty.
struct TemplateFields {
    std::string words;
    std::string exact;
    std::string exclude;
    std::string site;
    std::string fileType;          // the extension, "pdf"
    std::string country;           // "DE"
    std::string language;          // "de"
    std::string interfaceLanguage; // "zh-CN"
};

// The form's fields for an own engine, with the given search words; a collapsed form
// gives the words alone.
TemplateFields templateFields(const FormModel& model, std::string words);

// UTF-8 bytes; letters, digits, "-", "_", "." and "~" stay, a blank becomes "+", every
// other byte "%" and two upper-case hex digits.
std::string encodeAddressText(std::string_view text);

// The words, the exact phrase in quotes, the excluded words after "-", "site:" and
// "filetype:", each only when it has a value.
std::string queryText(const TemplateFields& fields);

std::string expandAddress(std::string_view addressTemplate, const TemplateFields& fields);

// A leading keyword: the words start with a key, a blank and more words.
struct KeywordMatch {
    const OwnEngine* engine = nullptr;
    std::string rest; // the words after the key and its blanks
};
std::optional<KeywordMatch> matchKeyword(const OwnEngines& engines, std::string_view words);

// The words an own engine searches for: without its own key when they start with it.
std::string ownEngineWords(const OwnEngine& engine, std::string_view words);

} // namespace trov
