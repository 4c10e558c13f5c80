// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/engine_add.h"
#include "compose/search_link.h"
#include "transcript.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

const std::string kFile = "compose/data/opensearch.txt";

std::string engineLine(const std::variant<DescribedEngine, std::string>& described) {
    if (const auto* why = std::get_if<std::string>(&described))
        return "refused: " + *why + "\n";
    const DescribedEngine& e = std::get<DescribedEngine>(described);
    return "engine [" + e.name + "] <" + e.address + "> <" + e.suggest + ">\n";
}

} // namespace

// Input: a description document; printed: the engine it gives, or why it gives none.
TEST(OpenSearch, DescriptionToEngine) {
    test::expectTranscript(kFile, "Description", [](const std::string& xml) {
        std::string why;
        const std::optional<OpenSearchDescription> d = readOpenSearchDescription(xml, &why);
        return d ? engineLine(describedEngine(*d)) : "no description: " + why + "\n";
    });
}

// Input: a text/html Url's template; printed: Trov's template, or why there is none.
TEST(OpenSearch, Templates) {
    test::expectTranscript(kFile, "Templates", [](const std::string& pattern) {
        OpenSearchUrl url{"text/html", "", "", pattern, "", "", {}};
        if (pattern.starts_with("offsets "))
            url = {"text/html", "", "", pattern.substr(8), "0", "x", {}};
        std::string why;
        const std::optional<std::string> converted = trovTemplate(url, "text/html", why);
        return (converted ? "<" + *converted + ">" : "refused: " + why) + "\n";
    });
}

// Input: a web page; printed: the address of the description it links.
TEST(OpenSearch, SearchLinkOfAPage) {
    test::expectTranscript(kFile, "SearchLink", [](const std::string& page) {
        const std::optional<std::string> link = findSearchLink(page);
        const std::optional<std::string> resolved =
            link ? resolveAddress("https://a.org/dir/page.html", *link) : std::nullopt;
        return link ? "<" + *link + "> <" + resolved.value_or("unresolvable") + ">\n"
                    : std::string("none\n");
    });
    // One pass: half a megabyte of open tags, values and comments is read once.
    for (const std::string open : {"<link ", "<link a=\"", "<!--", "<"})
        EXPECT_FALSE(findSearchLink(std::string(1 << 18, ' ').replace(0, 0, open) +
                                    std::string(1 << 18, open.back())));
}

// Input: engines.cfg, then " + " and the name of the engine appended; printed: the file
// after it.
TEST(OpenSearch, SectionAppendedEveryByteKept) {
    test::expectTranscript(kFile, "Append", [](const std::string& input) {
        const std::size_t plus = input.rfind(" + ");
        const std::string file = input.substr(0, plus);
        const std::string name = uniqueSectionName(file, input.substr(plus + 3));
        const DescribedEngine engine{"", "https://e/?q={query}", name == "S" ? "https://e/s" : ""};
        return "file " +
               test::escaped(appendEngineSection(file, name, name == "K" ? "k" : "", engine)) +
               "\n";
    });
}
