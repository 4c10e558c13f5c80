#include "tests/crawler/crawl_rig.h"

#include <cstdio>

namespace trov::test {

namespace {

std::string pagePath(int i) {
    return "/g/p" + std::to_string(i) + ".html";
}

std::string pageBody(int i, int pages) {
    const std::string n = std::to_string(i);
    const auto link = [](const std::string& target) {
        return "<a href=\"" + target + "\">x</a>\n";
    };
    std::string b = "<html><head><title>Gen " + n + "</title></head><body>\n";
    b += i % 3 == 0 ? "red " : "blue ";
    b += i % 5 == 0 ? "car " : "bike ";
    b += "{braced red car} [bracketed car] page " + n + "\n";
    b += link(pagePath((i + 1) % pages));     // a chain that closes into a cycle
    b += link(pagePath((i * 7 + 3) % pages)); // cross links, many seen before
    b += link(pagePath((i + 1) % pages));     // the same link again
    b += link("g/p" + std::to_string((i + 2) % pages) + ".html");  // relative
    b += link(pagePath((i + 3) % pages) + "  ");                   // trailing blanks
    b += link("/G/P" + std::to_string((i + 4) % pages) + ".HTML"); // another spelling
    b += link("http://other.example/x" + std::to_string(i % 4) + ".html");
    b += link("/g//p" + std::to_string((i + 5) % pages) + ".html"); // a double slash
    // clang-format off
    const std::pair<int, std::string> failing[] = {{10, "/fail/" + n}, {11, "/redirect/" + n},
        {13, "/tofile/" + n}, {17, "/missing" + n + ".html"}, {19, "mailto:someone@example.org"},
        {19, "/g/p1.html#part"}};
    // clang-format on
    for (const auto& [every, target] : failing)
        if (i % every == 0)
            b += link(target);
    return b + "</body></html>\n";
}

} // namespace

void serveGeneratedSite(HttpServer& server) {
    constexpr int pages = 120, maxDelayMs = 12;
    std::string home = "<html><head><title>Generated home</title></head><body>red car home\n";
    for (int i = 0; i < 40; ++i)
        home += "<a href=\"" + pagePath(i) + "\">" + std::to_string(i) + "</a>\n";
    home += "<a href=\"/g/p3.html\">again</a><a href=\"/fail/0\">f</a>"
            "<a href=\"/redirect/11\">r</a><a href=\"/tofile/13\">t</a>"
            "<a href=\"/missing0.html\">m</a><a href=\"/g/\">folder</a></body></html>\n";
    server.route("/", {.body = home});
    server.route("/g/", {.body = "<title>Folder</title> red car folder <a href=\"p9.html\"></a>",
                         .delayMs = 3});
    for (int i = 0; i < pages; i += 10)
        server.route("/fail/" + std::to_string(i), {.status = 0}); // a reset, no answer
    server.fallback([](const HttpRequest& r) {
        int i = 0;
        if (std::sscanf(r.path.c_str(), "/g/p%d.html", &i) == 1 && i >= 0 && i < pages &&
            r.path == pagePath(i))
            // Spread over the range so that later requests often finish first.
            return HttpResponse{.body = pageBody(i, pages), .delayMs = (i * 7) % (maxDelayMs + 1)};
        if (std::sscanf(r.path.c_str(), "/redirect/%d", &i) == 1)
            return HttpResponse::redirect(302, pagePath(i / 2));
        if (std::sscanf(r.path.c_str(), "/tofile/%d", &i) == 1)
            return HttpResponse::redirect(302, "file:///etc/hostname");
        return HttpResponse::notFound();
    });
}

} // namespace trov::test
