// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/atomic_file.h"
#include "tests/support/temp_dir.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace trov;

namespace {
struct stat statOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st;
}
std::size_t entries(const std::string& folder) {
    const auto files = std::filesystem::directory_iterator(folder);
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
}
} // namespace

TEST(AtomicFile, WritesReplacesAndLeavesNoTemporaryFile) {
    test::TempDir dir;
    const std::string path = dir.file("store.bin");
    ASSERT_TRUE(writeFileAtomically(path, std::string("one\0two", 7)));
    EXPECT_EQ(readWholeFile(path), std::string("one\0two", 7));
    ASSERT_TRUE(writeFileAtomically(path, "new"));
    EXPECT_EQ(readWholeFile(path), "new");
    EXPECT_EQ(entries(dir.path()), 1u);
    EXPECT_EQ(statOf(path).st_mode & 0777, 0600u);
}

TEST(AtomicFile, FailureKeepsTheOldFileAndSaysWhy) {
    test::TempDir dir;
    FileError error;
    EXPECT_FALSE(writeFileAtomically(dir.file("missing/x.cfg"), "x", &error));
    EXPECT_EQ(std::pair(error.path, error.reason.empty()),
              std::pair(dir.file("missing/x.cfg"), false));
    EXPECT_FALSE(readWholeFile(dir.file("absent")));
    FileError readError;
    EXPECT_FALSE(readWholeFile(dir.path(), &readError));
    EXPECT_NE(readError.reason, "");
    // Writing only a changed file still reports a refused write.
    std::filesystem::create_directory(dir.file("YY.cfg")); // a folder in the way, even for root
    EXPECT_FALSE(writeFileIfChanged(dir.file("YY.cfg"), "", &error));
    EXPECT_EQ(error.path, dir.file("YY.cfg"));
    EXPECT_FALSE(writeFileIfChanged(dir.file("missing/YY.cfg"), "", &error));
    EXPECT_TRUE(syncFolder(dir.path()));
    EXPECT_FALSE(syncFolder(dir.file("missing/"), &error));
    EXPECT_EQ(error.path, dir.file("missing/"));
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

// However another program changed the store, the stamp of the last read tells.
TEST(StoreFile, TheStampNoticesAnotherWriter) {
    const std::pair<const char*, std::function<void(const std::string&)>> changes[] = {
        {"untouched", [](const std::string&) {}},
        {"same size in place, times set back",
         [](const std::string& path) {
             const struct stat before = statOf(path);
             const int fd = ::open(path.c_str(), O_WRONLY);
             ASSERT_EQ(::write(fd, "bbbb", 4), 4);
             const timespec times[] = {before.st_atim, before.st_mtim};
             ::futimens(fd, times);
             ::close(fd);
         }},
        {"replaced by the same bytes", [](const std::string& p) { StoreFile(p).write("aaaa"); }},
        {"removed", [](const std::string& path) { std::filesystem::remove(path); }},
    };
    for (const auto& [name, change] : changes) {
        test::TempDir dir;
        const StoreFile file(dir.file("gs1001.sgg"));
        FileStamp written, read;
        ASSERT_TRUE(file.write("aaaa", nullptr, &written));
        ASSERT_TRUE(file.read(nullptr, &read));
        EXPECT_EQ(std::pair(file.changedSince(written), file.changedSince(read)),
                  std::pair(false, false));
        change(file.path());
        EXPECT_EQ(file.changedSince(read), name != std::string_view("untouched")) << name;
    }
}

TEST(StoreFile, AStoreThatIsALinkStaysOneAndItsTargetGetsTheBytes) {
    test::TempDir dir;
    dir.write("real/HistGrid.cld", "old");
    std::filesystem::create_symlink("real/HistGrid.cld", dir.file("relative"));
    std::filesystem::create_symlink(dir.file("relative"), dir.file("HistGrid.cld"));
    std::filesystem::create_symlink("real/gs1001.sgg", dir.file("gs1001.sgg")); // not there yet
    for (const char* name : {"HistGrid.cld", "gs1001.sgg"}) {
        const StoreFile file(dir.file(name));
        const StoreFile::Lock lock = file.lock();
        ASSERT_TRUE(lock.held());
        ASSERT_TRUE(file.write("new"));
        EXPECT_TRUE(std::filesystem::is_symlink(file.path())) << name;
        EXPECT_EQ(dir.read("real/" + std::string(name)), "new");
    }
    EXPECT_EQ(entries(dir.file("real")), 2u) << "no temporary or lock file stays";
}

TEST(StoreFile, StaleTemporariesOfOursGoAndNoOtherFile) {
    test::TempDir dir;
    const std::string ours = ".HistGrid.cld.trov-tmp-", gone = "2147483646"; // past any pid
    const std::string running = std::to_string(::getppid());
    const std::tuple<std::string, bool, bool> files[] = {
        // name, an hour old, removed
        {ours + gone + "-0", false, true},
        {ours + running + "-3", false, false},
        {ours + running + "-4", true, true},
        {"HistGrid.cld.tmp-Ab12Cd", true, true}, // an earlier version's
        {"HistGrid.cld.tmp-Ab12Ce", false, false},
        {ours + gone, true, false},
        {".gs1001.sgg.trov-tmp-" + gone + "-0", true, false},
        {"HistGrid.cld.tmp-Ab12Cde", true, false},
    };
    for (const auto& [name, old, removed] : files) {
        dir.write(name, "x");
        if (old)
            std::filesystem::last_write_time(dir.file(name),
                                             std::filesystem::file_time_type::clock::now() -
                                                 std::chrono::hours(2));
    }
    ASSERT_TRUE(StoreFile(dir.file("HistGrid.cld")).write("x"));
    for (const auto& [name, old, removed] : files)
        EXPECT_EQ(std::filesystem::exists(dir.file(name)), !removed) << name;
}
