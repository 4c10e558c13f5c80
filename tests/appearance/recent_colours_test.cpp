#include "appearance/colour.h"
#include "appearance/recent_colours.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

using namespace trov;

namespace {

constexpr int A = 0x0000FF, B = 0x00FF00, C = 0xFF0000, D = 0x123456, E = 0x654321, F = 0x00AAAA;

RecentSlots slotsOf(std::initializer_list<int> first) {
    RecentSlots slots;
    slots.fill(kWhite);
    std::copy(first.begin(), first.end(), slots.begin());
    return slots;
}

// A full list: front, then 1 to 29; with front 30, slots 1 to 30 moved on by one.
RecentSlots fullList(int front) {
    RecentSlots slots;
    std::iota(slots.begin(), slots.end(), 0);
    slots[0] = front;
    return slots;
}

struct Recent : ::testing::Test {
    test::TempDir dir;
    test::RecordingMessages messages;
    RecentColours recent{dir.file("Trov.lst"), messages};
    Config config{dir.file("YY.cfg")};
    using Stored = std::pair<RecentSlots, WindowPosition>;
    Stored stored(const char* name = "Trov.lst") {
        const RecentFile file = readRecentFile(dir.file(name));
        return {file.colours, file.position};
    }
    void open(bool firstStart) {
        recent.open(recent.source(firstStart, {dir.path() + "none/", dir.path() + "program/"}),
                    {352, 249}, {1920, 1080}, config);
    }
};

} // namespace

TEST(RecentColours, FrontRule) {
    RecentSlots full;
    std::iota(full.begin(), full.end(), 1);
    const std::tuple<const char*, RecentSlots, int, RecentSlots> cases[] = {
        {"all white, add red", slotsOf({}), 255, slotsOf({255})},
        {"red again changes nothing", slotsOf({255}), 255, slotsOf({255})},
        {"a colour further down moves up", slotsOf({A, B, E, D}), E, slotsOf({E, A, B, D})},
        {"a new colour pushes the others", slotsOf({E, A, B, D}), F, slotsOf({F, E, A, B, D})},
        {"the highest duplicate gives way", slotsOf({A, B, A, E}), A, slotsOf({A, A, B, E})},
        {"a full list drops slot 30", full, F, fullList(F)},
        {"slot 30 itself moves to the front", full, 30, fullList(30)},
        {"white is found in the last slot", slotsOf({A, B}), kWhite, slotsOf({kWhite, A, B})},
        {"first slot stays first", slotsOf({C, A}), C, slotsOf({C, A})},
    };
    for (const auto& [name, before, colour, after] : cases)
        EXPECT_EQ(putAtFront(before, colour), after) << name;
}

TEST(RecentColours, KeptOnThePrimaryScreen) {
    const struct {
        WindowPosition stored, shown;
    } cases[] = {{{100, 100}, {100, 100}}, {{0, 100}, {10, 100}},      {{-50, -1}, {10, 10}},
                 {{1, 1}, {1, 1}},         {{1568, 831}, {1568, 831}}, {{1569, 832}, {10, 10}},
                 {{5000, 100}, {10, 100}}, {{100, 5000}, {100, 10}}};
    for (const auto& c : cases)
        EXPECT_EQ(keepOnPrimaryScreen(c.stored, {352, 249}, {1920, 1080}), c.shown)
            << c.stored.left << "," << c.stored.top;
}

TEST_F(Recent, ReadsLowerCaseKeysOfAnyCaseAndWritesUpperCaseSlots) {
    dir.write("in.lst", "[generalfall]\nV1=255\nv2=0xFF00\nv3=$FF0000\nv4=abc\n"
                        "v5=-2147483643\nv6=16777216\nVX=-20\nvy=300\n");
    // abc is no number; a system colour's value and one past white are kept as they were.
    EXPECT_EQ(stored("in.lst"), Stored(slotsOf({255, 65280, 16711680, kWhite,
                                                static_cast<int>(0x80000005u), 16777216}),
                                       {-20, 300}));
    EXPECT_EQ(stored("none.lst"), Stored(slotsOf({}), {100, 100}));

    recent.Nalozi(255);
    std::string expected = "[GeneralFall]\r\nV1=255\r\n";
    for (int i = 2; i <= 30; ++i)
        expected += "V" + std::to_string(i) + "=16777215\r\n";
    EXPECT_EQ(dir.read("Trov.lst"), expected);
    RecentColours(dir.file("closed.lst"), messages).closed({12, 34}); // only the position
    EXPECT_EQ(dir.read("closed.lst"), "[GeneralFall]\r\nvx=12\r\nvy=34\r\n");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Recent, SlotClickMovesItToTheFrontAndStoresThePosition) {
    dir.write("Trov.lst", "; kept\n[GeneralFall]\nv1=1\nv2=2\nv3=3\nv4=4\nv5=5\nvx=40\nvy=50\n");
    open(false);
    EXPECT_EQ(recent.takeSlot(4, {60, 70}), 5);
    EXPECT_EQ(recent.colours(), slotsOf({5, 1, 2, 3, 4}));
    EXPECT_EQ(stored(), Stored(recent.colours(), {60, 70}));
    const std::string text = dir.read("Trov.lst");
    EXPECT_EQ(text.rfind("; kept\r\n[GeneralFall]\r\nV1=5\r\nV2=1\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("vx=60\r\nvy=70\r\n"), std::string::npos) << text;
}

TEST_F(Recent, FirstStartTakesTheShippedListOver) {
    const std::string shipped = "[GeneralFall]\nV1=255\nV2=65280\nvx=0\nvy=20\n";
    dir.write("Trov.lst", "[GeneralFall]\nV1=7\n");
    EXPECT_EQ(recent.source(true, {dir.path() + "none/"}), dir.file("Trov.lst"))
        << "nothing shipped: the data folder's own list rather than a white one";
    dir.write("program/Trov.lst", shipped);
    EXPECT_EQ(recent.source(false, {dir.path() + "program/"}), dir.file("Trov.lst"));
    open(true);
    EXPECT_EQ(Stored(recent.colours(), recent.position()), Stored(slotsOf({255, 65280}), {10, 20}));
    EXPECT_EQ(stored(), Stored(recent.colours(), {10, 20}));
    EXPECT_EQ(dir.read("YY.cfg"), "[App]\r\nstart=0\r\n");
    EXPECT_EQ(dir.read("program/Trov.lst"), shipped) << "the shipped file is only read";
}

TEST_F(Recent, RefusedWritesAreReported) {
    dir.write("program/Trov.lst", "[GeneralFall]\nV1=255\n");
    dir.write("Trov.lst", "[GeneralFall]\nV1=7\n");
    std::filesystem::create_directories(dir.path() + "YY.cfg");
    open(true); // an unwritable YY.cfg leaves the data folder's list alone
    EXPECT_EQ(recent.slot(0), 255);
    EXPECT_EQ(dir.read("Trov.lst"), "[GeneralFall]\nV1=7\n");
    std::filesystem::remove(dir.file("Trov.lst"));
    std::filesystem::create_directories(dir.path() + "Trov.lst"); // a folder in the way
    recent.Nalozi(A);
    EXPECT_EQ(recent.slot(0), A) << "the list in memory keeps the change";
    EXPECT_EQ(messages.texts(),
              (std::vector<std::string>{"Unable to write to " + dir.file("YY.cfg"),
                                        "Unable to write to " + dir.file("Trov.lst")}));
}
