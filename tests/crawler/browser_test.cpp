// The result page opened in a real browser: nothing a crawled page carries may run.

#include "crawler/curl_page_source.h"
#include "tests/crawler/crawl_rig.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace trov {
namespace {

const char* chromium() {
    for (const char* path : {"/usr/bin/chromium", "/usr/bin/chromium-browser"})
        if (::access(path, X_OK) == 0)
            return path;
    return nullptr;
}

// The DOM after the page's scripts would have run.
std::string dumpDom(const std::string& file, const test::TempDir& dir) {
    const auto r =
        test::runProcess({chromium(), "--headless", "--no-sandbox", "--disable-gpu",
                          "--disable-background-networking", "--disable-component-update",
                          "--disable-sync", "--no-first-run",
                          "--user-data-dir=" + dir.file("profile"), "--dump-dom", "file://" + file},
                         {{}, 90000});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return r.out;
}

const std::string kScript = "<script>document.title='pwned';"
                            "document.body.appendChild(document.createElement('pwned'))</script>";

bool scriptRan(const std::string& dom) {
    return dom.find("<title>pwned</title>") != std::string::npos ||
           dom.find("<pwned>") != std::string::npos || dom.find("data-pwned") != std::string::npos;
}

TEST(ResultPageInABrowser, NoScriptOfACrawledPageRuns) {
    if (!chromium())
        GTEST_SKIP()
            << "chromium is not installed (Debian package chromium); browser check skipped";
    test::HttpServer server;
    server.route("/", {.body = "<title>Home" + kScript +
                               "</title> hostile <a href='/p\" autofocus "
                               "onfocus=\"document.body.dataset.pwned=1'>x</a><a href='/q'>q</a>"});
    server.route("/q", {.body = "<title><img src=x onerror=\"document.title='pwned'\"></title> "
                                "hostile"});
    CurlPageSource source;
    test::CrawlRig rig(source);
    const test::TempDir& dir = rig.dir;
    rig.run(CrawlMode::StartFastCrawl, CrawlInputs{server.base(), "hostile", "", ""});
    ASSERT_EQ(rig.engine.outcome(), CrawlOutcome::ResultPage);
    EXPECT_EQ(rig.engine.linkList().count, 3u);

    const std::string dom = dumpDom(dir.file("TrovCrawler.html"), dir);
    EXPECT_NE(dom.find("<title>Trov - Crawler</title>"), std::string::npos) << dom;
    EXPECT_FALSE(scriptRan(dom)) << dom;

    // The same markup written unescaped does run: the check can see a script.
    const std::string raw = dir.write("raw.html", "<html><head><title>Trov</title></head><body>" +
                                                      kScript + "</body></html>");
    EXPECT_TRUE(scriptRan(dumpDom(raw, dir)));
}

} // namespace
} // namespace trov
