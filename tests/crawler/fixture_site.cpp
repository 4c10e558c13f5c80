#include "tests/crawler/fixture_site.h"

namespace trov::test {

namespace {

HttpResponse page(std::string body) {
    HttpResponse r;
    r.body = std::move(body);
    return r;
}

} // namespace

void serveFixtureSite(HttpServer& server) {
    const std::string p = server.base();
    server.route("/", page("<html><head><title>Home page</title></head><body>\n"
                           "<p>Welcome to the red car site {braced words}</p>\n"
                           "<a href=\"/a.html\">A</a>\n"
                           "<A HREF='b.html'>B</A>\n"
                           "<a href=\"" +
                           p +
                           "/c.html\">C</a>\n"
                           "<a href=\"http://other.example/x.html\">X</a>\n"
                           "<a href=\"mailto:me@x.org\">M</a>\n"
                           "<a href=\"javascript:go()\">J</a>\n"
                           "<a href=\"#top\">T</a>\n"
                           "<a href=\"hotel.html\">H</a>\n"
                           "<a href=\"/d//e.html\">D</a>\n"
                           "<a href=\"/a.html\">A again</a>\n"
                           "<area shape=rect href=\"/area.html\">\n"
                           "<a href=\"/two1.html\" href=\"/two2.html\">2</a>\n"
                           "<a href=\"/missing.html\">404</a>\n"
                           "<a href=\"/moved\">R</a>\n"
                           "<a href=\"/deep/\">deep</a>\n"
                           "<a href=\"/empty.html\">E</a>\n"
                           "<a href=\"/a.html/\">A slash</a>\n"
                           "</body></html>\n"));
    server.route("/a.html", page("<title>Page A</title> red car alpha "
                                 "<a href=\"/deep/one.html\">1</a> <a href=\"/\">home</a> "
                                 "<a href=\"b.html\">b</a>"));
    server.route("/b.html", page("<title>Page B</title> blue car <a href=\"/a.html\">a</a>"));
    server.route("/c.html", page("<title>C</title> car [red] gamma"));
    server.route("/d/e.html", page("<title>E</title> red double"));
    server.route("/area.html", page("<title>Area</title> red area"));
    server.route("/two1.html", page("<title>Two1</title> red"));
    server.route("/two2.html", page("<title>Two2</title> red old"));
    server.route("/moved", HttpResponse::redirect(301, "/redirected.html"));
    server.route("/redirected.html", page("<title>Moved</title> red car moved"));
    server.route("/deep", HttpResponse::redirect(301, "/deep/"));
    server.route("/deep/", page("<title>Deep</title> red car <a href=\"one.html\">one</a> "
                                "<a href=\"/deep/one.html\">again</a>"));
    server.route("/deep/one.html",
                 page("<title>One</title> red car deep <a href=\"/deep/two.html\">two</a>"));
    server.route("/deep/two.html", page("<title>Two</title> red car deeper"));
    server.route("/empty.html", page(""));
}

std::string expectedResultPage(const std::string& searchText, const std::string& site,
                               const std::vector<Hit>& hits) {
    std::string out = "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n"
                      "<title>Trov - Crawler</title>\r\n</head><body>\r\n \r\n"
                      "<font color=\"#004B97\" size=\"6\">\r\nTrov Crawler<br>\r\n"
                      "<font color=\"#363636\" size=\"3\">\r\n<hr size=\"1\" noshade>\r\n";
    out +=
        "Search: " + searchText + "<br>\r\nSite: " + site + "<br>\r\n<hr size=\"1\" noshade>\r\n";
    if (hits.empty())
        out += "Your search - " + searchText + " - did not match any documents <br>\r\n";
    else
        out += "About " + std::to_string(hits.size()) + " result" + (hits.size() > 1 ? "s" : "") +
               "<br>\r\n";
    out += "<br>\r\n";
    for (const Hit& h : hits)
        out += "<font color=\"#004B97\" size=\"4\">\r\n"
               "<a style=\"color:#004b97; text-decoration:none\"  href=\"" +
               h.address + "\"><strong>" + h.title +
               "</strong></a><br>\r\n<font color=\"#363636\" size=\"3\">\r\n" + h.address +
               "<br>\r\n</font></p>\r\n";
    out += "</body>\r\n</html>\r\n";
    return out;
}

} // namespace trov::test
