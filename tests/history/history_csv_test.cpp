#include "history/history_csv.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

TEST(HistoryCsv, QuotingRule) {
    const struct {
        std::string text, written;
    } cases[] = {
        {"05.12.2026", "05.12.2026"},
        {"", ""},
        {"- - -", "\"- - -\""},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"tab\there", "\"tab\there\""},
        {std::string("\x01x", 2), "\"\x01x\""},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
        {"semi;colon", "semi;colon"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(csvValue(c.text), c.written) << c.text;
}

TEST(HistoryCsv, ExportLinesAndImportBack) {
    HistoryRecord a;
    for (std::size_t i = 0; i < 14; ++i)
        a.set(i, "v" + std::to_string(i));
    a.set(2, "one, \"two\"");
    a.set(3, "- - -");
    a.set(4, "");
    a.set(5, std::string(300, 'x'));
    a.set(13, "two\r\nlines"); // a quoted line break stays in its value
    HistoryRecord b;
    b.set(0, "only");
    const std::string csv = historyCsv({a, b});
    const std::string head =
        "v0,v1,\"one, \"\"two\"\"\",\"- - -\",," + std::string(300, 'x') + ",v6,";
    const std::string tail = "\"two\r\nlines\"\r\nonly,,,,,,,,,,,,,\r\n";
    EXPECT_EQ(csv.substr(0, head.size()), head);
    EXPECT_EQ(csv.substr(csv.size() - tail.size()), tail);
    EXPECT_EQ(parseHistoryCsv(csv), (std::vector<HistoryRecord>{a, b}));
}

TEST(HistoryCsv, ImportToleratesLfShortAndLongLines) {
    const auto rows =
        parseHistoryCsv("a,b\n\n\"x\"\"y\",2,3,4,5,6,7,8,9,10,11,12,13,14,15\r\n\"open");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "a");
    EXPECT_EQ(rows[0][1], "b");
    EXPECT_EQ(rows[0][13], "");
    EXPECT_EQ(rows[1][0], "x\"y");
    EXPECT_EQ(rows[1][13], "14");
    EXPECT_EQ(rows[2][0], "open");
}

TEST(HistoryCsv, BackupPathReplacesTheExtension) {
    EXPECT_EQ(csvBackupPath("/d/h.csv"), "/d/h.bak");
    EXPECT_EQ(csvBackupPath("/d/h.x.txt"), "/d/h.x.bak");
    EXPECT_EQ(csvBackupPath("/d.dir/h"), "/d.dir/h.bak");
}

TEST(HistoryCsv, ExportKeepsTheOldFileAsBak) {
    test::TempDir dir;
    const std::string path = dir.write("h.csv", "old export\r\n");
    dir.write("h.bak", "older\r\n");
    HistoryRecord r;
    r.set(0, "new");
    ASSERT_TRUE(exportHistoryCsv(path, {r}));
    EXPECT_EQ(dir.read("h.bak"), "old export\r\n");
    EXPECT_EQ(dir.read("h.csv"), "new,,,,,,,,,,,,,\r\n");

    ASSERT_TRUE(exportHistoryCsv(dir.file("fresh.txt"), {}));
    EXPECT_EQ(dir.read("fresh.txt"), "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("fresh.bak")));
}
