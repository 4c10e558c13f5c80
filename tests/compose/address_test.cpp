#include "compose/address.h"
#include "compose/code_tables.h"

#include <gtest/gtest.h>

// Cases name only the fields they set.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

using namespace trov;

namespace {

template <std::size_t N> int indexOf(const std::array<CodeEntry, N>& list, std::string_view label) {
    for (std::size_t i = 0; i < N; ++i)
        if (list[i].label == label)
            return static_cast<int>(i);
    ADD_FAILURE() << "no entry " << label;
    return 0;
}

struct Req {
    SearchEngine engine = SearchEngine::Google;
    bool expanded = true;
    std::string words, exact, exclude, site;
    int kind = 0, period = 0;
    std::string_view interface = "- - -", country = "- - -", language = "- - -", fileType = "- - -";

    SearchRequest build() const {
        SearchRequest r;
        r.engine = engine;
        r.expanded = expanded;
        r.words = words;
        r.exactPhrase = exact;
        r.excludedWords = exclude;
        r.site = site;
        r.kindIndex = kind;
        r.periodIndex = period;
        cb1Change(r.fragments, indexOf(kInterfaceLanguages, interface));
        cb3Change(r.fragments, indexOf(kCountries, country));
        cb2Change(r.fragments, indexOf(kResultLanguages, language));
        cb5Change(r.fragments, indexOf(kFileTypes, fileType));
        return r;
    }
};

struct Case {
    const char* name;
    Req req;
    bool haveBrowser;
    std::string address;
    Opener opener;
};

constexpr auto B = Opener::ChosenBrowser;
constexpr auto D = Opener::DefaultHandler;
constexpr auto G = SearchEngine::Google;
constexpr auto Bi = SearchEngine::Bing;
constexpr auto Dd = SearchEngine::DuckDuckGo;
constexpr auto Sw = SearchEngine::Swisscows;
constexpr auto Wa = SearchEngine::WolframAlpha;
constexpr auto Wi = SearchEngine::Wikipedia;
constexpr auto Ud = SearchEngine::UrbanDictionary;
constexpr auto As = SearchEngine::Ask;

const std::string g = "https://www.google.com/search?q=";
const std::string bing = "https://www.bing.com/";
const std::string ddg = "https://duckduckgo.com/";
const std::string sw = "https://swisscows.com/en/";

// clang-format off
const Case kCases[] = {
    // Google, expanded
    {"GoogleWordsExactSite", {G, true, "red car", "big engine", "", "example.com"}, true,
     g + "red+car+%22big+engine%22+site:example.com ", B},
    {"GoogleExcludeOneWord", {G, true, "a", "", "old"}, true, g + "a+-\"old\"", B},
    {"GoogleExactWithCommas", {G, true, "", "a b,c"}, true, g + "%22a+b%22+%22c%22", B},
    {"GoogleExactCommasKeepEmptyPieces", {G, true, "w", ",x,"}, true,
     g + "w+%22%22+%22x%22+%22%22", B},
    {"GoogleExcludeWithCommasUntrimmed", {G, true, "a", "", "x, y"}, true, g + "a -x - y", B},
    {"GoogleExcludeTrailingComma", {G, true, "a", "", "x,"}, true, g + "a -x -", B},
    {"GoogleFileTypeAndLists",
     {G, true, "q", "", "", "", 0, 3, "German", "Germany", "German", "Adobe PDF (.pdf)"}, true,
     g + "q&as_filetype=pdf&&hl=de&cr=countryDE&lr=lang_de&tbs=qdr:w", B},
    {"GooglePeriodHourKindImages", {G, true, "q", "", "", "", 1, 1}, true,
     g + "q&tbs=qdr:h&tbm=isch", B},
    {"GooglePeriodYearKindBooks", {G, true, "q", "", "", "", 5, 5}, true,
     g + "q&tbs=qdr:y&tbm=bks", B},
    {"GoogleKindVideosNews", {G, true, "q", "", "", "", 2, 2}, true, g + "q&tbs=qdr:d&tbm=vid", B},
    {"GoogleKindNewsMonth", {G, true, "q", "", "", "", 3, 4}, true, g + "q&tbs=qdr:m&tbm=nws", B},
    {"GoogleTrailingPlusDroppedTwice", {G, true, "a  "}, true, g + "a", B},
    {"GoogleOnlyTwoTrailingPlusDropped", {G, true, "a   "}, true, g + "a+", B},
    {"GoogleExactOnlyNoLeadingPlus", {G, true, "", "x"}, true, g + "%22x%22", B},
    {"GoogleNegativeKindCountsAsAll", {G, true, "q", "", "", "", -1}, true, g + "q", B},
    {"GoogleEmptyBrowserStillChosenRule", {G, true, "q"}, false, g + "q", B},
    // Google, collapsed
    {"GoogleCollapsedRawWordsImages", {G, false, "red car", "", "", "", 1}, true,
     g + "red car&tbm=isch", D},
    {"GoogleCollapsedIgnoresAdvanced", {G, false, "q", "x", "y", "s.com", 0, 3, "German"}, true,
     g + "q", D},
    // Google translation
    {"GoogleTranslateCollapsed", {G, false, "guten tag", "", "", "", 4}, true,
     "https://translate.google.com/?q=guten tag", D},
    {"GoogleTranslateExpandedQuoted", {G, true, "guten tag", "x", "", "", 4}, true,
     "https://translate.google.com/?q=\"guten tag\"", B},
    // Bing
    {"BingWordsExactCountryLanguage", {Bi, true, "a b", "c", "", "", 0, 0, "- - -", "Germany", "German"}, true,
     bing + "search?&q=%22c%22+a+b+loc%3ADE++language%3Ade", B},
    {"BingAllFragmentsBrowser",
     {Bi, true, "w", "", "x y", "s.org", 1, 0, "German", "- - -", "- - -", "Text (.txt)"}, true,
     bing + "images/search?&q=w+filetype%3Atxt+NOT+%5Bx y%5D+site:s.org ", B},
    {"BingDefaultHandlerRepeatsFileType",
     {Bi, true, "w", "", "", "", 2, 0, "- - -", "- - -", "- - -", "Text (.txt)"}, false,
     bing + "videos/search?&q=w+filetype%3Atxt+filetype%3Atxt", B},
    {"BingNews", {Bi, true, "w", "", "", "", 3}, true, bing + "news/search?&q=w", B},
    {"BingCollapsed", {Bi, false, "a b"}, true, bing + "search?&q=a+b", D},
    {"BingCollapsedPlusFromHiddenExact", {Bi, false, "a", "c"}, true, bing + "search?&q=+a", D},
    {"BingTranslateCollapsedRaw", {Bi, false, "a b", "", "", "", 4}, true,
     bing + "translator?text=a b", D},
    {"BingTranslateExpandedPlus", {Bi, true, "a b", "", "", "", 4}, true,
     bing + "translator?text=a+b", B},
    {"BingChineseTraditional",
     {Bi, true, "w", "", "", "", 0, 0, "- - -", "United Kingdom", "Chinese (Traditional)"}, true,
     bing + "search?&q=w+loc%3AUK++language%3ATW", B},
    // DuckDuckGo
    {"DuckDuckGoWordsOnly", {Dd, true, "a"}, true, ddg + "?q=a+&iax=web", B},
    {"DuckDuckGoEverything",
     {Dd, true, "a b", "c d", "zz", "s.com", 1, 3, "German", "Germany", "German",
      "HTML (.html)"}, true,
     ddg + "?q=a+b+%22c+d%22+site:s.com+filetype:html&&df=w&iax=images&ia=images", B},
    {"DuckDuckGoExactCommaNotSplit", {Dd, true, "", "a,b"}, true, ddg + "?q=+%22a,b%22&iax=web", B},
    {"DuckDuckGoPastHourNothing", {Dd, true, "a", "", "", "", 3, 1}, true,
     ddg + "?q=a+&iax=maps&iaxm=maps", B},
    {"DuckDuckGoPastDay", {Dd, true, "a", "", "", "", 2, 2}, true,
     ddg + "?q=a+&df=d&iax=videos&ia=videos", B},
    {"DuckDuckGoPastMonth", {Dd, true, "a", "", "", "", 0, 4}, true, ddg + "?q=a+&df=m&iax=web", B},
    {"DuckDuckGoPastYearNothing", {Dd, true, "a", "", "", "", 0, 5}, true, ddg + "?q=a+&iax=web", B},
    {"DuckDuckGoCollapsed", {Dd, false, "a b", "", "", "", 1}, true,
     ddg + "?q=a b&iax=images&ia=images", D},
    {"DuckDuckGoCollapsedEmptyWordsFrontPage", {Dd, false, "", "exact"}, true, ddg, D},
    // Wikipedia
    {"WikipediaNoLanguage", {Wi, true, "a b"}, true,
     "https://wikipedia.org/w/index.php?search=a+b", B},
    {"WikipediaChineseSimplified", {Wi, false, "a", "", "", "", 0, 0, "- - -", "- - -",
      "Chinese (Simplified)"}, true, "https://CN.wikipedia.org/w/index.php?search=a", D},
    {"WikipediaGerman", {Wi, true, "a", "", "", "", 0, 0, "- - -", "- - -", "German"}, true,
     "https://de.wikipedia.org/w/index.php?search=a", B},
    // Urban Dictionary
    {"UrbanExpanded", {Ud, true, "a b"}, true, "https://urbandictionary.com/a+b", B},
    {"UrbanCollapsedLanguage", {Ud, false, "a", "", "", "", 0, 0, "- - -", "- - -", "French"},
     true, "https://fr.urbandictionary.com/a", D},
    // Wolfram Alpha
    {"WolframMathBracketsAndBlank", {Wa, true, "(x+1) y", "", "", "", 1}, true,
     "https://wolframalpha.com/input?i=%28x%2B1%29%2By", B},
    {"WolframNatural", {Wa, false, "(x+1) y"}, true,
     "https://wolframalpha.com/input?i=(x%2B1)+y", B},
    {"WolframLanguagePrefix", {Wa, true, "pi", "", "", "", 0, 0, "- - -", "- - -", "Greek"}, true,
     "https://el.wolframalpha.com/input?i=pi", B},
    {"WolframMathPercent", {Wa, true, "10% of 5", "", "", "", 1}, true,
     "https://wolframalpha.com/input?i=10%25%2Bof%2B5", B},
    // Ask
    {"AskCollapsed", {As, false, "a b"}, true, "https://ask.com/web?q=a+b", B},
    {"AskLanguage", {As, true, "a", "", "", "", 0, 0, "- - -", "- - -", "Japanese"}, true,
     "https://ja.ask.com/web?q=a", B},
    // Swisscows
    {"SwisscowsWordsExactPeriod", {Sw, true, "a b", "c,d", "x", "s.com", 3, 1}, true,
     sw + "news?query=a+b+%22c%22+%22d%22&freshness=Day", B},
    {"SwisscowsMusicYear", {Sw, false, "a", "", "", "", 4, 5}, true,
     sw + "music?query=a&freshness=Year", B},
    {"SwisscowsKinds", {Sw, true, "", "e", "", "", 2, 3}, true,
     sw + "video?query=%22e%22&freshness=Week", B},
    {"SwisscowsImagesMonth", {Sw, true, "a", "", "", "", 1, 4}, true,
     sw + "images?query=a&freshness=Month", B},
    {"SwisscowsPastDay", {Sw, true, "a", "", "", "", 0, 2}, true, sw + "web?query=a&freshness=Day", B},
    // Typed characters that would change the query
    {"MendCpp", {G, true, "C++"}, true, g + "C%2B%2B", B},
    {"MendCSharpCollapsed", {G, false, "C#"}, true, g + "C%23", D},
    {"MendAtAndT", {Bi, true, "AT&T"}, true, bing + "search?&q=AT%26T", B},
    {"MendPercentFirst", {Dd, true, "100%"}, true, ddg + "?q=100%25+&iax=web", B},
    {"MendEncodedLookingText", {G, true, "%2B"}, true, g + "%252B", B},
    {"MendAllFourFields", {G, true, "a&b", "c#d", "e+f", "g%h"}, true,
     g + "a%26b+%22c%23d%22+-\"e%2Bf\"+site:g%25h ", B},
    {"MendGoogleTranslate", {G, true, "R&D", "", "", "", 4}, true,
     "https://translate.google.com/?q=\"R%26D\"", B},
    {"MendWolframMathPlus", {Wa, true, "1+1", "", "", "", 1}, true,
     "https://wolframalpha.com/input?i=1%2B1", B},
    {"MendSwisscows", {Sw, true, "C# & C++"}, true, sw + "web?query=C%23+%26+C%2B%2B", B},
    {"MendKeepsOtherCharacters", {Wi, true, "\"q\" ?=/ é"}, true,
     "https://wikipedia.org/w/index.php?search=\"q\"+?=/+é", B},
};
// clang-format on

class AddressGrammar : public ::testing::TestWithParam<Case> {};

TEST_P(AddressGrammar, ComposesExactly) {
    const Case& c = GetParam();
    const ComposedAddress got = composeAddress(c.req.build(), c.haveBrowser);
    EXPECT_EQ(got.address, c.address);
    EXPECT_EQ(got.opener, c.opener);
}

INSTANTIATE_TEST_SUITE_P(AllEngines, AddressGrammar, ::testing::ValuesIn(kCases),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace

TEST(AddressMend, ReplacesInOrder) {
    EXPECT_EQ(mendTypedText("C++"), "C%2B%2B");
    EXPECT_EQ(mendTypedText("C#"), "C%23");
    EXPECT_EQ(mendTypedText("AT&T"), "AT%26T");
    EXPECT_EQ(mendTypedText("100%"), "100%25");
    // "%" goes first, so the replacements themselves are never encoded twice.
    EXPECT_EQ(mendTypedText("%&#+"), "%25%26%23%2B");
    EXPECT_EQ(mendTypedText("a b \"c\""), "a b \"c\"");
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

TEST(AddressGrammarEdges, KindOutsideTheListCountsAsFirst) {
    SearchRequest r;
    r.engine = SearchEngine::DuckDuckGo;
    r.expanded = true;
    r.words = "a";
    r.kindIndex = 9;
    r.periodIndex = 17;
    EXPECT_EQ(composeAddress(r, true).address, ddg + "?q=a+&iax=web");
}
