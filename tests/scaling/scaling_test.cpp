// Every reader of bytes from outside, fed hostile shapes of 1, 2, 4 and 8 MB: the CPU time
// it takes may grow at most about 2.5 times per doubling, as a linear reader's does (a
// quadratic one grows 4 times). Times are the least of a few runs of this thread's CPU
// time, so a busy machine does not make a reader look slower than it is.

#include "compose/own_engines.h"
#include "crawler/body_decoding.h"
#include "crawler/link_list.h"
#include "crawler/link_rules.h"
#include "crawler/page_text.h"
#include "crawler/results.h"
#include "history/history_csv.h"
#include "platform/browsers.h"
#include "settings/ini.h"
#include "suggest/suggestion_text.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <malloc.h>
#include <unistd.h>

namespace trov {
namespace {

// A hostile input: a prefix, then one unit again and again up to the size, then a suffix.
struct Shape {
    const char* name;
    std::string_view prefix, unit, suffix;
    std::string make(std::size_t size) const {
        std::string s(prefix);
        s.reserve(size + suffix.size());
        while (s.size() + unit.size() <= size)
            s += unit;
        return s += suffix;
    }
};

// clang-format off
const Shape kShapes[] = {
    {"unclosed <", "", "<", ""}, {"runs of =", "<a ", "=", ">"},
    {"values without blanks", "<a ", "h=''", ">"}, {"runs of /", "<a href=http://e.com", "/", ">"},
    {"runs of {", "", "{", "}"}, {"runs of [", "", "[", "]"}, {"runs of &", "", "&", ""},
    {"unclosed quote", "<a href=\"", "x", ""}, {"runs of quotes", "<a href=", "\"", ">"},
    {"one endless line", "a=", "x", ""}, {"runs of ;", "", ";", ""}, {"runs of ,", "", ",", ""},
    {"runs of %u", "", "%u", ""}, {"runs of backslashes", "", "\\", ""},
    {"empty lines", "", "\n", ""}};
// clang-format on

using Reader = std::function<void(const std::string&)>;

// Every allocation comes from the heap and freed memory stays with the process, so a run
// does not pay the kernel's page faults again for what the run before it freed.
const bool kHeapKept = [] {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    return true;
}();

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// The least CPU time of runs of read; one run when that alone is long.
double cost(const Reader& read, const std::string& input, int runs) {
    double least = 1e9;
    for (int i = 0; i < runs; ++i) {
        const double started = cpuSeconds();
        read(input);
        least = std::min(least, cpuSeconds() - started);
        if (least > 1.0)
            break;
    }
    return least;
}

// Growth per doubling is judged over all four sizes together (the slope of a least-squares
// line through the logarithms of the times), so that the step where the input outgrows a
// cache does not count as the reader's own. A step of more than four times on its own ends
// the check at once: a larger input would only take longer.
constexpr double kMostPerDoubling = 2.5;
// A reader this fast at its largest size is linear whatever its ratios say, which at such
// times are mostly the caches': a quadratic reader takes seconds at a megabyte already.
constexpr double kFloor = 0.05;

double growthPerDoubling(const std::vector<double>& times) {
    const double n = double(times.size());
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        const double x = double(i), y = std::log2(times[i]);
        sx += x, sy += y, sxx += x * x, sxy += x * y;
    }
    return std::exp2((n * sxy - sx * sy) / (n * sxx - sx * sx));
}

// prepare, when given, is called with each input before its runs and is not timed.
void expectLinear(const char* reader, const Reader& read, const Reader& prepare = {}) {
    ASSERT_TRUE(kHeapKept);
    for (const Shape& shape : kShapes) {
        std::vector<double> times;
        for (std::size_t mb : {1, 2, 4, 8}) {
            const std::string input = shape.make(mb << 20);
            if (prepare)
                prepare(input);
            if (times.empty())
                cost(read, input, 1); // warms the heap and the caches up
            times.push_back(cost(read, input, 3));
            ASSERT_LT(times.front(), 1.0) << reader << ", " << shape.name << ": 1 MB took "
                                          << times.front() << " s"; // a linear reader: 0.05
            if (std::getenv("TROV_SCALING_PRINT"))
                std::printf("%s, %s: %zu MB %.5f s\n", reader, shape.name, mb, times.back());
            if (times.size() > 1 && times.back() > 4 * times[times.size() - 2] &&
                times.back() > kFloor)
                break;
        }
        const double growth = growthPerDoubling(times);
        EXPECT_TRUE(growth <= kMostPerDoubling || times.back() <= kFloor)
            << reader << ", " << shape.name << ": " << times.back() << " s at "
            << (1 << (times.size() - 1)) << " MB, " << times.front() << " s at 1 MB, " << growth
            << " times per doubling";
    }
}

TEST(Scaling, PageScanner) {
    expectLinear("page", [](const std::string& page) {
        std::vector<std::string> links;
        ExtractLinks(page, "A", "HREF", links);
        (void)PageTitle(page);
        (void)StripTags(RemoveEnclosed(RemoveEnclosed(page, '{', '}'), '[', ']'));
    });
}

TEST(Scaling, BodyDecoding) {
    expectLinear("body decoding", [](const std::string& body) {
        (void)decodeBody(body + "\xb1", "text/html; charset=iso-8859-2");
    });
}

TEST(Scaling, LinkRules) {
    const LinkList list;
    expectLinear("link rules", [&](const std::string& link) {
        (void)AcceptSubpageLink(link, "http://e.com", "http://e.com", list);
        (void)AcceptSiteLink(link, "http://e.com", CrawlMode::interLinks, list);
        (void)CollapseDoubleSlashes(link);
    });
}

TEST(Scaling, LinkListFile) {
    LinkList list;
    expectLinear("link list", [&](const std::string& file) { (void)loadLinkList(list, file); });
}

TEST(Scaling, HistoryCsv) {
    expectLinear("history CSV", [](const std::string& csv) { (void)parseHistoryCsv(csv); });
}

TEST(Scaling, SuggestionLine) {
    expectLinear("suggestions", [](const std::string& line) {
        std::vector<std::string> entries = parseSuggestionText(line);
        deduplicateSuggestions(entries);
    });
}

TEST(Scaling, IniAndEnginesCfg) {
    expectLinear("INI", [](const std::string& text) {
        const IniDocument doc = IniDocument::parse(text);
        for (const std::string& section : doc.sections())
            for (const std::string& key : doc.keys(section))
                (void)doc.readString(section, key, "");
        (void)parseOwnEngines(text);
    });
}

TEST(Scaling, DesktopEntries) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("trov-scaling-" + std::to_string(::getpid()));
    fs::create_directories(dir / "data/applications");
    fs::create_directories(dir / "config");
    ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (dir / "none").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (dir / "none").c_str(), 1);
    const auto write = [](const fs::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    };
    expectLinear(
        "desktop entry",
        [](const std::string& shape) {
            const platform::XdgBrowserRegistry registry;
            (void)registry.browsers();
            (void)registry.defaultBrowser();
            (void)platform::expandExec(shape, "https://e.com/?q=a");
        },
        [&](const std::string& shape) {
            write(dir / "data/applications/web.desktop",
                  "[Desktop Entry]\nType=Application\nCategories=WebBrowser;\nExec=" + shape);
            write(dir / "config/mimeapps.list",
                  "[Default Applications]\nx-scheme-handler/http=" + shape);
        });
    fs::remove_all(dir);
}

} // namespace
} // namespace trov
