// SPDX-License-Identifier: GPL-3.0-or-later
// The crawler's site benchmark: a generated site on 127.0.0.1, crawled in mode "site".
// The plain site has about 8 KB and 20 internal links a page; the markup-heavy one about
// 60 KB of markup around 6 KB of text, as real pages are; the large one 48 MB of text a
// page, each linking to every other. With EXTERNAL above 0 each page also links one of that
// many pages of a second host (a server on 127.0.0.2 with the same latency). Four jobs, so a
// script can run Trov and other crawlers against the same server:
//
//   crawler_site_bench serve LATENCY-MS [PAGES [plain|markup|large [EXTERNAL]]]
//                                                  serves the site until SIGTERM, prints
//                                                  the port, then at exit what it served
//   crawler_site_bench crawl URL concurrent|sequential
//   crawler_site_bench check URL                   extracts all links, then checks them
//                                                  (again with six requests at once)
//   crawler_site_bench measure LABEL PROGRAM ARGS...   runs a program and measures it
//
// Every job prints one line (check: three): label, pages, wall time, pages per second, CPU
// time per page and peak memory. With no arguments it serves the 2,000-page site itself at
// 0 and 20 ms and crawls it both ways.

#include "crawler/concurrent_page_source.h"
#include "crawler/crawl_engine.h"
#include "crawler/curl_page_source.h"
#include "crawler/link_check.h"
#include "tests/support/http_server.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace trov;

namespace {

constexpr int kPages = 2000;
using Clock = std::chrono::steady_clock;

std::string plainPage(int i, int pages) {
    std::string body = "<html><head><title>Page " + std::to_string(i) + "</title></head><body>\n";
    for (int j = 0; j < 20; ++j) {
        const int target = (i * 37 + j * 101 + 1) % pages;
        body += "<p>Paragraph " + std::to_string(j) +
                " with some ordinary words about engines, wheels and roads.</p>\n"
                "<a href=\"/p" +
                std::to_string(j == 0 ? (i + 1) % pages : target) + ".html\">link</a>\n";
    }
    while (body.size() < 8000)
        body += "<p>Filler text that a real page would carry, lorem ipsum dolor sit amet.</p>\n";
    return body + "</body></html>\n";
}

// An icon as sites inline them: a few KB of path data, all of it markup.
std::string icon(int seed) {
    std::string d = "M" + std::to_string(seed % 97) + " 12";
    for (int k = 0; d.size() < 2550; ++k)
        d += " l" + std::to_string((seed + k * 7) % 23) + "." + std::to_string(k % 10) + " -" +
             std::to_string((seed * 3 + k) % 19) + "." + std::to_string((k * 3) % 10);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"24\" height=\"24\" "
           "viewBox=\"0 0 24 24\" class=\"icon icon-card\" aria-hidden=\"true\"><path "
           "fill=\"currentColor\" d=\"" +
           d + " z\"/></svg>";
}

// About 60 KB of markup around about 6 KB of text: 20 cards, each a paragraph, a link
// and an icon wrapped in the classes and data attributes of a page framework.
std::string markupPage(int i, int pages) {
    std::string body =
        "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><title>Card page " +
        std::to_string(i) +
        "</title><meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<link rel=\"stylesheet\" href=\"/static/css/framework.min.css\"></head>\n"
        "<body class=\"layout layout--wide theme-light has-navigation\">\n";
    for (int j = 0; j < 20; ++j) {
        const int target = (i * 37 + j * 101 + 1) % pages;
        body += "<div class=\"card card--elevated col-12 col-md-6 col-lg-4 mb-3 px-2\" "
                "data-track-id=\"card-" +
                std::to_string(i) + "-" + std::to_string(j) +
                "\" data-track-area=\"listing\"><div class=\"card__body d-flex "
                "flex-column\"><span class=\"card__icon\">" +
                icon(i * 20 + j) + "</span><p class=\"card__text text-muted\">Card " +
                std::to_string(j) +
                " tells of engines, wheels and roads, of gears that turn and axles that "
                "carry the load, of the long drive home at night and the quiet garage that "
                "waits at the end of it, with ordinary words a reader would search for. Every "
                "card carries a few of them, so that the search finds the page.</p>"
                "<a class=\"card__link stretched-link\" href=\"/p" +
                std::to_string(j == 0 ? (i + 1) % pages : target) +
                ".html\">Read more</a></div></div>\n";
    }
    return body + "</body></html>\n";
}

// 48 MB of text with a little markup, as a book put on one page is, after links to every
// page of the site.
std::string largePage(int i, int pages) {
    constexpr std::size_t kSize = std::size_t{48} << 20;
    std::string body;
    body.reserve(kSize);
    body = "<html><head><title>Large page " + std::to_string(i) + "</title></head><body>\n";
    for (int j = 0; j < pages; ++j)
        body += "<a href=\"/p" + std::to_string(j) + ".html\">page " + std::to_string(j) + "</a>\n";
    const std::string paragraph =
        "<p>A chapter about <b>engines</b>, wheels and roads, of gears that turn and axles "
        "that carry the load {and a note in braces} on the long drive home at night.</p>\n";
    while (body.size() + paragraph.size() + 15 <= kSize)
        body += paragraph;
    return body + "</body></html>\n";
}

struct Site {
    enum class Kind { Plain, Markup, Large };
    int pages = kPages;
    Kind kind = Kind::Plain;
    int externals = 0;        // pages of the second host the site links
    std::string externalBase; // that host's address
    std::string page(int i) const {
        std::string body = kind == Kind::Markup  ? markupPage(i, pages)
                           : kind == Kind::Large ? largePage(i, pages)
                                                 : plainPage(i, pages);
        if (externals > 0)
            body.insert(body.rfind("</body>"), "<a href=\"" + externalBase + "/x" +
                                                   std::to_string(i % externals) +
                                                   ".html\">elsewhere</a>\n");
        return body;
    }
};

volatile std::sig_atomic_t stopServing = 0;
extern "C" void onTerm(int) {
    stopServing = 1;
}

// Serves the site until SIGTERM; writes the port to portFd (or stdout when -1).
int serve(Site site, int latencyMs, int portFd) {
    struct sigaction action {};
    action.sa_handler = onTerm;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
    std::atomic<long> served{0};
    std::mutex mutex;
    std::map<std::string, int> pages; // the pages sent with a body, and how often
    long long bytes = 0;              // their bodies' bytes
    std::atomic<long> servedElsewhere{0};
    {
        test::HttpServer external("127.0.0.2");
        external.fallback([&, latencyMs](const test::HttpRequest&) {
            ++servedElsewhere;
            return test::HttpResponse{
                .body = "<html><body>elsewhere</body></html>",
                .headers = {{"Connection", "keep-alive"}, {"LinkChecker", "yes"}},
                .delayMs = latencyMs};
        });
        site.externalBase = external.base();
        test::HttpServer server;
        server.fallback([&, latencyMs](const test::HttpRequest& r) {
            ++served;
            test::HttpResponse response;
            int i = 0;
            if (r.path != "/" &&
                (std::sscanf(r.path.c_str(), "/p%d.html", &i) != 1 || i < 0 || i >= site.pages)) {
                response.status = 404;
                response.body = "Not found";
            } else {
                response.body = site.page(i);
                if (r.method == "GET") {
                    std::lock_guard lock(mutex);
                    ++pages[r.path];
                    bytes += static_cast<long long>(response.body.size());
                }
            }
            response.delayMs = latencyMs;
            // Said out loud for clients that otherwise wait for the connection to close.
            response.headers.emplace_back("Connection", "keep-alive");
            // Lets LinkChecker go past ten requests a second to the host when told to.
            response.headers.emplace_back("LinkChecker", "yes");
            return response;
        });
        const int port = server.port();
        if (portFd >= 0) {
            (void)!::write(portFd, &port, sizeof port);
            ::close(portFd);
        } else {
            std::printf("%d\n", port);
            std::fflush(stdout);
        }
        while (!stopServing)
            ::usleep(20000);
    }
    std::fprintf(stderr, "%zu pages in %ld requests, %lld bytes\n", pages.size(), served.load(),
                 bytes);
    std::fprintf(stderr, "elsewhere %ld requests\n", servedElsewhere.load());
    // The pages asked for more than once, for a look at where extra requests come from.
    for (const auto& [path, times] : pages)
        if (times > 1)
            std::fprintf(stderr, "again %s %d\n", path.c_str(), times);
    return 0;
}

class Quiet : public Messages {
public:
    void show(MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

double seconds(const timeval& t) {
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

void report(const std::string& label, double pages, double wall, double cpu, long maxrssKb,
            const char* unit = "page") {
    std::printf("%-22s %6.0f %ss  wall %7.2f s  %7.1f %ss/s  CPU %6.3f ms/%s  peak %6.1f MB\n",
                label.c_str(), pages, unit, wall, pages / wall, unit, cpu * 1000 / pages, unit,
                double(maxrssKb) / 1024);
    std::fflush(stdout);
}

double cpuSeconds(const rusage& before, const rusage& after) {
    return seconds(after.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_utime) -
           seconds(before.ru_stime);
}

int crawl(const std::string& site, const std::string& how) {
    std::unique_ptr<PageSource> source;
    if (how == "sequential")
        source = std::make_unique<CurlPageSource>();
    else
        source = std::make_unique<ConcurrentPageSource>();
    Quiet messages;
    CrawlProgress progress;
    CrawlEngine engine(*source, "/tmp/trov-bench-TrovCrawler.html", messages, progress);
    StopToken token;
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto t0 = Clock::now();
    engine.run(CrawlMode::StartSlowCrawl, CrawlInputs{site, "engines wheels", "", ""}, token);
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    report("Trov " + how, double(engine.linkList().count), wall, cpuSeconds(before, after),
           after.ru_maxrss);
    return engine.outcome() == CrawlOutcome::ResultPage ? 0 : 1;
}

// "Extract links from a website", then the link check of every link it listed.
int check(const std::string& site) {
    ConcurrentPageSource source;
    Quiet messages;
    CrawlProgress progress;
    CrawlEngine engine(source, "/tmp/trov-bench-TrovCrawler.html", messages, progress);
    StopToken token;
    rusage before{}, between{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto t0 = Clock::now();
    engine.run(CrawlMode::AllLinks, CrawlInputs{site, "", "", ""}, token);
    const auto t1 = Clock::now();
    ::getrusage(RUSAGE_SELF, &between);
    const std::vector<ListedLink> links = listedLinks(engine.linkList(), engine.sightings());
    LinkChecker checker;
    const std::atomic<bool> cancel{false};
    const auto checked = checker.run(links, site, cancel, progress);
    const auto t2 = Clock::now();
    ::getrusage(RUSAGE_SELF, &after);
    const auto wall = [](auto from, auto to) {
        return std::chrono::duration<double>(to - from).count();
    };
    const double listed = double(links.size());
    report("Trov extraction", listed, wall(t0, t1), cpuSeconds(before, between), between.ru_maxrss,
           "link");
    report("Trov check", listed, wall(t1, t2), cpuSeconds(between, after), after.ru_maxrss, "link");
    std::printf("                       (%zu requests, %zu problems)\n", checker.requestsMade(),
                checked ? problemCount(*checked) : 0);
    // The same check with six requests at once over all hosts instead of the crawl's bound.
    LinkCheckOptions six = linkCheckOptions();
    six.concurrency = 6;
    const auto t3 = Clock::now();
    const auto again = LinkChecker(six).run(links, site, cancel, progress);
    const auto t4 = Clock::now();
    rusage last{};
    ::getrusage(RUSAGE_SELF, &last);
    report("Trov check-6", listed, wall(t3, t4), cpuSeconds(after, last), last.ru_maxrss, "link");
    return checked && again ? 0 : 1;
}

// Runs a program and reports it; it is stopped (by its pid) after LIMIT seconds when that
// is set. The pages are what the site's server answered, given as PAGES once it is known;
// without it the line has the raw figures for a script to finish.
int measure(const std::string& label, char** argv) {
    const auto t0 = Clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
        ::execvp(argv[0], argv);
        std::perror(argv[0]);
        ::_exit(127);
    }
    const char* limit = std::getenv("LIMIT");
    const auto deadline = t0 + std::chrono::duration<double>(limit ? std::atof(limit) : 1e9);
    int status = 0;
    rusage usage{};
    bool stopped = false;
    while (::wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (!stopped && Clock::now() > deadline) {
            ::kill(pid, SIGTERM);
            stopped = true;
        }
        ::usleep(10000);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    std::printf("%s|%.3f|%.4f|%ld|%s\n", label.c_str(), wall, cpu, usage.ru_maxrss,
                stopped ? "stopped" : "done");
    std::fflush(stdout);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

// The self-contained run: a server child per latency, both crawls against it.
void selfContained(int latencyMs) {
    int fds[2];
    if (::pipe(fds) != 0)
        std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::fclose(stderr);
        ::_exit(serve(Site{}, latencyMs, fds[1]));
    }
    ::close(fds[1]);
    int port = 0;
    (void)!::read(fds[0], &port, sizeof port);
    ::close(fds[0]);
    const std::string site = "http://127.0.0.1:" + std::to_string(port);
    std::printf("-- %d ms added latency\n", latencyMs);
    for (const char* how : {"concurrent", "sequential"}) {
        const pid_t crawler = ::fork(); // a process each, so the peak memory is its own
        if (crawler == 0)
            ::_exit(crawl(site, how));
        ::waitpid(crawler, nullptr, 0);
    }
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "serve") == 0) {
        Site site;
        if (argc >= 4)
            site.pages = std::max(1, std::atoi(argv[3]));
        if (argc >= 5 && std::strcmp(argv[4], "markup") == 0)
            site.kind = Site::Kind::Markup;
        if (argc >= 5 && std::strcmp(argv[4], "large") == 0)
            site.kind = Site::Kind::Large;
        if (argc >= 6)
            site.externals = std::max(0, std::atoi(argv[5]));
        return serve(site, std::atoi(argv[2]), -1);
    }
    if (argc >= 3 && std::strcmp(argv[1], "check") == 0)
        return check(argv[2]);
    if (argc >= 4 && std::strcmp(argv[1], "crawl") == 0)
        return crawl(argv[2], argv[3]);
    if (argc >= 4 && std::strcmp(argv[1], "measure") == 0)
        return measure(argv[2], argv + 3);
    for (int latency : {0, 20})
        selfContained(latency);
}
