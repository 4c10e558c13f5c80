// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/browser_list.h"
#include "form_line.h"
#include "platform/browsers.h"
#include "platform/launcher.h"
#include "platform/private_window.h"
#include "tests/support/env.h"
#include "tests/support/recorder.h"
#include "transcript.h"

#include <gtest/gtest.h>

using namespace trov;
using platform::DesktopBrowser;
using V = std::vector<std::string>;

// Input: a desktop entry's Exec line; printed: the arguments it runs for the address ADDR.
TEST(ExpandExec, FieldCodesAndQuoting) {
    test::expectTranscript("compose/data/compose.txt", "Exec", [](const std::string& exec) {
        std::string out = "run";
        for (const std::string& arg : platform::expandExec(exec, "ADDR"))
            out += " <" + test::escaped(arg) + ">";
        return out + "\n";
    });
}

// Input: the default browser's command; printed: the name the first run looks for.
TEST(DefaultBrowserName, ProgramNameRule) {
    test::expectTranscript("compose/data/compose.txt", "BrowserName", [](const std::string& exec) {
        return "<" + defaultBrowserNameOf(exec) + ">\n";
    });
}

TEST(BrowserList, SortedWithTheDefaultMarkedAndTheFirstRunChoice) {
    platform::FakeBrowserRegistry reg;
    reg.list = {{"c.desktop", "Google Chrome", "chrome %u"},
                {"f.desktop", "mozilla Firefox", "firefox %u"}, // sorted without case
                {"e.desktop", "Microsoft Edge", "msedge %u"},
                {"x.desktop", "", "nameless %u"}};
    reg.defaultEntry = DesktopBrowser{"c.desktop", "google CHROME", "chrome %u"};
    reg.defaultEntry->privateExec = "chrome --own-private %u";
    const std::vector<BrowserEntry> list = nalozibrskalnike(reg);
    EXPECT_EQ(list, (std::vector<BrowserEntry>{
                        {"Google Chrome (Default)", "chrome %u", "chrome --own-private %u"},
                        {"Microsoft Edge", "msedge %u", ""},
                        {"mozilla Firefox", "firefox %u", "firefox --private-window %u"}}));
    // Privately, an entry with a command opens its own private window; the default handler
    // (collapsed, the marked entry, no command) the default browser's.
    EXPECT_EQ((V{privateBrowserCommand(list, 2, true), privateBrowserCommand(list, 2, false),
                 privateBrowserCommand(list, 1, true), privateBrowserCommand(list, 0, true),
                 privateBrowserCommand(list, -1, true), privateBrowserCommand({}, 0, false)}),
              (V{"firefox --private-window %u", "chrome --own-private %u", "",
                 "chrome --own-private %u", "chrome --own-private %u", ""}));
    EXPECT_EQ((std::vector{browserEntryNamed(list, "GOOGLE CHROME"),
                           browserEntryNamed(list, "Mozilla Firefox (Default)"),
                           browserEntryNamed(list, "Firefox")}),
              (std::vector{0, 2, -1}));
    // The marked entry, and any text with the word, opens by the default handler.
    EXPECT_EQ(
        (V{BrowserExecutable(list, -1), BrowserExecutable(list, 0), BrowserExecutable(list, 1),
           BrowserExecutable(list, 3), BrowserExecutable({"My defaulted browser", "x %u"}),
           BrowserExecutable({"Firefox Developer Edition", "ff %u"})}),
        (V{"", "", "msedge %u", "", "", "ff %u"}));
    // The last entry that holds the name, else the marked one, else the first.
    const std::vector<BrowserEntry> more = {
        {"Chromium", "c"}, {"Firefox", "f"}, {"Firefox ESR (Default)", "fe"}, {"Opera GX", "o"}};
    const std::vector<BrowserEntry> two = {{"A", ""}, {"B", ""}};
    EXPECT_EQ((std::vector{firstRunSelection(more, "firefox"), firstRunSelection(more, "OPERA"),
                           firstRunSelection(more, "firefox-esr"), firstRunSelection(two, "zzz"),
                           firstRunSelection(two, ""), firstRunSelection({}, "x")}),
              (std::vector{2, 3, 2, 0, 0, -1}));
}

// data/desktop: the user's entry hides the system one of the same id; hidden entries, those
// that are no browsers, other files, Trov itself and garbage are passed over.
TEST(XdgBrowsers, DesktopEntriesInXdgOrder) {
    const std::string desktop = TROV_SOURCE_DIR "/tests/compose/data/desktop/";
    test::TempDir dir;
    dir.write("applications/long.desktop", "[Desktop Entry]\nName=" + std::string(1 << 20, 'x') +
                                               "\nExec=b\nCategories=WebBrowser\n");
    test::ScopedEnv env;
    env.set("XDG_DATA_HOME", desktop + "home");
    env.set("XDG_DATA_DIRS", desktop + "sys1:" + desktop + "sys2:" + dir.path());
    std::vector<DesktopBrowser> got = platform::XdgBrowserRegistry().browsers();
    EXPECT_EQ(std::erase_if(got, [](const auto& b) { return b.name.size() == 1u << 20; }), 1u);
    EXPECT_EQ(got,
              (std::vector<DesktopBrowser>{{"firefox.desktop", "Firefox", "firefox %u"},
                                           {"chromium.desktop", "Chromium", "chromium --a b %U"},
                                           {"kde-konq.desktop", "Konqueror", "konqueror"},
                                           {"other.desktop", "Other", "other"}}));
}

// The cases and what they print: data/compose.txt [Mimeapps].
TEST(XdgBrowsers, DefaultFromMimeappsLists) {
    test::expectTranscript("compose/data/compose.txt", "Mimeapps", [](const std::string& input) {
        test::FakeDesktop desk;
        desk.userEntry("firefox.desktop",
                       test::FakeDesktop::browser("Firefox", "/usr/bin/firefox %u"));
        desk.systemEntry(1, "chromium.desktop",
                         test::FakeDesktop::browser("Chromium", "chromium %U"));
        desk.systemEntry(1, "html.desktop", test::FakeDesktop::browser("Html Viewer", "hv %U"));
        const test::FormLine lists("google " + input);
        for (auto [name, path] : {std::pair{"sys2", "sys2/applications/mimeapps.list"},
                                  {"etc", "etc/mimeapps.list"},
                                  {"user", "home/config/mimeapps.list"}})
            if (lists.fields.contains(name))
                desk.dir.write(path, lists.text(name));
        const platform::XdgBrowserRegistry reg;
        std::string out = "default <" + reg.defaultBrowser().value_or(DesktopBrowser{}).id + "> <" +
                          defbrwsClick(reg) + ">\n";
        const std::vector<BrowserEntry> list = nalozibrskalnike(reg);
        for (const BrowserEntry& e : list)
            out += "<" + e.text + "> " + e.command + "\n";
        return out + "first run " + std::to_string(firstRunSelection(list, defbrwsClick(reg))) +
               "\n";
    });
    test::FakeDesktop nothing;
    const platform::XdgBrowserRegistry reg;
    EXPECT_TRUE(nalozibrskalnike(reg).empty());
    EXPECT_EQ(defbrwsClick(reg), "");
}

// Input: a browser's desktop entry after its Type, Name and MimeType lines; printed: the
// command that opens its private window. The cases: data/compose.txt [PrivateWindow].
TEST(XdgBrowsers, PrivateWindowByActionElseByFamily) {
    test::expectTranscript("compose/data/compose.txt", "PrivateWindow", [](const std::string& in) {
        test::FakeDesktop desk;
        desk.userEntry("b.desktop", test::FakeDesktop::browser("B", "") + in);
        const std::vector<DesktopBrowser> got = platform::XdgBrowserRegistry().browsers();
        return "<" + platform::privateWindowCommand(got.at(0)) + ">\n";
    });
}

// The default handler gets the address as its only argument; a browser command runs without
// a shell, the address one argument wherever %u stands; a missing program is not reported.
TEST(Launcher, HostileAddressesStayOneArgument) {
    test::TempDir dir;
    test::Recorder rec{dir};
    test::ScopedEnv env;
    rec.install("xdg-open");
    rec.install("fakebrowser");
    env.set("PATH", rec.binDir() + ":/usr/bin:/bin");
    const auto forget = [&] {
        for (const char* name : {"xdg-open", "fakebrowser"})
            std::remove(dir.file(std::string(name) + ".args").c_str());
    };
    for (const std::string address :
         {"https://www.google.com/search?q=a;touch /tmp/trov-pwned", "https://x/?q=$(id)&r=`id`",
          "https://x/?q=\"quoted\" 'single' \\back", "https://x/?q=a b\tc\nd", "-n", "%u %U %%"}) {
        forget();
        platform::ProcessLauncher().launch(address, "fakebrowser --new-tab %u --class %c");
        EXPECT_EQ(rec.args("fakebrowser"), (V{"--new-tab", address, "--class"}));
        EXPECT_FALSE(rec.ran("xdg-open"));
        platform::ProcessLauncher().launch(address, "");
        EXPECT_EQ(rec.args("xdg-open"), V{address});
    }
    forget();
    platform::ProcessLauncher().launch("a b", "\"" + rec.binDir() + "/fakebrowser\" \"x y\"");
    EXPECT_EQ(rec.args("fakebrowser"), (V{"x y", "a b"}));
    EXPECT_NO_THROW(platform::ProcessLauncher().launch("https://a/", "no-such-browser-here %u"));
    EXPECT_FALSE(platform::spawnDetached({"no-such-browser-here"}));
    EXPECT_FALSE(platform::spawnDetached({}));
    EXPECT_FALSE(rec.ran("xdg-open"));
    platform::ProcessLauncher().launch("https://a/", "   "); // the default handler
    EXPECT_EQ(rec.args("xdg-open"), V{"https://a/"});
}
