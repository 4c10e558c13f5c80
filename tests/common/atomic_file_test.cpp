#include "common/atomic_file.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace trov;

TEST(AtomicFile, WritesReplacesAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string path = dir.file("store.bin");
    ASSERT_TRUE(writeFileAtomically(path, std::string("one\0two", 7)));
    EXPECT_EQ(readWholeFile(path).value(), std::string("one\0two", 7));
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readWholeFile(path).value(), "new");
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path()))
        ++files;
    EXPECT_EQ(files, 1);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(AtomicFile, FailureKeepsTheOldFileAndSaysWhy) {
    test::TempDir dir;
    FileError error;
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/x.cfg"), "x", &error));
    EXPECT_EQ(error.path, dir.file("missing/x.cfg"));
    EXPECT_FALSE(error.reason.empty());

    EXPECT_FALSE(readWholeFile(dir.file("absent")).has_value());
    FileError readError;
    EXPECT_FALSE(readWholeFile(dir.path(), &readError).has_value());
    EXPECT_FALSE(readError.reason.empty());
    // Writing only a changed file still reports a refused write.
    std::filesystem::create_directory(dir.file("YY.cfg")); // a folder in the way, even for root
    EXPECT_FALSE(writeFileIfChanged(dir.file("YY.cfg"), "", &error));
    EXPECT_EQ(error.path, dir.file("YY.cfg"));
    EXPECT_FALSE(writeFileIfChanged(dir.file("missing/YY.cfg"), "", &error));
}

namespace {
ino_t inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

// Only a file holding exactly the bytes is left alone; every other case is a real write.
TEST(AtomicFile, WriteIfChangedSkipsOnlyAnIdenticalFile) {
    struct Case {
        const char* name;
        std::string before; // empty: no file
        std::string after;
        bool rewritten;
    };
    const Case cases[] = {
        {"identical", "[App]\r\nstart=0\r\n", "[App]\r\nstart=0\r\n", false},
        {"same size, other bytes", "[App]\r\nstart=0\r\n", "[App]\r\nstart=1\r\n", true},
        {"longer", "[App]\r\n", "[App]\r\nstart=1\r\n", true},
        {"a prefix of the file", "[App]\r\nstart=0\r\n", "[App]\r\n", true},
        {"no file yet", "", "[App]\r\n", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string path = dir.file("YY.cfg");
        if (!c.before.empty())
            dir.write("YY.cfg", c.before);
        const ino_t was = inode(path);
        ASSERT_TRUE(writeFileIfChanged(path, c.after));
        EXPECT_EQ(readWholeFile(path).value(), c.after);
        EXPECT_EQ(inode(path) != was, c.rewritten);
    }
}
