// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/own_engines.h"

#include "common/atomic_file.h"
#include "common/text.h"
#include "compose/code_tables.h"
#include "compose/form_model.h"
#include "settings/ini.h"

#include <algorithm>
#include <array>
#include <span>
#include <unordered_map>

namespace trov {

namespace {

// Each placeholder takes one field, encoded, except {query} (made of several fields) and
// {raw} (the words, not encoded).
struct PlaceholderName {
    std::string_view name;
    std::string TemplateFields::*field;
};

constexpr std::array<PlaceholderName, 10> kPlaceholders = {{
    {"{words}", &TemplateFields::words},
    {"{exact}", &TemplateFields::exact},
    {"{exclude}", &TemplateFields::exclude},
    {"{site}", &TemplateFields::site},
    {"{filetype}", &TemplateFields::fileType},
    {"{country}", &TemplateFields::country},
    {"{language}", &TemplateFields::language},
    {"{interface}", &TemplateFields::interfaceLanguage},
    {"{query}", nullptr},
    {"{raw}", nullptr},
}};

// The placeholder that starts at text's first character, if any.
const PlaceholderName* placeholderAt(std::string_view text) {
    for (const PlaceholderName& p : kPlaceholders)
        if (text.starts_with(p.name))
            return &p;
    return nullptr;
}

// "- - -" is how the lists (and re-run history rows) spell an absent value.
std::string_view valueOf(std::string_view s) {
    return s == kNoneEntry ? std::string_view() : s;
}

bool isKeyChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// key names the template in the reason: "Address" or "Suggest".
std::optional<std::string> templateProblem(std::string_view key, std::string_view address) {
    if (!text::startsWithIgnoreCase(address, "http://") &&
        !text::startsWithIgnoreCase(address, "https://"))
        return std::string(key) + " is not an http or https address";
    for (std::size_t i = address.find('{'); i != std::string_view::npos;
         i = address.find('{', i + 1))
        if (!placeholderAt(address.substr(i)))
            return std::string(key) + " holds a \"{\" that starts no placeholder: \"" +
                   std::string(text::cutUtf8(address.substr(i), 12)) + "\"";
    return std::nullopt;
}

// Private= is read strictly: a search meant to be private must not open in a normal
// window because of a misspelt value.
std::optional<bool> privateValue(std::string_view value) {
    const std::string v = text::toLower(text::trim(value));
    if (v.empty() || v == "false" || v == "0")
        return false;
    if (v == "true" || v == "1")
        return true;
    return std::nullopt;
}

std::optional<std::string> extrasProblem(const IniDocument& doc, const std::string& section,
                                         OwnEngine& engine) {
    const std::string privateText = doc.readString(section, "Private", "");
    const std::optional<bool> isPrivate = privateValue(privateText);
    if (!isPrivate)
        return "Private \"" + privateText + "\" is neither true nor false";
    engine.privateWindow = *isPrivate;
    engine.browser = doc.readString(section, "Browser", "");
    engine.suggest = doc.readString(section, "Suggest", "");
    if (!engine.suggest.empty())
        return templateProblem("Suggest", engine.suggest);
    return std::nullopt;
}

std::string_view codeAt(std::span<const CodeEntry> list, int index) {
    return index > 0 && index < static_cast<int>(list.size()) ? list[index].code
                                                              : std::string_view();
}

std::string_view leadingWord(std::string_view words) {
    return words.substr(0, words.find(' '));
}

} // namespace

const OwnEngine* OwnEngines::byName(std::string_view name) const {
    for (const OwnEngine& e : engines)
        if (text::equalsIgnoreCase(e.name, name))
            return &e;
    return nullptr;
}

const OwnEngine* OwnEngines::byKey(std::string_view key) const {
    if (key.empty())
        return nullptr;
    for (const OwnEngine& e : engines)
        if (text::equalsIgnoreCase(e.key, key))
            return &e;
    return nullptr;
}

OwnEngines parseOwnEngines(std::string_view iniText) {
    const IniDocument doc = IniDocument::parse(iniText);
    OwnEngines result;
    std::unordered_map<std::string, std::size_t> keyOwners; // lower-cased key -> engine
    for (const std::string& section : doc.sections()) {
        OwnEngine engine{section, doc.readString(section, "Key", ""),
                         doc.readString(section, "Address", "")};
        std::optional<std::string> problem;
        if (section.empty())
            problem = "no name";
        else if (!doc.value(section, "Address"))
            problem = "no Address";
        else
            problem = templateProblem("Address", engine.address);
        if (!problem)
            problem = extrasProblem(doc, section, engine);
        const std::string key = text::toLower(engine.key);
        if (!problem)
            problem = keyProblem(engine.key, key.empty() || !keyOwners.count(key)
                                                 ? nullptr
                                                 : &result.engines[keyOwners[key]]);
        if (problem) {
            result.invalid.push_back({section, std::move(*problem)});
        } else {
            if (!key.empty())
                keyOwners.emplace(key, result.engines.size());
            result.engines.push_back(std::move(engine));
        }
    }
    return result;
}

OwnEngines readOwnEngines(const std::string& path) {
    const std::optional<std::string> bytes = readWholeFile(path);
    return bytes ? parseOwnEngines(*bytes) : OwnEngines{};
}

std::optional<std::string> keyProblem(std::string_view key, const OwnEngine* owner) {
    if (!std::all_of(key.begin(), key.end(), isKeyChar))
        return "Key \"" + std::string(key) +
               "\" holds characters other than letters, digits, \"-\" and \"_\"";
    if (owner)
        return "Key \"" + std::string(key) + "\" is taken by [" + owner->name + "]";
    return std::nullopt;
}

std::string invalidEngineLine(const InvalidEngine& invalid) {
    return "[" + invalid.section + "]: " + invalid.reason;
}

std::string skippedEnginesMessage(const std::vector<InvalidEngine>& invalid) {
    // Thousands of broken sections, or one of megabytes, still make a box a screen holds.
    constexpr std::size_t kListed = 10, kLineBytes = 200;
    std::string text = formatText(kSkippedSections, {kOwnEnginesFileName}) + "\r\n";
    for (std::size_t i = 0; i < std::min(invalid.size(), kListed); ++i) {
        const std::string line = invalidEngineLine(invalid[i]);
        const std::string_view cut = text::cutUtf8(line, kLineBytes);
        text += "\r\n" + std::string(cut) + (cut.size() < line.size() ? "..." : "");
    }
    if (invalid.size() > kListed)
        text += "\r\n" + formatText(kMoreSkipped, {std::to_string(invalid.size() - kListed)});
    return text;
}

TemplateFields templateFields(const FormModel& model, std::string words) {
    TemplateFields f;
    f.words = std::move(words);
    if (!model.expanded())
        return f; // the collapsed window searches with the words alone
    f.exact = model.text(TextField::Exact);
    f.exclude = model.text(TextField::Exclude);
    f.site = model.text(TextField::Site);
    f.fileType = model.fragments().fileExtension;
    f.country = codeAt(kCountries, model.selection(ListField::Country));
    f.language = codeAt(kResultLanguages, model.selection(ListField::Language));
    f.interfaceLanguage = codeAt(kInterfaceLanguages, model.selection(ListField::Interface));
    return f;
}

std::string encodeAddressText(std::string_view s) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size() * 3);
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (isKeyChar(c) || c == '.' || c == '~') {
            out += c;
        } else if (c == ' ') {
            out += '+';
        } else {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

std::string queryText(const TemplateFields& f) {
    std::string q(valueOf(f.words));
    const auto part = [&q](std::string_view prefix, std::string_view value,
                           std::string_view suffix = {}) {
        if (value.empty())
            return;
        if (!q.empty())
            q += ' ';
        q.append(prefix).append(value).append(suffix);
    };
    part("\"", valueOf(f.exact), "\"");
    part("-", valueOf(f.exclude));
    part("site:", valueOf(f.site));
    part("filetype:", valueOf(f.fileType));
    return q;
}

std::string expandAddress(std::string_view tmpl, const TemplateFields& f) {
    std::string out;
    for (std::size_t i = 0; i < tmpl.size();) {
        const PlaceholderName* p = tmpl[i] == '{' ? placeholderAt(tmpl.substr(i)) : nullptr;
        if (!p) {
            out += tmpl[i++];
            continue;
        }
        i += p->name.size();
        if (p->field)
            out += encodeAddressText(valueOf(f.*(p->field)));
        else if (p->name == "{query}")
            out += encodeAddressText(queryText(f));
        else
            out += valueOf(f.words); // {raw}
    }
    return out;
}

std::optional<KeywordMatch> matchKeyword(const OwnEngines& engines, std::string_view words) {
    const std::string_view key = leadingWord(words);
    if (key.size() == words.size())
        return std::nullopt; // no blank: a key alone is a word like any other
    const OwnEngine* engine = engines.byKey(key);
    const std::size_t rest = words.find_first_not_of(' ', key.size());
    if (!engine || rest == std::string_view::npos)
        return std::nullopt;
    return KeywordMatch{engine, std::string(words.substr(rest))};
}

std::string ownEngineWords(const OwnEngine& engine, std::string_view words) {
    OwnEngines just;
    just.engines.push_back(engine);
    if (const auto match = matchKeyword(just, words))
        return match->rest;
    return std::string(words);
}

} // namespace trov
