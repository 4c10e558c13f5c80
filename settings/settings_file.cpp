// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include "common/atomic_file.h"
#include "compose/form_model.h"
#include "settings/ini.h"
#include "window_models/main_commands.h"

#include <array>
#include <utility>

namespace trov {

namespace {

// Tip2 codes by engine; Links is decided by its crawl marks.
int codeOf(SearchEngine engine) {
    switch (engine) {
    case SearchEngine::Google:
        return 1;
    case SearchEngine::Bing:
        return 2;
    case SearchEngine::DuckDuckGo:
        return 3;
    case SearchEngine::Wikipedia:
        return 4;
    case SearchEngine::WolframAlpha:
        return 6;
    case SearchEngine::Ask:
        return 7;
    case SearchEngine::UrbanDictionary:
        return 8;
    case SearchEngine::Swisscows:
    case SearchEngine::Links:
        break;
    }
    return 0;
}

struct CodedEngine {
    int code;
    SearchEngine engine;
};

constexpr std::array<CodedEngine, 7> kCodedEngines = {{
    {1, SearchEngine::Google},
    {2, SearchEngine::Bing},
    {3, SearchEngine::DuckDuckGo},
    {4, SearchEngine::Wikipedia},
    {6, SearchEngine::WolframAlpha},
    {7, SearchEngine::Ask},
    {8, SearchEngine::UrbanDictionary},
}};

constexpr std::array<std::pair<std::string_view, ListField>, 6> kListKeys = {{
    {"Browser", ListField::Browser},
    {"Interface", ListField::Interface},
    {"Country", ListField::Country},
    {"Language", ListField::Language},
    {"Type", ListField::FileType},
    {"Time", ListField::Period},
}};

// Links with the requested extract mode (none for codes past 10), pressed as the import
// does it: the window expands first, the request keeps the crawler menu closed, and
// afterwards the menu shows exactly the requested mode.
void selectLinks(int code, MainWindowCommands& main) {
    if (!main.isExpanded())
        main.toggleExpanded();
    FormModel& form = main.form();
    const int request = code == 9 ? 1 : code == 10 ? 2 : kNoCrawlRequest;
    form.setCrawlRequestMode(request);
    main.pressEngine(SearchEngine::Links);
    form.tickRequestedExtractMode();
    form.setCrawlRequestMode(kNoCrawlRequest);
}

} // namespace

int settingsEngineCode(const FormModel& model) {
    const SearchEngine engine = model.engine();
    if (engine != SearchEngine::Links)
        return codeOf(engine);
    int code = 0;
    if (model.crawlMarks()[CrawlMode::AllLinks])
        code = 9;
    if (model.crawlMarks()[CrawlMode::interLinks])
        code = 10;
    return code;
}

void writeSettingsFile(const std::string& path, const FormModel& model, int backgroundColour) {
    IniFile file(path);
    for (const auto& [key, list] : kListKeys)
        file.writeInt(kSettingsSection, key, model.selection(list));
    file.writeInt(kSettingsSection, "bkgkol", backgroundColour);
    file.writeInt(kSettingsSection, "Tip", model.kindIndex());
    file.writeInt(kSettingsSection, "Tip2", settingsEngineCode(model));
}

bool readSettingsFile(const std::string& path, MainWindowCommands& main) {
    if (!fileExists(path))
        return false;
    const IniFile file(path);
    const auto readInt = [&](std::string_view key, int fallback) {
        return file.readInt(kSettingsSection, key, fallback);
    };
    FormModel& form = main.form();

    form.setText(TextField::Words, {});
    for (const auto& [key, list] : kListKeys)
        form.select(list, readInt(key, 0));
    form.setText(TextField::Exact, file.readString(kSettingsSection, "Exact2", ""));
    form.setText(TextField::Exclude, file.readString(kSettingsSection, "Exclude2", ""));
    form.setText(TextField::Site, file.readString(kSettingsSection, "Domain2", ""));
    form.setText(TextField::Words, file.readString(kSettingsSection, "Eurl2", ""));

    const int code = readInt("Tip2", kDefaultEngineCode);
    const int colour = readInt("bkgkol", kKeepColourSentinel);
    if (colour != kKeepColourSentinel)
        main.applyBackground(colour);

    form.setSelectingFromFile(true);
    if (code >= 9) {
        selectLinks(code, main);
    } else {
        for (const CodedEngine& e : kCodedEngines)
            if (e.code == code)
                main.pressEngine(e.engine);
    }
    form.setSelectingFromFile(false);
    // Links keeps its one greyed "---"; the other engines take the stored kind.
    if (form.engine() != SearchEngine::Links)
        form.setKindIndex(readInt("Tip", 0));

    form.recomputeFragments();
    form.BarvaOkvirja();
    if (!main.isExpanded())
        main.toggleExpanded();
    main.syncFromModel();
    main.hideSuggestions();
    return true;
}

} // namespace trov
