#include "common/atomic_file.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace trov;

namespace {
struct stat statOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}
} // namespace

TEST(AtomicFile, WritesReplacesAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string path = dir.file("store.bin");
    ASSERT_TRUE(writeFileAtomically(path, std::string("one\0two", 7)));
    EXPECT_EQ(readWholeFile(path), std::string("one\0two", 7));
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readWholeFile(path), "new");
    const auto files = std::filesystem::directory_iterator(dir.path());
    EXPECT_EQ(std::distance(begin(files), end(files)), 1);
    EXPECT_EQ(statOf(path).st_mode & 0777, 0600u);
}

TEST(AtomicFile, FailureKeepsTheOldFileAndSaysWhy) {
    test::TempDir dir;
    FileError error;
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/x.cfg"), "x", &error));
    EXPECT_TRUE(error.path == dir.file("missing/x.cfg") && !error.reason.empty());
    EXPECT_FALSE(readWholeFile(dir.file("absent")));
    FileError readError;
    EXPECT_TRUE(!readWholeFile(dir.path(), &readError) && !readError.reason.empty());
    // Writing only a changed file still reports a refused write.
    std::filesystem::create_directory(dir.file("YY.cfg")); // a folder in the way, even for root
    EXPECT_TRUE(!writeFileIfChanged(dir.file("YY.cfg"), "", &error) &&
                error.path == dir.file("YY.cfg"));
    EXPECT_FALSE(writeFileIfChanged(dir.file("missing/YY.cfg"), "", &error));
}

// Only a file holding exactly the bytes is left alone; every other case is a real write.
TEST(AtomicFile, WriteIfChangedSkipsOnlyAnIdenticalFile) {
    const std::string app = "[App]\r\n", start0 = app + "start=0\r\n", start1 = app + "start=1\r\n";
    // Before (empty: no file), after, and whether the file is written anew.
    const std::tuple<std::string, std::string, bool> cases[] = {
        {start0, start0, false}, // identical
        {start0, start1, true},  // same size, other bytes
        {app, start1, true},     // longer
        {start0, app, true},     // a prefix of the file
        {"", app, true}};        // no file yet
    for (const auto& [before, after, rewritten] : cases) {
        test::TempDir dir;
        const std::string path = dir.file("YY.cfg");
        if (!before.empty())
            dir.write("YY.cfg", before);
        const ino_t was = statOf(path).st_ino;
        ASSERT_TRUE(writeFileIfChanged(path, after));
        EXPECT_EQ(readWholeFile(path), after);
        EXPECT_EQ(statOf(path).st_ino != was, rewritten) << before << " to " << after;
    }
}
