// Any text as a settings file, as YY.cfg and as Trov.lst, read from a file as the program
// reads them: the settings file is applied to a real form model without faulting, every
// configuration key reads, and the recent colours' window lands on the screen.

#include "app/main_commands.h"
#include "appearance/recent_colours.h"
#include "compose/form_model.h"
#include "settings/config.h"
#include "settings/settings_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("trov-settings-fuzz-" + std::to_string(::getpid())))
                                        .string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    Window window;
    (void)trov::readSettingsFile(path, window);
    const trov::Config config(path);
    for (const trov::ConfigKey& key : trov::cfg::kAllKeys)
        (void)(key.type == trov::KeyType::Bool ? config.readBool(key) : config.readInt(key));
    const trov::RecentFile recent = trov::readRecentFile(path);
    const trov::WindowPosition at =
        trov::keepOnPrimaryScreen(recent.position, {300, 200}, {1920, 1080});
    if (at.left < 1 || at.top < 1 || at.left + 300 > 1920 || at.top + 200 > 1080)
        std::abort();
    std::filesystem::remove(path);
    return 0;
}
