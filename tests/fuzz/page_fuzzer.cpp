// SPDX-License-Identifier: GPL-3.0-or-later
// Any fetched page (first line: its Content-Type, the rest: its body): decoding gives
// UTF-8, and the link scanner, the address rules and the text transforms never fault.

#include "common/text.h"
#include "crawler/body_decoding.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"
#include "crawler/page_text.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace trov;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t lf = input.find('\n');
    const std::string_view contentType = input.substr(0, lf);
    const std::string_view bytes = lf == std::string_view::npos ? "" : input.substr(lf + 1);

    const std::string page = decodeBody(bytes, contentType);
    if (!text::isValidUtf8(page))
        std::abort();
    (void)declaredCharset(bytes, contentType);

    std::vector<std::string> links;
    if (ExtractLinks(page, "A", "HREF", links) != static_cast<int>(links.size()))
        std::abort();
    static const LinkList list; // never written, so its table is never made
    const std::string start = StartAddressOf("www.example.com/docs/");
    const std::string base = SiteBaseOf(start);
    for (const std::string& link : links) {
        (void)AcceptSubpageLink(link, start, base, list);
        for (const CrawlMode mode : kCrawlModes)
            (void)AcceptSiteLink(link, start, mode, list);
        (void)CollapseDoubleSlashes(DropTrailingSlash(link));
    }

    const std::string kept = RemoveEnclosed(RemoveEnclosed(page, '{', '}'), '[', ']');
    if (kept.size() > page.size() || PageTitle(page).size() > page.size())
        std::abort();
    (void)StripTags(kept);
    return 0;
}
