// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "common/text.h"
#include "history/history_store.h"
#include "suggest/suggestion_store.h"
#include "tests/compose/transcript.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/support/history_rows.h"
#include "tests/support/http_server.h"
#include "tests/support/messages.h"
#include "tests/support/process.h"
#include "tests/support/recorder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <unistd.h>

using namespace trov;
using Args = std::vector<std::string>;

namespace {

// The runs of data/trovctl.txt, with a data folder and an XDG desktop in a temporary folder.
struct Trovctl : ::testing::Test {
    test::TempDir dir;
    test::Recorder rec{dir};
    std::string base = "$BASE"; // a test server's address, written "$BASE" in the runs

    std::string run(const std::string& line) const {
        Args args = {TROVCTL_PATH, "--data-dir", dir.file("trov")};
        for (const std::string& word : test::words(line))
            args.push_back(word.starts_with('<') ? word.substr(1, word.size() - 2) : word);
        for (std::string& a : args) {
            if (a.starts_with("$DIR/"))
                a = dir.file(a.substr(5));
            text::replaceAll(a, "$BASE", base);
        }
        const test::ProcessResult r =
            test::runProcess(args, {{{"XDG_DATA_HOME", dir.file("data")},
                                     {"XDG_CONFIG_HOME", dir.file("config")},
                                     {"XDG_DATA_DIRS", dir.file("sys")},
                                     {"XDG_CONFIG_DIRS", dir.file("etc")},
                                     {"PATH", dir.file("bin") + ":/usr/bin:/bin"},
                                     {"ASAN_OPTIONS", "detect_leaks=0"}}});
        std::string out;
        for (const auto& [text, prefix] : {std::pair{r.out, ""}, {r.err, "! "}}) {
            std::istringstream lines(text);
            for (std::string printed; std::getline(lines, printed);) {
                for (std::size_t at; (at = printed.find(dir.path())) != std::string::npos;)
                    printed.replace(at, dir.path().size(), "$DIR/");
                if (!base.empty())
                    text::replaceAll(printed, base, "$BASE");
                out += prefix + test::escaped(printed) + "\n";
            }
        }
        return out + "? " + std::to_string(r.exitCode) + "\n";
    }
    void expectBlock(const std::string& name) const {
        test::expectTranscript("cli/data/trovctl.txt", name,
                               [this](const std::string& line) { return run(line); });
    }
};

} // namespace

TEST_F(Trovctl, ComposeBrowsersAndTheOpenerRule) {
    expectBlock("Compose");
    expectBlock("NoBrowsers");
    rec.install("xdg-open");
    rec.install("fakefox");
    const std::string entry =
        "[Desktop Entry]\nType=Application\nMimeType=x-scheme-handler/http;\n";
    dir.write("data/applications/fakefox.desktop",
              entry + "Name=Fakefox\nExec=fakefox --private %u\n");
    dir.write("data/applications/chromey.desktop", entry + "Name=Chromey\nExec=chromey %U\n");
    dir.write("config/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/http=chromey.desktop\n");
    expectBlock("Browsers");
    EXPECT_EQ(rec.args("fakefox"),
              (Args{"--private", "https://www.google.com/search?q=a;b+$(id)"}));
    EXPECT_EQ(rec.args("xdg-open"), Args{"https://www.google.com/search?q=q \"x\""});
}

TEST_F(Trovctl, OwnEngines) {
    dir.write("trov/engines.cfg",
              "[Code search]\nKey=cs\nAddress=https://c/?q={query}&l={language}\n"
              "[Google]\nAddress=https://own-google/{words}\n"
              "[Broken]\nAddress=https://b/{nope}\n");
    expectBlock("OwnEngines");
}

// The three ways to a private window: the entry's action, the family's flag, none; the
// default handler privately is the default browser's private window.
TEST_F(Trovctl, PrivateSearches) {
    for (const char* program : {"actor", "firefox", "plain", "xdg-open"})
        rec.install(program);
    const std::string entry =
        "[Desktop Entry]\nType=Application\nMimeType=x-scheme-handler/http;\n";
    dir.write("data/applications/actor.desktop",
              entry + "Name=Actor\nExec=actor %u\nActions=private;\n[Desktop Action private]\n"
                      "Name=New private window\nExec=actor --private %u\n");
    dir.write("data/applications/firefox.desktop", entry + "Name=Fox\nExec=firefox %u\n");
    dir.write("data/applications/plain.desktop", entry + "Name=Plain\nExec=plain %u\n");
    dir.write("config/mimeapps.list",
              "[Default Applications]\nx-scheme-handler/http=firefox.desktop\n");
    dir.write("trov/engines.cfg", "[Fox engine]\nKey=fe\nAddress=https://f/{words}\n"
                                  "Browser=fox\nPrivate=true\n");
    expectBlock("Private");
    EXPECT_EQ(rec.args("actor"), (Args{"--private", "https://www.google.com/search?q=a+b"}));
    EXPECT_EQ(rec.args("firefox"), (Args{"--private-window", "https://www.google.com/search?q=c"}));
    EXPECT_FALSE(rec.ran("plain"));
    EXPECT_FALSE(rec.ran("xdg-open"));
}

// Engines added from a description by address, from a page that links one and from a
// file; their suggestions from the test's server.
TEST_F(Trovctl, EnginesFromSitesAndTheirSuggestions) {
    test::HttpServer server;
    base = server.base();
    const std::string description =
        "<OpenSearchDescription><ShortName>Example</ShortName><Url type=\"text/html\" "
        "template=\"https://ex.org/?q={searchTerms}&amp;p={startPage?}\"/><Url "
        "type=\"application/x-suggestions+json\" template=\"" +
        base + "/s?q={searchTerms}\"/></OpenSearchDescription>";
    server.route("/osd.xml", {.body = description, .contentType = "application/xml"});
    server.route("/page.html",
                 {.body = "<link rel=search "
                          "type=application/opensearchdescription+xml href=osd.xml>"});
    server.route("/plain.html", {.body = "<p>no link</p>"});
    server.route("/s", {.body = "[\"ab\",[\"ab one\",\"ab\\ttwo\"],[\"ignored\"]]"});
    server.route("/bad", {.body = "[\"ab\",\"ab one\"]"});
    server.route("/slow", {.body = "[\"x\",[]]", .delayMs = 3000});
    dir.write("osd.xml", description);
    const std::string mine = "; mine\n[Bad]\nAddress=https://b/\nSuggest=" + base +
                             "/bad?q={query}\n[Slow]\nAddress=https://s/\nSuggest=" + base +
                             "/slow?q={query}\n";
    dir.write("trov/engines.cfg", mine);
    expectBlock("EnginesFromSites");
    EXPECT_EQ(dir.read("trov/engines.cfg").substr(0, mine.size()), mine);
    std::vector<std::string> asked;
    for (const test::HttpRequest& r : server.requests())
        if (r.path == "/s")
            asked.push_back(r.target);
    EXPECT_EQ(asked, Args{"/s?q=a+b%26c"}); // the typed text alone, encoded
}

// data/two-rows.gmh: two rows, a text with a comma and quotes, column 3 widened to 333.
TEST_F(Trovctl, HistoryListAndImportCsv) {
    const std::string twoRows =
        readWholeFile(TROV_SOURCE_DIR "/tests/cli/data/two-rows.gmh").value_or("");
    dir.write("in.csv", "x,\"- - -\"\r\ny,2,3\r\n");
    dir.write("saved.gmh", twoRows);
    expectBlock("History");
    HistoryList back;
    ASSERT_TRUE(readHistoryFile(dir.file("saved.gmh"), back));
    EXPECT_EQ(back.columns[3].width, 333); // the columns stay
    ASSERT_TRUE(readHistoryFile(dir.file("none.gmh"), back));
    EXPECT_EQ(back.columns, defaultHistoryColumns());
    dir.write("trov/HistGrid.cld", twoRows);
    expectBlock("HistGrid");
    dir.write("trov/HistGrid.cld", "TPF0 broken");
    expectBlock("BrokenHistGrid");
}

TEST_F(Trovctl, SuggestAddListMatchDelete) {
    expectBlock("Suggest");
    EXPECT_EQ(dir.read("trov/gs1001.sgg"), "|atlas|;|Bat|;|-dash\r\n");
    std::filesystem::remove(dir.file("trov/gs1001.sgg"));
    std::filesystem::create_directory(dir.file("trov/gs1001.sgg"));
    expectBlock("UnreadableSuggest");
}

// The crawler's robots.txt decision: a file given, the site's own, and a site that does not
// answer; a crawl it keeps from a page, and one told not to read it.
TEST_F(Trovctl, Robots) {
    test::HttpServer site;
    site.route("/robots.txt", {.body = "User-agent: *\nDisallow: /private # keep out\n"});
    site.route("/", {.body = "<a href=\"/private/x\">p</a> <a href=\"/public\">q</a>"});
    base = site.base();
    dir.write("robots.txt", "User-agent: Trov\r\nAllow: /private/open\r\nDisallow: /private\r\n");
    expectBlock("Robots");
}

// Crawls of the crawler's fixture site, and an extraction's exports read back by a list crawl.
TEST_F(Trovctl, Crawl) {
    test::HttpServer site;
    test::serveFixtureSite(site);
    base = site.base();
    expectBlock("CrawlLinks");
    // The reachability check on a connection of its own, then at most six kept-alive ones.
    EXPECT_LE(site.connectionCount(), 7);
    EXPECT_EQ(dir.read("data.txt"),
              "Website or domain: " + base + "\r\n" + std::string(48, '_') + "\r\n");
    dir.write("l.csv", base + "\r\n" + base + "/a.html\r\n");
    expectBlock("Crawl");
    EXPECT_EQ(dir.read("again.txt"), dir.read("links.txt"));
    EXPECT_NE(dir.read("trov/TrovCrawler.html").find("About 1 result<br>\r\n"), std::string::npos);
}

// Nothing a crawled page carries (the crawler's data/hostile) may run in the result page.
TEST_F(Trovctl, NoScriptOfACrawledPageRunsInABrowser) {
    const char* chromium = "/usr/bin/chromium";
    if (::access(chromium, X_OK) != 0)
        GTEST_SKIP() << "chromium is not installed (Debian package chromium)";
    const auto dumpDom = [&](const std::string& file) { // after its scripts would have run
        const auto r = test::runProcess(
            {chromium, "--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
             "--disable-background-networking", "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + dir.file("profile"), "--dump-dom", "file://" + file},
            {{}, 90000});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    };
    const auto scriptRan = [](const std::string& dom) {
        return std::regex_search(dom, std::regex("<title>pwned</title>|<pwned>|data-pwned"));
    };
    test::HttpServer hostile;
    hostile.serveFolder(TROV_SOURCE_DIR "/tests/crawler/data/hostile");
    base = hostile.base();
    ASSERT_EQ(run("crawl --mode subpages --site $BASE --words hostile"),
              "$DIR/trov/TrovCrawler.html\n? 0\n");
    const std::string page = dir.file("trov/TrovCrawler.html");
    EXPECT_NE(dir.read("trov/TrovCrawler.html").find("About 2 results"), std::string::npos);
    const std::string dom = dumpDom(page);
    EXPECT_NE(dom.find("<title>Trov - Crawler</title>"), std::string::npos) << dom;
    EXPECT_FALSE(scriptRan(dom)) << dom;
    // The same script written unescaped does run: the check can see a script.
    const std::string raw = dir.write("raw.html", "<html><body><script>document.title='pwned'"
                                                  "</script></body></html>");
    EXPECT_TRUE(scriptRan(dumpDom(raw)));
}

// The link check after an extraction: the report file, the summary line, the exit codes.
TEST_F(Trovctl, LinkCheck) {
    test::HttpServer site;
    base = site.base();
    site.route("/", {.body = "<a href=\"/a.html\">a</a>"});
    site.route("/a.html", {.body = "fine"});
    site.route("/b.html", {.body = "<a href=\"" + base + "/gone.html\">gone</a>"});
    expectBlock("LinkCheck");
    EXPECT_TRUE(
        dir.read("links.json").starts_with("[\n  {\n    \"address\": \"" + base + "/a.html\""));
    EXPECT_EQ(text::replaced(dir.read("links.csv"), base, "$BASE"),
              "address,status,final_address,found_on,times_found,error\r\n"
              "$BASE/gone.html,404,$BASE/gone.html,$BASE/b.html,1,\r\n");
}

// Two programs at once lose nothing: adds run side by side, twelve at a time, and an
// import meets a program that has the history loaded and records a search after it.
TEST_F(Trovctl, TwoWritersAtOnce) {
    const std::string folder = dir.file("trov/");
    std::string script;
    for (int i = 0; i < 48; ++i)
        script += "\"$0\" --data-dir \"$1\" suggest add s" + std::to_string(i) +
                  (i % 12 == 11 ? " & wait; " : " & ");
    const test::ProcessResult r = test::runProcess({"sh", "-c", script, TROVCTL_PATH, folder},
                                                   {{{"ASAN_OPTIONS", "detect_leaks=0"}}});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    SuggestionStore suggestions(folder + "gs1001.sgg");
    ASSERT_TRUE(suggestions.load({}));
    const std::vector<std::string>& added = suggestions.suggestionList();
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(std::count(added.begin(), added.end(), "s" + std::to_string(i)) +
                      std::count(added.begin(), added.end(), "s" + std::to_string(i) + " "),
                  1)
            << i;

    test::SilentMessages messages;
    HistoryStore trov{DataFolder(folder)};
    trov.NaloziTabelo(messages);
    trov.addNewest(test::historyRow("before"));
    ASSERT_TRUE(trov.ShraniTabelo());
    dir.write("in.csv", "1.1.2026,09:00:00,imported,x,x,x,x,x,x,x,x,x,Google,All\r\n");
    EXPECT_EQ(run("history import-csv $DIR/in.csv --store $DIR/trov/HistGrid.cld"), "? 0\n");
    trov.addNewest(test::historyRow("after"));
    trov.ShraniTabeloLater();
    trov.waitForWrites();
    EXPECT_EQ(test::storedWords(folder + "HistGrid.cld"), (Args{"after", "imported"}));
}
