#include "compose/address.h"
#include "compose/code_tables.h"
#include "compose/engines.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace trov;

namespace {

// The entry given by its text, else the text read as an index (one outside the list).
template <typename List, typename Text = std::identity>
int indexOf(const List& list, const std::string& given, Text text = {}) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (std::invoke(text, list[i]) == given)
            return static_cast<int>(i);
    return std::stoi(given);
}

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
            cases.back().expected = {
                line.substr(line.find('<') + 1, line.rfind('>') - line.find('<') - 1),
                line.starts_with("-> browser") ? Opener::ChosenBrowser : Opener::DefaultHandler};
            continue;
        }
        if (line.empty() || line[0] == '#')
            continue;
        Case& c = cases.emplace_back();
        c.form = line;
        std::map<std::string, std::string> f = {{"kind", "0"},          {"period", "0"},
                                                {"interface", "- - -"}, {"country", "- - -"},
                                                {"language", "- - -"},  {"filetype", "- - -"}};
        for (std::size_t open = line.find('<'); open != std::string::npos;
             open = line.find('<', open + 1)) {
            const std::size_t start = line.rfind(' ', open) + 1;
            f[line.substr(start, open - start)] =
                line.substr(open + 1, line.find('>', open) - open - 1);
        }
        SearchRequest& r = c.request;
        for (const EngineInfo& e : kEngines)
            if (line.starts_with(std::string(e.cliName) + " "))
                r.engine = e.engine;
        r.expanded = line.find(" expanded") != std::string::npos;
        c.haveBrowser = line.find(" no-browser") == std::string::npos;
        r.words = f["words"];
        r.exactPhrase = f["exact"];
        r.excludedWords = f["exclude"];
        r.site = f["site"];
        r.kindIndex = indexOf(engineInfo(r.engine).kinds, f["kind"]);
        r.periodIndex = indexOf(kPeriods, f["period"]);
        cb1Change(r.fragments, indexOf(kInterfaceLanguages, f["interface"], &CodeEntry::label));
        cb3Change(r.fragments, indexOf(kCountries, f["country"], &CodeEntry::label));
        cb2Change(r.fragments, indexOf(kResultLanguages, f["language"], &CodeEntry::label));
        cb5Change(r.fragments, indexOf(kFileTypes, f["filetype"], &CodeEntry::label));
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
