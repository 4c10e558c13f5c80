// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/autostart.h"
#include "platform/qt_platform.h"
#include "tests/support/env.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;
using namespace trov::platform;

TEST(Autostart, WritingCreatesTheFolderAndTheEntryBelowTheConfigHome) {
    test::TempDir dir;
    test::ScopedEnv env;
    env.set("XDG_CONFIG_HOME", dir.path() + "cfg");
    XdgAutostart autostart;
    EXPECT_EQ(autostart.path(), dir.path() + "cfg/autostart/Trov-Trov.desktop");
    ASSERT_FALSE(autostart.exists());
    ASSERT_TRUE(autostart.write("/opt/trov/bin/trov"));
    ASSERT_TRUE(autostart.exists());
    EXPECT_EQ(dir.read("cfg/autostart/Trov-Trov.desktop"),
              "[Desktop Entry]\nType=Application\nName=Trov\n"
              "Comment=Advanced web search composer\nExec=/opt/trov/bin/trov\n"
              "Terminal=false\nX-GNOME-Autostart-enabled=true\n");
    ASSERT_TRUE(autostart.write("/usr/bin/trov")); // replaced, not appended
    EXPECT_EQ(dir.read("cfg/autostart/Trov-Trov.desktop"), autostartEntry("/usr/bin/trov"));
    autostart.remove();
    EXPECT_EQ(
        std::pair(autostart.exists(), std::filesystem::is_directory(dir.path() + "cfg/autostart")),
        std::pair(false, true));
    autostart.remove(); // a missing entry is not an error
    env.set("HOME", dir.path().substr(0, dir.path().size() - 1));
    env.unset("XDG_CONFIG_HOME");
    EXPECT_EQ(XdgAutostart().path(), dir.path() + ".config/autostart/Trov-Trov.desktop");
    dir.write("file", "a file where the folder should be");
    XdgAutostart unwritable(dir.path() + "file");
    EXPECT_FALSE(unwritable.write("/usr/bin/trov"));
    EXPECT_FALSE(unwritable.exists());
}

TEST(Autostart, ExecIsQuotedByTheDesktopEntryRules) {
    const char* const cases[][2] = {
        {"/usr/bin/trov", "/usr/bin/trov"},
        {"/home/ann/my apps/trov", "\"/home/ann/my apps/trov\""},
        {"/home/ann/100%/trov", "/home/ann/100%%/trov"},
        {"/home/a\"b/trov", "\"/home/a\\\\\"b/trov\""},
        {"/home/a$b/trov", "\"/home/a\\\\$b/trov\""},
        {"/home/a\\b/trov", "\"/home/a\\\\\\\\b/trov\""},
        {"/home/a\nExec=/bin/evil", "/home/aExec=/bin/evil"},
    };
    for (const auto& [path, exec] : cases) {
        const std::string entry = autostartEntry(path);
        EXPECT_NE(entry.find(std::string("\nExec=") + exec + "\n"), std::string::npos) << entry;
        EXPECT_EQ(entry.find("\nExec=/bin/evil"), std::string::npos);
    }
}

// WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM (null: not set), and the platform chosen.
TEST(QtPlatform, XWaylandUnlessTheUserChose) {
    const std::tuple<const char*, const char*, const char*, std::optional<std::string>> cases[] = {
        {"wayland-0", ":0", nullptr, "xcb"},
        {"wayland-0", ":0", "", "xcb"},
        {"wayland-0", ":0", "wayland", {}},
        {"wayland-0", nullptr, nullptr, {}},
        {"wayland-0", "", nullptr, {}},
        {nullptr, ":0", nullptr, {}},
        {"", ":0", nullptr, {}}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [wayland, display, qpa, expected] = cases[i];
        EXPECT_EQ(chosenQtPlatform(wayland, display, qpa), expected) << i;
    }
}
