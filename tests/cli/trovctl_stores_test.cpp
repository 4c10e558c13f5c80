#include "history/history_csv.h"
#include "history/history_store.h"
#include "history/list_view_stream.h"
#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;
using test::runProcess;

namespace {

struct Trovctl : ::testing::Test {
    test::TempDir data;
    test::ProcessResult trovctl(std::vector<std::string> args) const {
        args.insert(args.begin(), {TROVCTL_PATH, "--data-dir", data.path()});
        return runProcess(args, {{{"XDG_DATA_HOME", data.path()}}, 30000});
    }
};
using TrovctlHistory = Trovctl;
using TrovctlSuggest = Trovctl;

HistoryList twoRows() {
    HistoryList list;
    HistoryRecord r;
    for (std::size_t i = 0; i < 14; ++i)
        r.set(i, "c" + std::to_string(i));
    r.set(2, "a, \"b\"");
    list.rows = {r, r};
    list.rows[1].set(0, "older");
    list.columns[3].width = 333;
    return list;
}

} // namespace

TEST_F(TrovctlHistory, ListPrintsTheCsvExportBytes) {
    const HistoryList list = twoRows();
    data.write("HistGrid.cld", writeListViewStream(list));
    const auto r = trovctl({"history", "list"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, historyCsv(list.rows));
    EXPECT_NE(r.out.find("\r\n"), std::string::npos);

    const std::string gmh = data.write("saved.gmh", writeListViewStream(list));
    EXPECT_EQ(trovctl({"history", "list", "--store", gmh}).out, historyCsv(list.rows));
}

TEST_F(TrovctlHistory, EmptyOrMissingStores) {
    auto r = trovctl({"history", "list"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "");

    r = trovctl({"history", "list", "--store", data.file("none.gmh")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(data.file("none.gmh")), std::string::npos);

    data.write("HistGrid.cld", "TPF0 broken");
    r = trovctl({"history", "list"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
    EXPECT_NE(r.err.find("HistGrid.cld"), std::string::npos);
    EXPECT_EQ(r.out, "");
}

TEST_F(TrovctlHistory, ImportCsvKeepsColumnsAndCreatesMissingStores) {
    const std::string store = data.write("h.gmh", writeListViewStream(twoRows()));
    const std::string csv = data.write("in.csv", "x,\"- - -\"\r\ny,2,3\r\n");
    auto r = trovctl({"history", "import-csv", csv, "--store", store});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    HistoryList back;
    ASSERT_TRUE(readHistoryFile(store, back));
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(back.rows[0][1], "- - -");
    EXPECT_EQ(back.columns[3].width, 333);
    EXPECT_EQ(trovctl({"history", "list", "--store", store}).out,
              "x,\"- - -\",,,,,,,,,,,,\r\ny,2,3,,,,,,,,,,,\r\n");

    r = trovctl({"history", "import-csv", csv, "--store", data.file("new.gmh")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    ASSERT_TRUE(readHistoryFile(data.file("new.gmh"), back));
    EXPECT_EQ(back.columns, defaultHistoryColumns());

    r = trovctl({"history", "import-csv", data.file("no.csv"), "--store", store});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find(data.file("no.csv")), std::string::npos);
}

TEST_F(TrovctlHistory, UsageErrors) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"history", "drop"},
                                               {"history", "import-csv", "x.csv"},
                                               {"suggest", "add", "a", "b"},
                                               {"suggest", "frob"}}) {
        const auto r = trovctl(args);
        EXPECT_EQ(r.exitCode, 2) << args.back();
        EXPECT_FALSE(r.err.empty());
    }
}

TEST_F(TrovctlSuggest, AddListMatchDelete) {
    for (const char* t : {"Cats", "atlas", "Bat", "cats ", "   "})
        ASSERT_EQ(trovctl({"suggest", "add", t}).exitCode, 0);
    EXPECT_EQ(data.read("gs1001.sgg"), "|Cats|;|atlas|;|Bat\r\n");
    EXPECT_EQ(trovctl({"suggest", "list"}).out, "Cats\natlas\nBat \n");
    EXPECT_EQ(trovctl({"suggest", "match", "at"}).out, "atlas\nCats\nBat \n");
    EXPECT_EQ(trovctl({"suggest", "match", "zz"}).out, "");

    ASSERT_EQ(trovctl({"suggest", "delete", "CATS"}).exitCode, 0);
    EXPECT_EQ(data.read("gs1001.sgg"), "|atlas|;|Bat\r\n");
    EXPECT_EQ(trovctl({"suggest", "list"}).out, "atlas\nBat \n");
    ASSERT_EQ(trovctl({"suggest", "add", "--", "-dash"}).exitCode, 0);
    EXPECT_EQ(trovctl({"suggest", "match", "-"}).out, "-dash \n");
}

TEST_F(TrovctlSuggest, UnreadableStoreFails) {
    std::filesystem::create_directory(data.file("gs1001.sgg"));
    const auto r = trovctl({"suggest", "list"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("gs1001.sgg"), std::string::npos);
}
