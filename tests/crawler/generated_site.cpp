#include "tests/crawler/generated_site.h"

#include <cstdio>
#include <sys/socket.h>

namespace trov::test {

namespace {

std::string pagePath(int i) {
    return "/g/p" + std::to_string(i) + ".html";
}

// Several KB of markup around the page's own head and body.
std::string withMarkup(int i, const std::string& page) {
    std::string path = "M" + std::to_string(i % 24) + " 2";
    for (int k = 0; path.size() < 1500; ++k)
        path += " l" + std::to_string((i + k) % 9) + " -" + std::to_string((i * k) % 7);
    const std::string head = "<html><head><script>var page = {title: \"<title>Decoy " +
                             std::to_string(i) +
                             "</title>\", [1, 2]: 0};</script><style>.card[data-n] > a "
                             "{color: red}</style>";
    const std::string wrap = "<div class=\"card card--wide col-12 col-md-6 px-2\" data-n=\"" +
                             std::to_string(i) +
                             "\" data-area=\"listing\"><svg viewBox=\"0 0 "
                             "24 24\" aria-hidden=\"true\"><path d=\"" +
                             path + "\"/></svg>";
    std::string b = head + page.substr(page.find("<title>"));
    const std::size_t body = b.find("<body>") + 6;
    b.insert(body, wrap + wrap);
    b.insert(b.rfind("</body>"), "</div></div>" + wrap + "</div>");
    return b;
}

std::string pageBody(int i, int pages) {
    const auto link = [](const std::string& target) {
        return "<a href=\"" + target + "\">x</a>\n";
    };
    std::string b = "<html><head><title>Gen " + std::to_string(i) + "</title></head><body>\n";
    b += i % 3 == 0 ? "red " : "blue ";
    b += i % 5 == 0 ? "car " : "bike ";
    b += "{braced red car} [bracketed car] page " + std::to_string(i) + "\n";
    b += link(pagePath((i + 1) % pages));     // a chain that closes into a cycle
    b += link(pagePath((i * 7 + 3) % pages)); // cross links, many seen before
    b += link(pagePath((i + 1) % pages));     // the same link again
    b += link("g/p" + std::to_string((i + 2) % pages) + ".html");  // relative
    b += link(pagePath((i + 3) % pages) + "  ");                   // trailing blanks
    b += link("/G/P" + std::to_string((i + 4) % pages) + ".HTML"); // another spelling
    b += link("http://other.example/x" + std::to_string(i % 4) + ".html");
    b += link("/g//p" + std::to_string((i + 5) % pages) + ".html"); // a double slash
    if (i % 10 == 0)
        b += link("/fail/" + std::to_string(i));
    if (i % 11 == 0)
        b += link("/redirect/" + std::to_string(i));
    if (i % 13 == 0)
        b += link("/tofile/" + std::to_string(i));
    if (i % 17 == 0)
        b += link("/missing" + std::to_string(i) + ".html");
    if (i % 19 == 0)
        b += link("mailto:someone@example.org") + link("/g/p1.html#part");
    return b + "</body></html>\n";
}

} // namespace

void serveGeneratedSite(HttpServer& server, const GeneratedSite& site) {
    const int pages = site.pages;
    const int maxDelay = site.maxDelayMs;
    std::string home = "<html><head><title>Generated home</title></head><body>red car home\n";
    for (int i = 0; i < 40 && i < pages; ++i)
        home += "<a href=\"" + pagePath(i) + "\">" + std::to_string(i) + "</a>\n";
    home += "<a href=\"/g/p3.html\">again</a><a href=\"/fail/0\">f</a>"
            "<a href=\"/redirect/11\">r</a><a href=\"/tofile/13\">t</a>"
            "<a href=\"/missing0.html\">m</a><a href=\"/g/\">folder</a></body></html>\n";
    server.route("/", HttpResponse{200, home, "text/html", {}, 0});
    server.route("/g/", HttpResponse{200,
                                     "<title>Folder</title> red car folder <a href=\"p9.html\">"
                                     "</a>",
                                     "text/html",
                                     {},
                                     3});
    for (int i = 0; i < pages; i += 10)
        server.rawRoute("/fail/" + std::to_string(i),
                        [](int fd, const HttpRequest&, const std::atomic<bool>&) {
                            linger l{1, 0}; // closed with a reset before any answer
                            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &l, sizeof l);
                            return false;
                        });
    const bool markup = site.markupHeavy;
    server.fallback([pages, maxDelay, markup](const HttpRequest& r) {
        HttpResponse response;
        int i = 0;
        if (std::sscanf(r.path.c_str(), "/g/p%d.html", &i) == 1 && i >= 0 && i < pages &&
            r.path == pagePath(i)) {
            response.body = markup ? withMarkup(i, pageBody(i, pages)) : pageBody(i, pages);
            // Spread over the range so that later requests often finish first.
            response.delayMs = maxDelay > 0 ? (i * 7) % (maxDelay + 1) : 0;
        } else if (std::sscanf(r.path.c_str(), "/redirect/%d", &i) == 1) {
            response = HttpResponse::redirect(302, pagePath(i / 2));
        } else if (std::sscanf(r.path.c_str(), "/tofile/%d", &i) == 1) {
            response = HttpResponse::redirect(302, "file:///etc/hostname");
        } else {
            response.status = 404;
            response.body = "Not found";
        }
        return response;
    });
}

std::string generatedLinkList(const HttpServer& server, const GeneratedSite& site) {
    const std::string p = server.base();
    std::string list = p + "\r\n";
    for (int i = 0; i < site.pages; i += 3)
        list += p + pagePath(i) + "\r\n";
    list += p + pagePath(3) + "\r\n"; // twice
    list += p + "/fail/10\r\n" + p + "/redirect/22\r\n" + p + "/tofile/13\r\n";
    list += p + "/missing5.html;\r\n";          // the reader deletes ";"
    list += "http://other.example/x1.html\r\n"; // another site: not fetched
    list += "file:///etc/hostname#" + p + "\r\n";
    list += "NIL\r\n";
    for (int i = 1; i < site.pages; i += 4)
        list += p + pagePath(i) + "\r\n";
    return list;
}

} // namespace trov::test
