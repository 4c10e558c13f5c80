#include "history/fill_fields.h"
#include "history/record_maker.h"
#include "tests/support/fake_main_window.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct Clock : HistoryClock {
    std::string dateText() const override { return "05.12.2026"; }
    std::string timeText() const override { return "10:00:00"; }
};

// A main window that knows one own engine, "Code search".
struct OwnEngineWindow : test::FakeMainWindow {
    bool runOwnEngine(const std::string& name) override {
        calls.push_back("run " + name + " with " + model.text(TextField::Words));
        return name == "Code search";
    }
    bool hasOwnEnginesFile() const override { return hasFile; }
    bool hasFile = true;
};

} // namespace

TEST(OwnEngineRecord, RunsItsEngineAgainWhileItExists) {
    SearchSnapshot search;
    search.engine = SearchEngine::Google;
    search.words = "cs borrow checker";
    search.site = "x.org";
    search.period = "Past week";
    search.kind = "Images";
    search.expanded = true;
    search.ownEngine = "Code search";
    const HistoryRecord r = makeHistoryRecord(search, true, Clock());
    EXPECT_EQ(r[kColEngine], "Code search");
    EXPECT_EQ(r[kColPeriod], "- - -");
    EXPECT_EQ(r[kColType], "- - -");

    OwnEngineWindow main;
    EXPECT_EQ(FillFields(r, true, main), FillResult::RanOwnEngine);
    EXPECT_EQ(main.model.text(TextField::Site), "x.org");
    EXPECT_EQ(main.calls.back(), "run Code search with cs borrow checker");
    EXPECT_TRUE(main.called("expand")); // made expanded, it runs expanded again

    HistoryRecord gone = r;
    gone.set(kColEngine, "Old wiki");
    OwnEngineWindow other;
    EXPECT_EQ(FillFields(gone, true, other), FillResult::NoSuchOwnEngine);
    EXPECT_EQ(other.model.text(TextField::Words), "cs borrow checker");
    EXPECT_EQ(missingEngineMessage("Old wiki"),
              "The search engine \"Old wiki\" no longer exists.\r\n\r\nThe search fields were "
              "filled; nothing was run.");
    OwnEngineWindow noFile; // without engines.cfg a record fills as it always did
    noFile.hasFile = false;
    EXPECT_EQ(FillFields(gone, true, noFile), FillResult::Filled);
    EXPECT_FALSE(noFile.called("run Old wiki with cs borrow checker"));
    for (const char* builtIn : {"Google", "Links (  )", "Links ( Crawl main page subpages )", ""})
        EXPECT_FALSE(namesOwnEngine(builtIn)) << builtIn;
}
