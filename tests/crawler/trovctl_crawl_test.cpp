#include "common/atomic_file.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/support/process.h"

#include <algorithm>
#include <gtest/gtest.h>

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

TEST_F(TrovctlCrawl, PrintsTheResultPageOrTheLinksAndReadsItsOwnExport) {
    auto r = crawl({"--mode", "subpages", "--site", p, "--words", "deeper"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("TrovCrawler.html") + "\n");
    EXPECT_EQ(r.err, ""); // no progress line when stderr is not a terminal
    EXPECT_NE(file("TrovCrawler.html").find("Your search - deeper  - did not"), std::string::npos);

    const int connections = server.connectionCount();
    r = crawl({"--mode", "internal-links", "--site", p, "--export-links", dir.file("links.txt"),
               "--export-data", dir.file("data.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with(p + "/\n" + p + "/a.html\n")) << r.out; // sorted
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 16);
    // The reachability check on a connection of its own, then at most six kept-alive ones.
    EXPECT_LE(server.connectionCount() - connections, 7);
    EXPECT_EQ(file("data.txt"), "Website or domain: " + p + "\r\n" + std::string(48, '_') + "\r\n");

    r = crawl({"--mode", "list", "--list", dir.file("links.txt"), "--words", "deeper",
               "--export-links", dir.file("again.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(file("again.txt"), file("links.txt"));
    EXPECT_NE(file("TrovCrawler.html").find("About 1 result<br>\r\n"), std::string::npos);
    EXPECT_NE(file("TrovCrawler.html").find(p + "/deep/two.html\"><strong>Two</strong>"),
              std::string::npos);

    r = crawl({"--mode", "all-links", "--site", p + "/bare.html"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "No links found\n");
}

TEST_F(TrovctlCrawl, RefusalsAndFailuresHaveTheirExitCodes) {
    const std::string nothing = "There is nothing to search.\n\nPlease fill ";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string err; // "" when only the code matters
    } rows[] = {
        {{"--mode", "site", "--site", p}, 3, nothing + "in at least one field.\n"},
        {{"--mode", "all-links", "--site", "nodot"},
         3,
         nothing + "\"Search within a site or domain field\".\n"},
        {{"--mode", "all-links", "--site", "http://127.0.0.1:1"},
         4,
         "Invalid request.\nMake sure you have entered a valid site/domain.\n"},
        {{"--mode", "nonsense", "--site", p}, 2, ""},
        {{"--mode", "list", "--list", dir.file("absent.csv"), "--words", "x"},
         1,
         "trovctl: File absent.csv does not exist.\n"},
        {{"--mode", "list", "--list", dir.write("l.csv", p + "\r\n" + p + "/a.html\r\n")}, 3, ""},
    };
    for (const auto& row : rows) {
        const auto r = crawl(row.args);
        EXPECT_EQ(r.exitCode, row.exitCode) << row.args[1];
        EXPECT_EQ(row.err.empty() ? "" : r.err, row.err);
    }
}

} // namespace
} // namespace trov
