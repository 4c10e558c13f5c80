#include "common/atomic_file.h"
#include "tests/crawler/fixture_site.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace trov {
namespace {

class TrovctlCrawl : public ::testing::Test {
protected:
    TrovctlCrawl() {
        test::serveFixtureSite(server);
        p = server.base();
    }
    test::ProcessResult crawl(std::vector<std::string> args) {
        args.insert(args.begin(), {TROVCTL_PATH, "--data-dir", dir.path(), "crawl"});
        return test::runProcess(args);
    }
    test::HttpServer server;
    test::TempDir dir;
    std::string p;
};

TEST_F(TrovctlCrawl, SiteModePrintsTheResultPagePath) {
    const auto r = crawl({"--mode", "subpages", "--site", p, "--words", "deeper"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("TrovCrawler.html") + "\n");
    EXPECT_EQ(r.err, ""); // no progress line when stderr is not a terminal
    EXPECT_EQ(readWholeFile(dir.file("TrovCrawler.html")),
              test::expectedResultPage("deeper ", p, {}));
}

TEST_F(TrovctlCrawl, ExtractionPrintsTheLinksAndAListCrawlReadsTheExport) {
    const auto r = crawl({"--mode", "internal-links", "--site", p, "--export-links",
                          dir.file("links.txt"), "--export-data", dir.file("data.txt")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.rfind(p + "/\n" + p + "/a.html\n", 0), 0u) << r.out; // sorted
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 16);
    // The reachability check on a connection of its own, then at most six kept-alive ones.
    EXPECT_LE(server.connectionCount(), 7);
    EXPECT_EQ(readWholeFile(dir.file("data.txt")),
              "Website or domain: " + p + "\r\n" + std::string(48, '_') + "\r\n");

    const auto list = crawl({"--mode", "list", "--list", dir.file("links.txt"), "--words", "deeper",
                             "--export-links", dir.file("again.txt")});
    ASSERT_EQ(list.exitCode, 0) << list.err;
    EXPECT_EQ(readWholeFile(dir.file("again.txt")), readWholeFile(dir.file("links.txt")));
    EXPECT_EQ(readWholeFile(dir.file("TrovCrawler.html")),
              test::expectedResultPage("deeper ", p, {{p + "/deep/two.html", "Two"}}));
}

TEST_F(TrovctlCrawl, RefusalsAndFailuresHaveTheirExitCodes) {
    auto r = crawl({"--mode", "site", "--site", p});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(r.err, "There is nothing to search.\n\nPlease fill in at least one field.\n");
    r = crawl({"--mode", "all-links", "--site", "nodot"});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_EQ(
        r.err,
        "There is nothing to search.\n\nPlease fill \"Search within a site or domain field\".\n");
    r = crawl({"--mode", "all-links", "--site", "http://127.0.0.1:1"});
    EXPECT_EQ(r.exitCode, 4);
    EXPECT_EQ(r.err, "Invalid request.\nMake sure you have entered a valid site/domain.\n");
    r = crawl({"--mode", "nonsense", "--site", p});
    EXPECT_EQ(r.exitCode, 2);
    r = crawl({"--mode", "list", "--list", dir.file("absent.csv"), "--words", "x"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "trovctl: File absent.csv does not exist.\n");
    r = crawl({"--mode", "list", "--list", dir.write("l.csv", p + "\r\n" + p + "/a.html\r\n")});
    EXPECT_EQ(r.exitCode, 3);
}

TEST_F(TrovctlCrawl, NoLinksFoundGoesToStderrWithSuccess) {
    test::HttpServer bare;
    bare.route("/", test::HttpResponse{200, "no links", "text/html", {}, 0});
    const auto r = crawl({"--mode", "all-links", "--site", bare.base()});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "No links found\n");
}

} // namespace
} // namespace trov
