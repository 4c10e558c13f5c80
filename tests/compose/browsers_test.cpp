#include "compose/browser_list.h"
#include "platform/browsers.h"
#include "tests/support/env.h"

#include <gtest/gtest.h>

using namespace trov;
using platform::DesktopBrowser;

TEST(ExpandExec, FieldCodesAndQuoting) {
    struct Case {
        std::string exec;
        std::vector<std::string> argv;
    } cases[] = {
        {"firefox %u", {"firefox", "ADDR"}},
        {"/usr/bin/chromium --new-window %U", {"/usr/bin/chromium", "--new-window", "ADDR"}},
        {"browser %f", {"browser", "ADDR"}},
        {"browser --name %c --icon %i %k %u", {"browser", "--name", "--icon", "ADDR"}},
        {"browser", {"browser", "ADDR"}},
        {"browser --x=100%% %u", {"browser", "--x=100%", "ADDR"}},
        {"\"/opt/My Browser/run\" \"a \\\"b\\\" \\$c \\\\d\" %u",
         {"/opt/My Browser/run", "a \"b\" $c \\d", "ADDR"}},
        {"b  \t %u  ", {"b", "ADDR"}},
        {"b \"\" %u", {"b", "", "ADDR"}},
        {"   ", {}},
        {"", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::expandExec(c.exec, "ADDR"), c.argv) << c.exec;
}

TEST(ExpandExec, AddressIsOneArgumentWhateverItHolds) {
    const std::string hostile = "https://x/?q=a b;rm -rf ~ $(id) `id` \"q\" 'q' %u";
    EXPECT_EQ(platform::expandExec("b %u", hostile), (std::vector<std::string>{"b", hostile}));
}

TEST(DefaultBrowserName, ProgramNameRule) {
    struct Case {
        std::string exec, name;
    } cases[] = {
        {"/usr/bin/firefox-esr %u", "firefox-esr"},
        {"/opt/microsoft/msedge/msedge %U", "edge"},
        {"/opt/opera/launcher %u", "opera"},
        {"C:/Program/Chrome.EXE %u", "chrome"},
        {"env MOZ_X=1 /usr/bin/Firefox %u", "firefox"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(defaultBrowserNameOf(c.exec), c.name) << c.exec;
}

TEST(BrowserList, SortedWithTheDefaultMarked) {
    platform::FakeBrowserRegistry reg;
    reg.list = {{"c.desktop", "Google Chrome", "chrome %u"},
                {"f.desktop", "mozilla Firefox", "firefox %u"}, // sorted without case
                {"e.desktop", "Microsoft Edge", "msedge %u"},
                {"x.desktop", "", "nameless %u"}};
    reg.defaultEntry = DesktopBrowser{"c.desktop", "google CHROME", "chrome %u"};
    const std::vector<BrowserEntry> list = nalozibrskalnike(reg);
    EXPECT_EQ(list, (std::vector<BrowserEntry>{{"Google Chrome (Default)", "chrome %u"},
                                               {"Microsoft Edge", "msedge %u"},
                                               {"mozilla Firefox", "firefox %u"}}));
    EXPECT_EQ(BrowserExecutable(list, 0), "");
    EXPECT_EQ(BrowserExecutable(list, 1), "msedge %u");
    EXPECT_EQ(BrowserExecutable(list, 2), "firefox %u");
    EXPECT_EQ(BrowserExecutable(list, 3), "");
    EXPECT_EQ(BrowserExecutable(list, -1), "");
    EXPECT_EQ(defbrwsClick(reg), "chrome");
    EXPECT_EQ(firstRunSelection(list, "chrome"), 0);
    EXPECT_EQ(firstRunSelection(list, "edge"), 1);
}

TEST(BrowserList, FirstRunSelection) {
    const std::vector<BrowserEntry> list = {
        {"Chromium", "c"}, {"Firefox", "f"}, {"Firefox ESR (Default)", "fe"}, {"Opera GX", "o"}};
    EXPECT_EQ(firstRunSelection(list, "firefox"), 2); // the last one that contains it
    EXPECT_EQ(firstRunSelection(list, "OPERA"), 3);
    EXPECT_EQ(firstRunSelection(list, "firefox-esr"), 2); // no match: the marked entry
    EXPECT_EQ(firstRunSelection({{"A", ""}, {"B", ""}}, "zzz"), 0);
    EXPECT_EQ(firstRunSelection({{"A", ""}, {"B", ""}}, ""), 0);
    EXPECT_EQ(firstRunSelection({}, "x"), -1);
}

TEST(BrowserList, DefaultWordInATextMeansTheDefaultHandler) {
    EXPECT_EQ(BrowserExecutable(BrowserEntry{"My defaulted browser", "x %u"}), "");
    EXPECT_EQ(BrowserExecutable(BrowserEntry{"Firefox Developer Edition", "ff %u"}), "ff %u");
}

TEST(XdgBrowsers, DesktopEntriesInXdgOrder) {
    test::FakeDesktop desk;
    desk.userEntry("firefox.desktop", test::FakeDesktop::browser("Firefox", "firefox %u"));
    // The user's entry hides the system one of the same id.
    desk.systemEntry(1, "firefox.desktop", test::FakeDesktop::browser("System Firefox", "x %u"));
    desk.systemEntry(1, "chromium.desktop",
                     "[Desktop Entry]\nName=Chromium\nExec=chromium --a\\sb %U\n"
                     "Categories=Network;WebBrowser;\n");
    desk.systemEntry(2, "kde/konq.desktop", test::FakeDesktop::browser("Konqueror", "konqueror"));
    desk.systemEntry(2, "hidden.desktop",
                     test::FakeDesktop::browser("Hidden", "h", "Hidden=true\n"));
    desk.systemEntry(2, "nodisp.desktop",
                     test::FakeDesktop::browser("NoDisplay", "n", "NoDisplay=true\n"));
    desk.systemEntry(2, "editor.desktop",
                     "[Desktop Entry]\nName=Editor\nExec=ed %f\nMimeType=text/plain;\n");
    desk.systemEntry(2, "link.desktop",
                     "[Desktop Entry]\nType=Link\nName=Web\n"
                     "MimeType=x-scheme-handler/http;\nURL=http://x\n");
    desk.systemEntry(2, "other.desktop",
                     "[Desktop Action x]\nName=Wrong\n[Desktop Entry]\n"
                     "Name=Other\nExec=other\nCategories=WebBrowser\n"
                     "[Desktop Action y]\nName=Wrong too\n");
    desk.systemEntry(2, "notes.txt", test::FakeDesktop::browser("Text", "t"));
    desk.systemEntry(2, "trov.desktop", test::FakeDesktop::browser("Trov", "trov"));
    const std::vector<DesktopBrowser> got = platform::XdgBrowserRegistry().browsers();
    EXPECT_EQ(got,
              (std::vector<DesktopBrowser>{{"firefox.desktop", "Firefox", "firefox %u"},
                                           {"chromium.desktop", "Chromium", "chromium --a b %U"},
                                           {"kde-konq.desktop", "Konqueror", "konqueror"},
                                           {"other.desktop", "Other", "other"}}));
}

TEST(XdgBrowsers, DefaultFromMimeappsLists) {
    test::FakeDesktop desk;
    desk.userEntry("firefox.desktop", test::FakeDesktop::browser("Firefox", "/usr/bin/firefox %u"));
    desk.systemEntry(1, "chromium.desktop", test::FakeDesktop::browser("Chromium", "chromium %U"));
    desk.systemEntry(1, "html.desktop", test::FakeDesktop::browser("Html Viewer", "hv %U"));
    const platform::XdgBrowserRegistry reg;
    EXPECT_FALSE(reg.defaultBrowser());

    // The lowest-priority list names chromium.
    desk.dir.write("sys2/applications/mimeapps.list",
                   "[Default Applications]\nx-scheme-handler/http=chromium.desktop\n");
    EXPECT_EQ(reg.defaultBrowser()->id, "chromium.desktop");
    // text/html only counts when no list names an http handler.
    desk.dir.write("etc/mimeapps.list", "[Default Applications]\ntext/html=html.desktop\n");
    EXPECT_EQ(reg.defaultBrowser()->id, "chromium.desktop");
    // The system-wide config list comes before the data folders' lists.
    desk.dir.write("etc/mimeapps.list",
                   "[Default Applications]\nx-scheme-handler/http=html.desktop\n");
    EXPECT_EQ(reg.defaultBrowser()->id, "html.desktop");
    // The user's config list wins; a handler that is not installed is passed over.
    desk.dir.write("home/config/mimeapps.list",
                   "[Added Associations]\nx-scheme-handler/http=chromium.desktop;\n"
                   "[Default Applications]\nX-Scheme-Handler/HTTP=gone.desktop;firefox.desktop;\n");
    ASSERT_TRUE(reg.defaultBrowser());
    EXPECT_EQ(reg.defaultBrowser()->name, "Firefox");
    EXPECT_EQ(defbrwsClick(reg), "firefox");

    const std::vector<BrowserEntry> list = nalozibrskalnike(reg);
    EXPECT_EQ(list, (std::vector<BrowserEntry>{{"Chromium", "chromium %U"},
                                               {"Firefox (Default)", "/usr/bin/firefox %u"},
                                               {"Html Viewer", "hv %U"}}));
    EXPECT_EQ(firstRunSelection(list, defbrwsClick(reg)), 1);
}

TEST(XdgBrowsers, NothingInstalled) {
    test::FakeDesktop desk;
    const platform::XdgBrowserRegistry reg;
    EXPECT_TRUE(reg.browsers().empty());
    EXPECT_TRUE(nalozibrskalnike(reg).empty());
    EXPECT_EQ(defbrwsClick(reg), "");
}

TEST(XdgBrowsers, GarbageEntriesDoNotBreakTheList) {
    test::FakeDesktop desk;
    desk.userEntry("bin.desktop", std::string("\0\xff\xfe[Desktop Entry\n=\n==\nName\n", 25));
    desk.userEntry("long.desktop", "[Desktop Entry]\nName=" + std::string(1 << 20, 'x') +
                                       "\nExec=b\nCategories=WebBrowser\n");
    const auto got = platform::XdgBrowserRegistry().browsers();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].name.size(), 1u << 20);
}
