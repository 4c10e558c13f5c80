// trovctl crawl end to end, and its result page opened in a real browser.

#include "common/atomic_file.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/support/process.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

namespace trov {
namespace {

struct TrovctlCrawl : ::testing::Test {
    TrovctlCrawl() { test::serveFixtureSite(server); }
    test::ProcessResult crawl(std::vector<std::string> args) {
        args.insert(args.begin(), {TROVCTL_PATH, "--data-dir", dir.path(), "crawl"});
        return test::runProcess(args);
    }
    std::string file(const char* name) const { return readWholeFile(dir.file(name)).value_or(""); }
    test::HttpServer server;
    test::TempDir dir;
    const std::string p = server.base();
};

// The links extracted, then a list crawl of their export that prints its result page's
// path (no progress line when stderr is not a terminal), and a site without links.
TEST_F(TrovctlCrawl, PrintsTheLinksOrTheResultPageAndReadsItsOwnExport) {
    const int connections = server.connectionCount();
    auto r = crawl({"--mode", "internal-links", "--site", p, "--export-links",
                    dir.file("links.txt"), "--export-data", dir.file("data.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with(p + "/\n" + p + "/a.html\n")) << r.out; // sorted
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 16);
    // The reachability check on a connection of its own, then at most six kept-alive ones.
    EXPECT_LE(server.connectionCount() - connections, 7);
    EXPECT_EQ(file("data.txt"), "Website or domain: " + p + "\r\n" + std::string(48, '_') + "\r\n");

    r = crawl({"--mode", "list", "--list", dir.file("links.txt"), "--words", "deeper",
               "--export-links", dir.file("again.txt")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out + r.err, dir.file("TrovCrawler.html") + "\n");
    EXPECT_EQ(file("again.txt"), file("links.txt"));
    EXPECT_NE(file("TrovCrawler.html").find("About 1 result<br>\r\n"), std::string::npos);

    r = crawl({"--mode", "all-links", "--site", p + "/bare.html"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out + "|" + r.err, "|No links found\n");
}

TEST_F(TrovctlCrawl, RefusalsAndFailuresHaveTheirExitCodes) {
    const std::string nothing = "There is nothing to search.\n\nPlease fill ";
    const std::string list = dir.write("l.csv", p + "\r\n" + p + "/a.html\r\n");
    // clang-format off
    const std::tuple<std::vector<std::string>, int, std::string> rows[] = { // "": any text
        {{"--mode", "site", "--site", p}, 3, nothing + "in at least one field.\n"},
        {{"--mode", "all-links", "--site", "nodot"}, 3,
         nothing + "\"Search within a site or domain field\".\n"},
        {{"--mode", "all-links", "--site", "http://127.0.0.1:1"}, 4,
         "Invalid request.\nMake sure you have entered a valid site/domain.\n"},
        {{"--mode", "nonsense", "--site", p}, 2, ""}, {{"--mode", "list", "--list", list}, 3, ""},
        {{"--mode", "list", "--list", dir.file("absent.csv"), "--words", "x"}, 1,
         "trovctl: File absent.csv does not exist.\n"}};
    // clang-format on
    for (const auto& [args, exitCode, err] : rows) {
        const auto r = crawl(args);
        EXPECT_EQ(r.exitCode, exitCode) << args[1];
        EXPECT_EQ(err.empty() ? "" : r.err, err);
    }
}

// The DOM of a page after its scripts would have run.
std::string dumpDom(const char* chromium, const std::string& file, const test::TempDir& dir) {
    const auto r = test::runProcess(
        {chromium, "--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
         "--no-first-run", "--disable-component-update", "--disable-sync",
         "--user-data-dir=" + dir.file("profile"), "--dump-dom", "file://" + file},
        {{}, 90000});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
}

// Nothing a crawled page carries (data/hostile) may run in the result page.
TEST_F(TrovctlCrawl, NoScriptOfACrawledPageRunsInABrowser) {
    const char* chromium = "/usr/bin/chromium";
    if (::access(chromium, X_OK) != 0)
        GTEST_SKIP() << "chromium is not installed (Debian package chromium)";
    const auto scriptRan = [](const std::string& dom) {
        return dom.find("<title>pwned</title>") != std::string::npos ||
               dom.find("<pwned>") != std::string::npos ||
               dom.find("data-pwned") != std::string::npos;
    };
    test::HttpServer hostile;
    hostile.serveFolder(TROV_SOURCE_DIR "/tests/crawler/data/hostile");
    const auto r = crawl({"--mode", "subpages", "--site", hostile.base(), "--words", "hostile"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(file("TrovCrawler.html").find("About 2 results"), std::string::npos)
        << file("TrovCrawler.html");
    const std::string dom = dumpDom(chromium, dir.file("TrovCrawler.html"), dir);
    EXPECT_NE(dom.find("<title>Trov - Crawler</title>"), std::string::npos) << dom;
    EXPECT_FALSE(scriptRan(dom)) << dom;
    // The same script written unescaped does run: the check can see a script.
    const std::string raw = dir.write("raw.html", "<html><body><script>document.title='pwned'"
                                                  "</script></body></html>");
    EXPECT_TRUE(scriptRan(dumpDom(chromium, raw, dir)));
}

} // namespace
} // namespace trov
