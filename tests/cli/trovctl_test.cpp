#include "history/history_csv.h"
#include "history/history_store.h"
#include "history/list_view_stream.h"
#include "tests/support/process.h"
#include "tests/support/recorder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;
using Args = std::vector<std::string>;

namespace {

// One run of trovctl: its arguments, exit code, exact output and a text its errors hold.
struct Call {
    Args args;
    int exit;
    std::string out;
    std::string err = "";
};

struct Trovctl : ::testing::Test {
    test::TempDir dir;
    test::Recorder rec{dir};

    test::ProcessResult run(Args args) const {
        args.insert(args.begin(), {TROVCTL_PATH, "--data-dir", dir.file("trov")});
        return test::runProcess(args, {{{"XDG_DATA_HOME", dir.file("data")},
                                        {"XDG_CONFIG_HOME", dir.file("config")},
                                        {"XDG_DATA_DIRS", dir.file("sys")},
                                        {"XDG_CONFIG_DIRS", dir.file("etc")},
                                        {"PATH", dir.file("bin") + ":/usr/bin:/bin"},
                                        {"ASAN_OPTIONS", "detect_leaks=0"}}});
    }
    void expectRuns(std::initializer_list<Call> runs) const {
        for (const Call& r : runs) {
            SCOPED_TRACE(testing::PrintToString(r.args));
            const test::ProcessResult got = run(r.args);
            EXPECT_EQ(got.exitCode, r.exit) << got.err;
            EXPECT_EQ(got.out, r.out);
            EXPECT_NE(got.err.find(r.err), std::string::npos) << got.err;
        }
    }
    void installBrowser(const std::string& id, const std::string& name, const std::string& exec) {
        dir.write("data/applications/" + id, "[Desktop Entry]\nType=Application\nName=" + name +
                                                 "\nExec=" + exec +
                                                 "\nMimeType=x-scheme-handler/http;\n");
    }
};

const std::string kGoogle = "https://www.google.com/search?q=";

HistoryList twoRows() {
    HistoryList list;
    HistoryRecord r;
    for (std::size_t i = 0; i < 14; ++i)
        r.set(i, "c" + std::to_string(i));
    r.set(2, "a, \"b\"");
    list.rows = {r, r};
    list.rows[1].set(0, "older");
    list.columns[3].width = 333;
    return list;
}

} // namespace

// Names and codes match without case; each option once.
TEST_F(Trovctl, ComposeAndItsUsageErrors) {
    expectRuns({
        {{"compose", "--words", "  a  b", "--exact", "big engine", "--site", "s.com", "--period",
          "past WEEK", "--filetype", "PDF", "--interface", "zh-tw", "--country", "germany",
          "--language", "DE", "--verbose"},
         0,
         kGoogle + "++a++b+%22big+engine%22+site:s.com &as_filetype=pdf&&hl=zh-TW&cr=countryDE"
                   "&lr=lang_de&tbs=qdr:w\nopener: default\n"},
        {{"compose", "--collapsed", "--kind", "IMAGES", "red", "car"},
         0,
         kGoogle + "red car&tbm=isch\n"},
        {{"compose", "--engine", "WolframAlpha", "--kind", "math", "--", "(x+1) y"},
         0,
         "https://wolframalpha.com/input?i=%28x%2B1%29%2By\n"},
        {{"compose", "--exclude", "x", "--site", "a.com"},
         3,
         "",
         "There is nothing to search.\n\nPlease fill in at least one field.\n"},
        {{"compose", "--engine", "links", "a"},
         2,
         "",
         "google, bing, duckduckgo, ask, swisscows, wolframalpha, wikipedia, urbandictionary"},
        {{"compose", "--engine", "bing", "--kind", "Books", "a"},
         2,
         "",
         "All, Images, Videos, News, Translate"},
        {{"compose", "--country", "GB", "a"}, 2, "", "United Kingdom (UK)"},
        {{"compose", "--frobnicate", "a"}, 2, "", "--frobnicate"},
        {{"compose", "--kind"}, 2, "", "--kind"},
    });
}

TEST_F(Trovctl, BrowsersAndTheOpenerRule) {
    expectRuns({{{"browsers"}, 0, ""},
                {{"compose", "a", "--verbose"}, 0, kGoogle + "a\nopener: default\n"},
                {{"browsers", "extra"}, 2, "", "browsers"}});
    rec.install("xdg-open");
    rec.install("fakefox");
    installBrowser("fakefox.desktop", "Fakefox", "fakefox --private %u");
    installBrowser("chromey.desktop", "Chromey", "chromey %U");
    dir.write("config/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/http=chromey.desktop\n");
    // The first-run choice is the default browser's entry, opened by the default handler;
    // collapsed searches always go to the default handler.
    expectRuns({
        {{"browsers"}, 0, "Chromey (Default)\nFakefox\n"},
        {{"compose", "a", "--verbose"}, 0, kGoogle + "a\nopener: default\n"},
        {{"compose", "--browser", "FAKEFOX", "a;b $(id)", "--verbose", "--open"},
         0,
         kGoogle + "a;b+$(id)\nopener: fakefox --private %u\n"},
        {{"compose", "--browser", "fakefox", "--collapsed", "--open", "--verbose", "q \"x\""},
         0,
         kGoogle + "q \"x\"\nopener: default\n"},
    });
    EXPECT_EQ(rec.args("fakefox"), (Args{"--private", kGoogle + "a;b+$(id)"}));
    EXPECT_EQ(rec.args("xdg-open"), Args{kGoogle + "q \"x\""});
}

TEST_F(Trovctl, OwnEnginesListComposeAndRefuseKindOrPeriod) {
    dir.write("trov/engines.cfg",
              "[Code search]\nKey=cs\nAddress=https://c/?q={query}&l={language}\n"
              "[Google]\nAddress=https://own-google/{words}\n"
              "[Broken]\nAddress=https://b/{nope}\n");
    expectRuns({
        {{"engines"},
         0,
         "google\nbing\nduckduckgo\nask\nswisscows\nwolframalpha\nwikipedia\nurbandictionary\n"
         "Code "
         "search\tcs\thttps://c/?q={query}&l={language}\nGoogle\t\thttps://own-google/{words}\n",
         "engines.cfg: [Broken]: Address holds a \"{\" that starts no placeholder: \"{nope}\"\n"},
        {{"compose", "--engine", "CODE SEARCH", "a", "--exact", "b c", "--language", "de"},
         0,
         "https://c/?q=a+%22b+c%22&l=de\n"},
        {{"compose", "--engine", "cs", "--collapsed", "a", "--language", "de"},
         0,
         "https://c/?q=a&l=\n"},
        {{"compose", "--engine", "bing", "cs", "x"}, 0, "https://c/?q=x&l=\n"},
        {{"compose", "--engine", "google", "x"}, 0, kGoogle + "x\n"},
        {{"compose", "--engine", "cs", "--kind", "All", "a"}, 2, "", "--kind"},
        {{"compose", "--engine", "cs", "--period", "Past week", "a"}, 2, "", "--period"},
    });
}

TEST_F(Trovctl, HistoryListAndImportCsv) {
    const HistoryList list = twoRows();
    const std::string csv = dir.write("in.csv", "x,\"- - -\"\r\ny,2,3\r\n");
    const std::string gmh = dir.write("saved.gmh", writeListViewStream(list));
    const std::string none = dir.file("none.gmh");
    expectRuns({
        {{"history", "list"}, 0, ""},
        {{"history", "list", "--store", gmh}, 0, historyCsv(list.rows)},
        {{"history", "list", "--store", none}, 1, "", none},
        {{"history", "import-csv", csv, "--store", gmh}, 0, ""},
        {{"history", "list", "--store", gmh}, 0, "x,\"- - -\",,,,,,,,,,,,\r\ny,2,3,,,,,,,,,,,\r\n"},
        {{"history", "import-csv", csv, "--store", none}, 0, ""},
        {{"history", "import-csv", dir.file("no.csv"), "--store", gmh}, 1, "", "no.csv"},
        {{"history", "drop"}, 2, "", "unknown history subcommand"},
        {{"history", "import-csv", "x.csv"}, 2, "", "--store"},
    });
    HistoryList back;
    ASSERT_TRUE(readHistoryFile(gmh, back));
    EXPECT_EQ(back.columns[3].width, 333); // the columns stay
    ASSERT_TRUE(readHistoryFile(none, back));
    EXPECT_EQ(back.columns, defaultHistoryColumns());

    dir.write("trov/HistGrid.cld", writeListViewStream(list));
    expectRuns({{{"history", "list"}, 0, historyCsv(list.rows)}});
    dir.write("trov/HistGrid.cld", "TPF0 broken");
    const test::ProcessResult broken = run({"history", "list"});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_NE(broken.err.find("HistGrid.cld"), std::string::npos);
    EXPECT_EQ(std::count(broken.err.begin(), broken.err.end(), '\n'), 1) << broken.err;
}

TEST_F(Trovctl, SuggestAddListMatchDelete) {
    for (const char* t : {"Cats", "atlas", "Bat", "cats ", "   "})
        ASSERT_EQ(run({"suggest", "add", t}).exitCode, 0);
    EXPECT_EQ(dir.read("trov/gs1001.sgg"), "|Cats|;|atlas|;|Bat\r\n");
    expectRuns({
        {{"suggest", "list"}, 0, "Cats\natlas\nBat \n"},
        {{"suggest", "match", "at"}, 0, "atlas\nCats\nBat \n"},
        {{"suggest", "match", "zz"}, 0, ""},
        {{"suggest", "delete", "CATS"}, 0, ""},
        {{"suggest", "list"}, 0, "atlas\nBat \n"},
        {{"suggest", "add", "--", "-dash"}, 0, ""},
        {{"suggest", "match", "-"}, 0, "-dash \n"},
        {{"suggest", "add", "a", "b"}, 2, "", "needs one TEXT"},
        {{"suggest", "frob"}, 2, "", "unknown suggest subcommand"},
    });
    EXPECT_EQ(dir.read("trov/gs1001.sgg"), "|atlas|;|Bat|;|-dash\r\n");
    std::filesystem::remove(dir.file("trov/gs1001.sgg"));
    std::filesystem::create_directory(dir.file("trov/gs1001.sgg"));
    expectRuns({{{"suggest", "list"}, 1, "", "gs1001.sgg"}});
}
