#include "tests/support/process.h"
#include "tests/support/recorder.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct Trovctl : ::testing::Test {
    test::TempDir dir;
    test::Recorder rec{dir};

    test::ProcessOptions options() const {
        test::ProcessOptions o;
        o.env = {
            {"XDG_DATA_HOME", dir.file("data")},          {"XDG_CONFIG_HOME", dir.file("config")},
            {"XDG_DATA_DIRS", dir.file("sys")},           {"XDG_CONFIG_DIRS", dir.file("etc")},
            {"PATH", dir.file("bin") + ":/usr/bin:/bin"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
        return o;
    }
    test::ProcessResult run(std::vector<std::string> args) const {
        args.insert(args.begin(), {TROVCTL_PATH, "--data-dir", dir.file("trov")});
        return test::runProcess(args, options());
    }
    void installBrowser(const std::string& id, const std::string& name, const std::string& exec) {
        dir.write("data/applications/" + id, "[Desktop Entry]\nType=Application\nName=" + name +
                                                 "\nExec=" + exec +
                                                 "\nMimeType=x-scheme-handler/http;\n");
    }
    void setDefault(const std::string& id) {
        dir.write("config/mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/http=" + id + "\n");
    }
};

std::vector<std::string> compose(std::vector<std::string> args) {
    args.insert(args.begin(), "compose");
    return args;
}

} // namespace

// Each option once: names and codes match without case.
TEST_F(Trovctl, ComposePrintsTheAddress) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"red", "car", "--exact", "big engine", "--site", "s.com"},
         "https://www.google.com/search?q=red+car+%22big+engine%22+site:s.com \n"},
        {{"--collapsed", "--kind", "IMAGES", "red", "car"},
         "https://www.google.com/search?q=red car&tbm=isch\n"},
        {{"--words", "  a  b", "--period", "past WEEK", "--filetype", "PDF", "--interface",
          "zh-tw"},
         "https://www.google.com/search?q=++a++b&as_filetype=pdf&&hl=zh-TW&tbs=qdr:w\n"},
        {{"--engine", "Bing", "a", "b", "--exact", "c", "--country", "germany", "--language", "DE"},
         "https://www.bing.com/search?&q=%22c%22+a+b+loc%3ADE++language%3Ade\n"},
        {{"--engine", "WolframAlpha", "--kind", "math", "--", "(x+1) y"},
         "https://wolframalpha.com/input?i=%28x%2B1%29%2By\n"},
        {{"--filetype", "Perl source code (pl)", "x", "--verbose"},
         "https://www.google.com/search?q=x&as_filetype=pl&\nopener: default\n"},
    };
    for (const auto& [args, out] : cases) {
        const test::ProcessResult r = run(compose(args));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, out);
    }
}

TEST_F(Trovctl, UsageErrorsNameTheAcceptedValues) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {compose({"--engine", "links", "a"}),
         "google, bing, duckduckgo, ask, swisscows, wolframalpha, wikipedia, urbandictionary"},
        {compose({"--engine", "bing", "--kind", "Books", "a"}),
         "All, Images, Videos, News, Translate"},
        {compose({"--country", "GB", "a"}), "United Kingdom (UK)"},
        {compose({"--frobnicate", "a"}), "--frobnicate"},
        {compose({"--kind"}), "--kind"},
        {{"browsers", "extra"}, "browsers"},
    };
    for (const auto& [args, mustHave] : cases) {
        const test::ProcessResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << mustHave;
        EXPECT_NE(r.err.find(mustHave), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Trovctl, ComposeRefusedWithTheWindowsMessage) {
    const test::ProcessResult r = run({"compose", "--exclude", "x", "--site", "a.com"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "There is nothing to search.\n\nPlease fill in at least one field.\n");
    EXPECT_EQ(r.out, "");
}

TEST_F(Trovctl, BrowsersAndTheOpenerRule) {
    rec.install("xdg-open");
    rec.install("fakefox");
    installBrowser("fakefox.desktop", "Fakefox", "fakefox --private %u");
    installBrowser("chromey.desktop", "Chromey", "chromey %U");
    setDefault("chromey.desktop");

    const test::ProcessResult list = run({"browsers"});
    EXPECT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(list.out, "Chromey (Default)\nFakefox\n");

    // First-run choice: the default browser's entry, opened through the default handler.
    test::ProcessResult r = run({"compose", "a", "--verbose"});
    EXPECT_EQ(r.out, "https://www.google.com/search?q=a\nopener: default\n");

    r = run({"compose", "--browser", "FAKEFOX", "a;b $(id)", "--verbose", "--open"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "https://www.google.com/search?q=a;b+$(id)\nopener: fakefox --private %u\n");
    EXPECT_EQ(rec.args("fakefox"),
              (std::vector<std::string>{"--private", "https://www.google.com/search?q=a;b+$(id)"}));

    // Collapsed searches always go to the default handler.
    r = run({"compose", "--browser", "fakefox", "--collapsed", "--open", "--verbose", "q \"x\""});
    EXPECT_EQ(r.out, "https://www.google.com/search?q=q \"x\"\nopener: default\n");
    EXPECT_EQ(rec.args("xdg-open"),
              std::vector<std::string>{"https://www.google.com/search?q=q \"x\""});
}

TEST_F(Trovctl, BrowsersWithNothingInstalled) {
    const test::ProcessResult r = run({"browsers"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(run({"compose", "a", "--verbose"}).out,
              "https://www.google.com/search?q=a\nopener: default\n");
}

TEST_F(Trovctl, OwnEnginesListComposeAndRefuseKindOrPeriod) {
    dir.write("trov/engines.cfg",
              "[Code search]\nKey=cs\nAddress=https://c/?q={query}&l={language}\n"
              "[Google]\nAddress=https://own-google/{words}\n"
              "[Broken]\nAddress=https://b/{nope}\n");
    const test::ProcessResult list = run({"engines"});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, "google\nbing\nduckduckgo\nask\nswisscows\nwolframalpha\nwikipedia\n"
                        "urbandictionary\nCode search\tcs\thttps://c/?q={query}&l={language}\n"
                        "Google\t\thttps://own-google/{words}\n");
    EXPECT_EQ(list.err, "engines.cfg: [Broken]: Address holds a \"{\" that starts no placeholder: "
                        "\"{nope}\"\n");

    const struct {
        std::vector<std::string> args;
        std::string out;
    } cases[] = {
        {{"--engine", "CODE SEARCH", "a", "--exact", "b c", "--language", "de"},
         "https://c/?q=a+%22b+c%22&l=de\n"},
        {{"--engine", "cs", "--collapsed", "a", "--language", "de"}, "https://c/?q=a&l=\n"},
        {{"--engine", "bing", "cs", "x"}, "https://c/?q=x&l=\n"},
        {{"--engine", "google", "x"}, "https://www.google.com/search?q=x\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> a{"compose"};
        a.insert(a.end(), c.args.begin(), c.args.end());
        const test::ProcessResult r = run(a);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, c.out);
    }
    EXPECT_EQ(run({"compose", "--engine", "cs", "--kind", "All", "a"}).exitCode, 2);
    EXPECT_EQ(run({"compose", "--engine", "cs", "--period", "Past week", "a"}).exitCode, 2);
}
