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
}
