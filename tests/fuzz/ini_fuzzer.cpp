// Any INI text: every read answers without faulting, and the document written back out
// reads again with the same sections, keys and values. The same text is then read as each
// INI store the program reads: engines.cfg, a settings file and YY.cfg.

#include "app/main_commands.h"
#include "compose/form_model.h"
#include "compose/own_engines.h"
#include "settings/config.h"
#include "settings/ini.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using Snapshot = std::vector<std::vector<std::optional<std::string>>>;

// Everything a reader can see: each section's keys and their values.
Snapshot readAll(const trov::IniDocument& doc, std::vector<std::string>& names) {
    Snapshot all;
    names = doc.sections();
    for (const std::string& section : names) {
        if (!doc.hasSection(section))
            std::abort();
        auto& row = all.emplace_back();
        for (const std::string& key : doc.keys(section)) {
            row.push_back(doc.value(section, key));
            (void)doc.readInt(section, key, 7);
            (void)doc.readBool(section, key, true);
            (void)trov::parseProfileInt(doc.readString(section, key, ""));
        }
    }
    return all;
}

// Every valid engine expands its address and is found by its key.
void readAsEngines(std::string_view bytes) {
    const trov::OwnEngines engines = trov::parseOwnEngines(bytes);
    const trov::TemplateFields fields{"a b", "c", "d", "e.org", "pdf", "DE", "de", "zh-CN"};
    for (const trov::OwnEngine& engine : engines.engines) {
        (void)trov::expandAddress(engine.address, fields);
        if (engine.key.empty())
            continue;
        const auto match = trov::matchKeyword(engines, engine.key + "  x");
        if (!match || match->engine != &engine || match->rest != "x")
            std::abort();
    }
    for (const trov::InvalidEngine& invalid : engines.invalid)
        (void)trov::invalidEngineLine(invalid);
}

// A main window without widgets: the settings file is applied to a real form model.
struct Window : trov::MainWindowCommands {
    trov::FormModel model;
    bool expanded = false;
    int colour = 0;
    trov::FormModel& form() override { return model; }
    void syncFromModel() override {}
    void pressEngine(trov::SearchEngine engine) override { (void)model.selectEngine(engine); }
    bool isExpanded() const override { return expanded; }
    void toggleExpanded() override { model.setExpanded(expanded = !expanded); }
    void go() override {}
    void loadCrawlList(const std::string&) override {}
    int backgroundColour() const override { return colour; }
    void applyBackground(int value) override { colour = value; }
};

void readAsStores(std::string_view bytes) {
    static const std::string path =
        (std::filesystem::temp_directory_path() / ("trov-ini-fuzz-" + std::to_string(::getpid())))
            .string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    Window window;
    (void)trov::readSettingsFile(path, window);
    const trov::Config config(path);
    for (const trov::ConfigKey& key : trov::cfg::kAllKeys)
        (void)(key.type == trov::KeyType::Bool ? config.readBool(key) : config.readInt(key));
    std::filesystem::remove(path);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const trov::IniDocument doc = trov::IniDocument::parse(bytes);
    std::vector<std::string> names, namesBack;
    const Snapshot first = readAll(doc, names);
    const trov::IniDocument back = trov::IniDocument::parse(doc.serialize());
    if (readAll(back, namesBack) != first || namesBack != names)
        std::abort();
    readAsEngines(bytes);
    readAsStores(bytes);
    return 0;
}
