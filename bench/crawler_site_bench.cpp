// Crawls a generated 2,000-page site (about 8 KB and 20 internal links a page) on
// 127.0.0.1 in mode "site" and prints wall time, pages per second, CPU time per page and
// peak memory. The server runs in a child process so the figures are the crawler's own.
//
//   crawler_site_bench [latency-ms ...]      (default: 0 20)

#include "crawler/crawl_engine.h"
#include "crawler/curl_page_source.h"
#include "tests/support/http_server.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace trov;

namespace {

constexpr int kPages = 2000;

std::string pageBody(int i) {
    std::string body = "<html><head><title>Page " + std::to_string(i) + "</title></head><body>\n";
    for (int j = 0; j < 20; ++j) {
        const int target = (i * 37 + j * 101 + 1) % kPages;
        body += "<p>Paragraph " + std::to_string(j) +
                " with some ordinary words about engines, wheels and roads.</p>\n"
                "<a href=\"/p" +
                std::to_string(j == 0 ? (i + 1) % kPages : target) + ".html\">link</a>\n";
    }
    while (body.size() < 8000)
        body += "<p>Filler text that a real page would carry, lorem ipsum dolor sit amet.</p>\n";
    return body + "</body></html>\n";
}

// Forks a server process for the site; returns its pid and port.
std::pair<pid_t, int> startServer(int latencyMs) {
    int fds[2];
    if (::pipe(fds) != 0)
        std::exit(1);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        test::HttpServer server;
        server.fallback([latencyMs](const test::HttpRequest& r) {
            test::HttpResponse response;
            int i = 0;
            if (r.path != "/" && std::sscanf(r.path.c_str(), "/p%d.html", &i) != 1) {
                response.status = 404;
                response.body = "Not found";
            } else {
                response.body = pageBody(i);
            }
            response.delayMs = latencyMs;
            return response;
        });
        const int port = server.port();
        (void)!::write(fds[1], &port, sizeof port);
        ::close(fds[1]);
        for (;;)
            ::pause();
    }
    ::close(fds[1]);
    int port = 0;
    (void)!::read(fds[0], &port, sizeof port);
    ::close(fds[0]);
    return {pid, port};
}

class Quiet : public Messages {
public:
    void show(MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

double cpuSeconds() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void run(int latencyMs) {
    const auto [pid, port] = startServer(latencyMs);
    const std::string site = "http://127.0.0.1:" + std::to_string(port);
    CurlPageSource source;
    Quiet messages;
    CrawlProgress progress;
    CrawlEngine engine(source, "/tmp/trov-bench-TrovCrawler.html", messages, progress);
    engine.resetFlags();
    const double cpu0 = cpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    engine.run(CrawlMode::StartSlowCrawl, CrawlInputs{site, "engines wheels", "", ""});
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = cpuSeconds() - cpu0;
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    const double pages = double(engine.linkList().count);
    std::printf("site crawl, %d ms latency: %.0f pages, wall %.2f s, %.1f pages/s, "
                "CPU %.2f ms/page, peak RSS %.1f MB\n",
                latencyMs, pages, wall, pages / wall, cpu * 1000 / pages,
                double(u.ru_maxrss) / 1024);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> latencies;
    for (int i = 1; i < argc; ++i)
        latencies.push_back(std::atoi(argv[i]));
    if (latencies.empty())
        latencies = {0, 20};
    for (int l : latencies)
        run(l);
}
