#include "common/atomic_file.h"
#include "common/store_file.h"
#include "compose/engines_file_start.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;

using Texts = std::vector<std::string>;

// The example comes from the first folder that holds one: beside the program (a build
// tree), then the share folder. With none the file starts empty and a box says why; a
// file already there is left alone; one that cannot be written is said so.
TEST(EnginesFileStart, FromTheFirstFolderHoldingTheExample) {
    test::TempDir dir;
    const std::string app = dir.path() + "app/", share = dir.path() + "share/",
                      none = dir.path() + "none/";
    dir.write("app/engines.cfg.example", "; beside the program\n");
    dir.write("share/engines.cfg.example", "; installed\n");
    dir.write("mine.cfg", "[Mine]\n");
    const std::string nowhere = "engines.cfg.example was found in none of these folders:\r\n\r\n" +
                                none + "\r\n\r\nThe new engines.cfg is empty.";
    const std::tuple<std::string, Texts, bool, std::string, Texts> cases[] = {
        // file, folders, written, what it then holds, the boxes shown
        {"a.cfg", {app, share}, true, "; beside the program\n", {}},
        {"b.cfg", {none, share}, true, "; installed\n", {}},
        {"c.cfg", {none}, true, "", {nowhere}},
        {"mine.cfg", {none}, true, "[Mine]\n", {}},
        {"mine.cfg/x", {app}, false, "<none>", {unableToWrite(dir.file("mine.cfg/x"))}},
    };
    for (const auto& [file, dirs, written, holds, shown] : cases) {
        test::RecordingMessages messages;
        EXPECT_EQ(startEnginesFile(dir.file(file), dirs, messages), written) << file;
        EXPECT_EQ(readWholeFile(dir.file(file)).value_or("<none>"), holds) << file;
        EXPECT_EQ(messages.texts(), shown) << file;
    }
}
