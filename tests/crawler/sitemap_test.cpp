// SPDX-License-Identifier: GPL-3.0-or-later
// The sitemap reader on what sites publish and on what no site should, and the collection
// of a site's sitemap addresses from its robots.txt lines or /sitemap.xml.

#include "crawler/sitemap_addresses.h"
#include "tests/support/gzip.h"

#include <gtest/gtest.h>
#include <map>

namespace trov {
namespace {

using Strings = std::vector<std::string>;
using test::gzip;

std::string urlset(const Strings& locations, const std::string& extra = "") {
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
    for (const std::string& l : locations)
        xml += "<url><loc>" + l + "</loc><lastmod>2024-01-01</lastmod></url>\n";
    return xml + extra + "</urlset>\n";
}

std::string index(const Strings& sitemaps) {
    std::string xml = "<sm:sitemapindex xmlns:sm=\"http://www.sitemaps.org/schemas/sitemap/0.9\">";
    for (const std::string& s : sitemaps)
        xml += "<sm:sitemap><sm:loc>" + s + "</sm:loc></sm:sitemap>";
    return xml + "</sm:sitemapindex>";
}

TEST(Sitemap, ReadsWhatSitesPublishAndStopsOnTheRest) {
    const std::string plain = urlset({" https://s.example/a \n", "https://s.example/b?x=1&amp;y=2"},
                                     "<url><lastmod>2024</lastmod></url><loc>https://s.example/"
                                     "outside</loc><url><loc>x<b>y</b></loc></url>");
    const std::string bomb = gzip(urlset({"https://s.example/a"}) + std::string(8 << 20, ' '));
    SitemapLimits small;
    small.maxBytes = 1 << 20;
    small.maxLocations = 2;
    small.maxLocationLength = 30;
    // clang-format off
    const std::tuple<std::string, bool, Strings, bool> rows[] = { // bytes, index, locations, whole
        {plain, false, {"https://s.example/a", "https://s.example/b?x=1&y=2", "x"}, true},
        {index({"https://s.example/1.xml.gz", "https://s.example/2.xml"}), true,
         {"https://s.example/1.xml.gz", "https://s.example/2.xml"}, true},
        {gzip(plain), false, {"https://s.example/a", "https://s.example/b?x=1&y=2", "x"}, true},
        {gzip(urlset({"https://s.example/1"})) + gzip("") + "trailing", false, {"https://s.example/1"}, true},
        {gzip(plain).substr(0, 60), false, {}, false},
        {"<urlset><url><loc>https://s.example/a</loc></url><url><loc>https://s.example/b", false,
         {"https://s.example/a"}, false},
        {"<html><a href=\"https://s.example/\">x</a></html>", false, {}, false},
        {"", false, {}, false},
        {"<!DOCTYPE urlset [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;\">]>"
         "<urlset><url><loc>&b;</loc></url></urlset>", false, {}, false},
        {bomb, false, {"https://s.example/a"}, false},
        {urlset({"https://s.example/1", "https://s.example/" + std::string(40, 'x'),
                 "https://s.example/2", "https://s.example/3"}), false,
         {"https://s.example/1", "https://s.example/2"}, false},
    };
    // clang-format on
    for (const auto& [bytes, isIndex, locations, whole] : rows) {
        const Sitemap sitemap =
            readSitemap(bytes, bytes == bomb || !whole ? small : SitemapLimits{});
        EXPECT_EQ(sitemap.index, isIndex) << bytes.substr(0, 60);
        EXPECT_EQ(sitemap.locations, locations) << bytes.substr(0, 60);
        EXPECT_EQ(sitemap.whole, whole) << bytes.substr(0, 60);
    }
}

TEST(Sitemap, CollectsTheSitesAddressesOneIndexDown) {
    std::map<std::string, std::string> files = {
        {"https://s.example/sitemap.xml", urlset({"https://s.example/home"})},
        {"https://s.example/index.xml",
         index({"https://s.example/a.xml.gz", "https://s.example/deeper.xml", "mailto:x@y",
                "https://s.example/missing.xml", "https://s.example/b.xml"})},
        {"https://s.example/a.xml.gz",
         gzip(urlset({"https://s.example/a1", "https://s.example/a2"}))},
        {"https://s.example/deeper.xml", index({"https://s.example/sitemap.xml"})},
        {"https://s.example/b.xml", urlset({"https://s.example/b1"})},
        {"https://s.example/c.xml", urlset({"https://s.example/c1"})}};
    Strings asked;
    const SitemapFetch fetch = [&](const std::string& address) -> std::optional<std::string> {
        asked.push_back(address);
        const auto it = files.find(address);
        return it == files.end() ? std::nullopt : std::optional(it->second);
    };
    const std::string site = "https://S.example/start/page.html";
    EXPECT_EQ(collectSitemapAddresses(site, {}, fetch), Strings{"https://s.example/home"});
    EXPECT_EQ(collectSitemapAddresses(
                  site, {"https://s.example/index.xml", "https://s.example/c.xml"}, fetch),
              (Strings{"https://s.example/a1", "https://s.example/a2", "https://s.example/b1",
                       "https://s.example/c1"}));
    EXPECT_EQ(asked.size(), 7u); // mailto: is never asked for; deeper.xml's entries neither
    EXPECT_EQ(collectSitemapAddresses(site, {"https://s.example/index.xml"}, fetch, 1),
              Strings{"https://s.example/a1"});

    // However many sitemaps an index lists, a fixed number of files is read.
    Strings many;
    for (int i = 0; i < 200; ++i)
        many.push_back("https://s.example/c.xml");
    files["https://s.example/many.xml"] = index(many);
    asked.clear();
    EXPECT_EQ(collectSitemapAddresses(site, {"https://s.example/many.xml"}, fetch).size(),
              kSitemapFilesRead - 1);
    EXPECT_EQ(asked.size(), kSitemapFilesRead);
}

} // namespace
} // namespace trov
