// SPDX-License-Identifier: GPL-3.0-or-later
// Any text as a settings file, as YY.cfg and as Trov.lst, read from a file as the program
// reads them: the settings file is applied to a real form model without faulting, every
// configuration key reads, and the recent colours' window lands on the screen.

#include "appearance/recent_colours.h"
#include "settings/config.h"
#include "settings/settings_file.h"
#include "tests/support/fake_main_window.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("trov-settings-fuzz-" + std::to_string(::getpid())))
                                        .string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
    trov::test::FakeMainWindow window;
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
