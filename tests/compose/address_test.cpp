#include "compose/address.h"
#include "form_line.h"
#include "transcript.h"

#include <gtest/gtest.h>

using namespace trov;

// Input: a form; printed: who opens the address it composes, and the address.
TEST(AddressGrammar, ComposesExactly) {
    test::expectTranscript("compose/data/addresses.txt", "Addresses", [](const std::string& line) {
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
        const ComposedAddress got = composeAddress(r, !form.flags.contains("no-browser"));
        return (got.opener == Opener::ChosenBrowser ? "-> browser <" : "-> default <") +
               got.address + ">\n";
    });
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
