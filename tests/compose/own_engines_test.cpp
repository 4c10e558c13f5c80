#include "common/atomic_file.h"
#include "common/text.h"
#include "compose/own_engines.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct AddressCase {
    std::string_view address;
    TemplateFields fields;
    std::string_view expected;
};

TemplateFields words(std::string w) {
    TemplateFields f;
    f.words = std::move(w);
    return f;
}

} // namespace

TEST(OwnEngineAddress, PlaceholdersAndEncoding) {
    TemplateFields all;
    all.words = "a b";
    all.exact = "big one";
    all.exclude = "old";
    all.site = "x.org";
    all.fileType = "pdf";
    all.country = "DE";
    all.language = "zh-CN";
    all.interfaceLanguage = "pt-BR";
    TemplateFields absent = all;
    absent.exact = absent.site = absent.country = "- - -";
    const AddressCase cases[] = {
        {"https://e/?w={words}&e={exact}&x={exclude}&s={site}", all,
         "https://e/?w=a+b&e=big+one&x=old&s=x.org"},
        {"https://e/?f={filetype}&c={country}&l={language}&i={interface}", all,
         "https://e/?f=pdf&c=DE&l=zh-CN&i=pt-BR"},
        {"https://e/?q={query}", all,
         "https://e/?q=a+b+%22big+one%22+-old+site%3Ax.org+filetype%3Apdf"},
        {"https://e/?e={exact}&s={site}&c={country}&q={query}", absent,
         "https://e/?e=&s=&c=&q=a+b+-old+filetype%3Apdf"},
        {"https://e/{words}/{words}", {}, "https://e//"},
        {"https://e/?q={words}", words("Grüße ß"), "https://e/?q=Gr%C3%BC%C3%9Fe+%C3%9F"},
        {"https://e/?q={words}", words("a&b=c#d%e+f/g?h:i\"j"),
         "https://e/?q=a%26b%3Dc%23d%25e%2Bf%2Fg%3Fh%3Ai%22j"},
        {"https://e/?q={words}", words("AZaz09-_.~"), "https://e/?q=AZaz09-_.~"},
        {"https://e/{raw}?q={words}", words("a b/é"), "https://e/a b/é?q=a+b%2F%C3%A9"},
        {"https://e/{ {words}} {}", words("x"), "https://e/{ x} {}"},
    };
    for (const AddressCase& c : cases)
        EXPECT_EQ(expandAddress(c.address, c.fields), c.expected) << c.address;
}

TEST(OwnEngineAddress, QueryWithEveryCombinationOfParts) {
    // Each part only when its field has a value, one blank between parts, none in front.
    const std::array<std::string, 5> parts = {"w 1", "\"e 2\"", "-x", "site:s.org", "filetype:pdf"};
    for (unsigned mask = 0; mask < 32; ++mask) {
        TemplateFields f;
        const auto pick = [mask](unsigned bit, std::string v) {
            return (mask & (1u << bit)) ? v : std::string();
        };
        f.words = pick(0, "w 1");
        f.exact = pick(1, "e 2");
        f.exclude = pick(2, "x");
        f.site = pick(3, "s.org");
        f.fileType = pick(4, "pdf");
        std::string expected;
        for (unsigned bit = 0; bit < parts.size(); ++bit)
            if (mask & (1u << bit))
                expected += (expected.empty() ? "" : " ") + parts[bit];
        EXPECT_EQ(queryText(f), expected) << mask;
    }
}

TEST(OwnEngineFile, InvalidSectionsAreSkippedWithTheirReason) {
    const OwnEngines e =
        parseOwnEngines("; a comment\r\n"
                        "[Code search]\r\nKey=cs\r\nAddress=https://c/?q={query}\r\n"
                        "[Plain]\r\nAddress=HTTP://p/{words}\r\n"
                        "[No address]\r\nKey=na\r\n"
                        "[Ftp]\r\nAddress=ftp://f/{words}\r\n"
                        "[Typo]\r\nAddress=https://t/{word}\r\n"
                        "[Open]\r\nAddress=https://t/{words\r\n"
                        "[Taken]\r\nKey=CS\r\nAddress=https://t/\r\n"
                        "[Blank key]\r\nKey=c s\r\nAddress=https://t/\r\n"
                        "[Dot key]\r\nKey=c.s\r\nAddress=https://t/\r\n"
                        "[Last]\r\nKey=l-_9\r\nAddress=https://l/\r\n");
    ASSERT_EQ(e.engines.size(), 3u);
    EXPECT_EQ(e.engines[0].name, "Code search");
    EXPECT_EQ(e.engines[1].key, "");
    EXPECT_EQ(e.engines[2].name, "Last");
    const std::pair<std::string, std::string> invalid[] = {
        {"No address", "no Address"},
        {"Ftp", "Address is not an http or https address"},
        {"Typo", "Address holds a \"{\" that starts no placeholder: \"{word}\""},
        {"Open", "Address holds a \"{\" that starts no placeholder: \"{words\""},
        {"Taken", "Key \"CS\" is taken by [Code search]"},
        {"Blank key", "Key \"c s\" holds characters other than letters, digits, \"-\" and \"_\""},
        {"Dot key", "Key \"c.s\" holds characters other than letters, digits, \"-\" and \"_\""},
    };
    ASSERT_EQ(e.invalid.size(), std::size(invalid));
    for (std::size_t i = 0; i < e.invalid.size(); ++i)
        EXPECT_EQ(invalidEngineLine(e.invalid[i]),
                  "[" + invalid[i].first + "]: " + invalid[i].second);
    EXPECT_TRUE(readOwnEngines("/nonexistent/engines.cfg").engines.empty());
}

TEST(OwnEngineFile, TheNoteOnSkippedSectionsStaysShort) {
    std::vector<InvalidEngine> invalid(12, {"s", "no Address"});
    invalid[0].section = std::string(300, 'x');
    const std::string note = skippedEnginesMessage(invalid);
    EXPECT_EQ(note.rfind("These sections of engines.cfg were skipped:\r\n\r\n[" +
                             std::string(199, 'x') + "...\r\n[s]: no Address\r\n",
                         0),
              0u);
    EXPECT_EQ(note.substr(note.size() - 31), "[s]: no Address\r\n... and 2 more");
}

TEST(OwnEngineKeyword, LeadingKeyFollowedByMoreWords) {
    const OwnEngines e = parseOwnEngines("[Code]\nKey=cs\nAddress=https://c/\n"
                                         "[Wiki]\nKey=wp\nAddress=https://w/\n");
    const std::tuple<std::string_view, const char*, std::string_view> cases[] = {
        {"cs borrow checker", "Code", "borrow checker"},
        {"CS   borrow", "Code", "borrow"},
        {"wp x", "Wiki", "x"},
        {"cs", nullptr, ""},
        {"cs   ", nullptr, ""},
        {" cs x", nullptr, ""},
        {"csx y", nullptr, ""},
        {"go cs x", nullptr, ""},
    };
    for (const auto& [typed, engine, rest] : cases) {
        const auto match = matchKeyword(e, typed);
        ASSERT_EQ(match.has_value(), engine != nullptr) << typed;
        if (match) {
            EXPECT_EQ(match->engine->name, engine);
            EXPECT_EQ(match->rest, rest);
        }
    }
    EXPECT_EQ(ownEngineWords(e.engines[0], "cs a"), "a");
    EXPECT_EQ(ownEngineWords(e.engines[0], "wp a"), "wp a");
}

TEST(OwnEngineFile, ShippedExampleIsAllCommentedOutAndValidWhenUncommented) {
    const std::string example =
        readWholeFile(TROV_SOURCE_DIR "/data/share/engines.cfg.example").value_or("");
    EXPECT_TRUE(parseOwnEngines(example).engines.empty());
    std::string uncommented;
    for (const std::string& line : text::split(example, '\n'))
        uncommented +=
            (line.starts_with(";[") || line.starts_with(";Key=") || line.starts_with(";Address=")
                 ? line.substr(1)
                 : line) +
            "\n";
    const OwnEngines engines = parseOwnEngines(uncommented);
    EXPECT_GE(engines.engines.size(), 3u);
    EXPECT_TRUE(engines.invalid.empty());
}
