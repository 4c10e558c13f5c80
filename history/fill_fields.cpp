// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/fill_fields.h"

#include "common/text.h"
#include "common/translatable.h"
#include "compose/code_tables.h"
#include "compose/engines.h"
#include "compose/form_model.h"
#include "window_models/main_commands.h"

#include <array>
#include <optional>
#include <span>

namespace trov {

namespace {

constexpr std::string_view kCrawlFromFile = "Crawl from a file ";
constexpr std::string_view kAnyTime = "Any time";

std::string_view labelOf(const CodeEntry& e) {
    return e.label;
}
std::string_view labelOf(std::string_view s) {
    return s;
}
std::string_view labelOf(const BrowserEntry& e) {
    return e.text;
}

// The last entry equal to text, ASCII case ignored; -1 when none is.
template <typename Labels> int lastEqual(const Labels& labels, std::string_view text) {
    int found = -1;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (text::equalsIgnoreCase(labelOf(labels[i]), text))
            found = static_cast<int>(i);
    return found;
}

void selectEqual(FormModel& form, ListField list, std::string_view text) {
    int i = -1;
    switch (list) {
    case ListField::Browser:
        i = lastEqual(form.browsers(), text);
        break;
    case ListField::Interface:
        i = lastEqual(kInterfaceLanguages, text);
        break;
    case ListField::Country:
        i = lastEqual(kCountries, text);
        break;
    case ListField::Language:
        i = lastEqual(kResultLanguages, text);
        break;
    case ListField::FileType:
        i = lastEqual(kFileTypes, text);
        break;
    case ListField::Period:
        i = lastEqual(kPeriods, text);
        break;
    }
    if (i >= 0) // no equal entry: the selection stays
        form.select(list, i);
}

// The engines a record names by their exact text, in the order they are tested.
struct NamedEngine {
    std::string_view text;
    SearchEngine engine;
};
constexpr std::array<NamedEngine, 8> kNamedEngines = {{
    {"Google", SearchEngine::Google},
    {"Bing", SearchEngine::Bing},
    {"DuckDuckGo", SearchEngine::DuckDuckGo},
    {"Wikipedia", SearchEngine::Wikipedia},
    {"Wolfram Alpha", SearchEngine::WolframAlpha},
    {"Ask", SearchEngine::Ask},
    {"Urban Dictionary", SearchEngine::UrbanDictionary},
    {"Swisscows", SearchEngine::Swisscows},
}};

// The Links record: the extract mode as a request, so the Links button keeps its menu
// closed and ticks the mode itself. A list crawl's file is loaded by the caller.
void restoreLinks(std::string_view engineText, MainWindowCommands& main) {
    FormModel& form = main.form();
    for (CrawlMode mode : kCrawlModes)
        form.setCrawlMark(mode, false);
    int request = 0;
    if (engineText.find("Extract all links from a website") != std::string_view::npos)
        request = 1;
    if (engineText.find("Extract internal links from a website") != std::string_view::npos)
        request = 2;
    form.setCrawlRequestMode(request);
    main.pressEngine(SearchEngine::Links);
    form.tickRequestedExtractMode();
    form.setSiteReadOnly(false);
}

} // namespace

std::string crawlListPathOf(std::string_view text) {
    std::string path;
    const std::size_t from = text.find(kCrawlFromFile);
    std::size_t slash = std::string_view::npos;
    if (from != std::string_view::npos) {
        // A path of this desktop, or one with a drive letter from a Windows history.
        slash = text.find('/', from + kCrawlFromFile.size());
        const std::size_t drive = text.find(":\\", from + kCrawlFromFile.size());
        if (drive != std::string_view::npos && drive > from + kCrawlFromFile.size() &&
            drive - 1 < slash)
            slash = drive - 1;
    }
    for (std::string_view ext : {std::string_view(".csv"), std::string_view(".txt")}) {
        if (text.find(ext) == std::string_view::npos)
            continue;
        const std::size_t end = text.find(std::string(ext) + " )");
        if (slash != std::string_view::npos && end != std::string_view::npos && end > slash)
            path = std::string(text.substr(slash, end + ext.size() - slash));
    }
    return path;
}

bool recordWantsExpansion(const HistoryRecord& r) {
    for (std::size_t c :
         {kColExact, kColExclude, kColSite, kColFileType, kColInterface, kColCountry, kColLanguage})
        if (r[c] != kAbsentMarker)
            return true;
    return r[kColPeriod] != kAnyTime;
}

bool namesOwnEngine(std::string_view engineText) {
    for (const NamedEngine& e : kNamedEngines)
        if (engineText == e.text)
            return false;
    return !engineText.empty() && engineText.find("Links") == std::string_view::npos;
}

std::string missingEngineMessage(std::string_view engineText) {
    return formatText(kMissingEngine, {engineText});
}

FillResult FillFields(const HistoryRecord& record, bool listHasRows, MainWindowCommands& main) {
    bool expand = false;
    std::optional<std::string> listFile; // a list crawl's, loaded last
    if (listHasRows) {
        expand = recordWantsExpansion(record);
        if (record[kColBrowser] != kAbsentMarker) {
            FormModel& form = main.form();
            selectEqual(form, ListField::Browser, record[kColBrowser]);
            selectEqual(form, ListField::Interface, record[kColInterface]);
            selectEqual(form, ListField::Country, record[kColCountry]);
            selectEqual(form, ListField::Language, record[kColLanguage]);
            selectEqual(form, ListField::Period, record[kColPeriod]);
            selectEqual(form, ListField::FileType, record[kColFileType]);

            const auto fieldText = [&](std::size_t column) {
                return record[column] == kAbsentMarker ? std::string()
                                                       : std::string(record[column]);
            };
            // Emptied first, so each field the record fills changes and the last of them
            // serves the suggestions, as if typed.
            for (TextField f :
                 {TextField::Exact, TextField::Exclude, TextField::Site, TextField::Words})
                form.setText(f, {});
            form.setText(TextField::Exact, fieldText(kColExact));
            form.setText(TextField::Exclude, fieldText(kColExclude));
            form.setText(TextField::Site, fieldText(kColSite));
            form.setText(TextField::Words, fieldText(kColSearch));
            form.recomputeFragments();

            const std::string_view engineText = record[kColEngine];
            for (const NamedEngine& e : kNamedEngines)
                if (engineText == e.text)
                    main.pressEngine(e.engine);
            // The period list is refilled for every record: an unknown period is "Any time".
            const int period = lastEqual(kPeriods, record[kColPeriod]);
            form.select(ListField::Period, period < 0 ? 0 : period);
            if (engineText.find("Links") != std::string_view::npos) {
                expand = true;
                restoreLinks(engineText, main);
                if (engineText.find("Crawl from a file") != std::string_view::npos)
                    listFile = crawlListPathOf(engineText);
            }
            form.setCrawlRequestMode(kNoCrawlRequest);

            const std::span<const std::string_view> kinds = form.kinds();
            int kind = 0;
            for (std::size_t i = 0; i < kinds.size(); ++i)
                if (kinds[i] == record[kColType]) {
                    kind = static_cast<int>(i);
                    break;
                }
            form.setKindIndex(kind);
            form.BarvaOkvirja();
        }
    }
    if (expand && record[kColBrowser] != kCollapsedBrowser && !main.isExpanded())
        main.toggleExpanded();
    main.syncFromModel();
    // Loaded once the form shows the record, so a warning about the file is read beside the
    // record's fields; and after the Links selection, which would clear the list mode again.
    if (listFile)
        main.loadCrawlList(*listFile);
    main.hideSuggestions();
    if (!listHasRows || !main.hasOwnEnginesFile() || !namesOwnEngine(record[kColEngine]))
        return FillResult::Filled;
    return main.runOwnEngine(std::string(record[kColEngine])) ? FillResult::RanOwnEngine
                                                              : FillResult::NoSuchOwnEngine;
}

} // namespace trov
