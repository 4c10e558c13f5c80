#include "compose/address.h"
#include "form_line.h"

#include <fstream>
#include <gtest/gtest.h>

using namespace trov;

namespace {

struct Case {
    std::string form;
    SearchRequest request;
    bool haveBrowser = true;
    ComposedAddress expected;
};

// The cases of data/addresses.txt; its head tells the format.
std::vector<Case> readCases() {
    std::ifstream in(TROV_SOURCE_DIR "/tests/compose/data/addresses.txt");
    std::vector<Case> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("-> ")) {
            const std::size_t open = line.find('<');
            cases.back().expected = {line.substr(open + 1, line.rfind('>') - open - 1),
                                     line.starts_with("-> browser") ? Opener::ChosenBrowser
                                                                    : Opener::DefaultHandler};
        } else if (!line.empty() && line[0] != '#') {
            const test::FormLine form(line);
            SearchRequest r;
            r.engine = form.engine;
            r.expanded = form.flags.contains("expanded");
            r.words = form.text("words");
            r.exactPhrase = form.text("exact");
            r.excludedWords = form.text("exclude");
            r.site = form.text("site");
            r.kindIndex = form.kind();
            r.periodIndex = form.period();
            cb1Change(r.fragments, form.list(kInterfaceLanguages, "interface"));
            cb3Change(r.fragments, form.list(kCountries, "country"));
            cb2Change(r.fragments, form.list(kResultLanguages, "language"));
            cb5Change(r.fragments, form.list(kFileTypes, "filetype"));
            cases.push_back({line, r, !form.flags.contains("no-browser"), {}});
        }
    }
    return cases;
}

} // namespace

TEST(AddressGrammar, ComposesExactly) {
    const std::vector<Case> cases = readCases();
    ASSERT_FALSE(cases.empty());
    for (const Case& c : cases) {
        const ComposedAddress got = composeAddress(c.request, c.haveBrowser);
        EXPECT_EQ(got.address, c.expected.address) << c.form;
        EXPECT_EQ(got.opener, c.expected.opener) << c.form;
    }
}

TEST(AddressHosts, ComeFromTheTable) {
    EngineHosts hosts;
    hosts.google = "http://127.0.0.1:1";
    hosts.wikipedia = "wiki.test";
    SearchRequest r;
    r.words = "a";
    EXPECT_EQ(composeAddress(r, false, hosts).address, "http://127.0.0.1:1/search?q=a");
    r.engine = SearchEngine::Wikipedia;
    EXPECT_EQ(composeAddress(r, false, hosts).address, "https://wiki.test/w/index.php?search=a");
}
