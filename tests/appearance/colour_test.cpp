// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/color_cld.h"
#include "appearance/colour.h"
#include "appearance/colour_pick.h"
#include "appearance/random_colour.h"
#include "appearance/recent_colours.h"
#include "common/atomic_file.h"
#include "settings/config.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <numeric>

using namespace trov;
using test::RecordingMessages;

namespace {
const std::string kData = TROV_SOURCE_DIR "/tests/appearance/data/";
std::string data(const std::string& name) {
    return readWholeFile(kData + name).value_or("<missing>");
}
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

TEST(ColorCld, TheStreamByteForByte) {
    ColourDialogState state;
    state.colour = 14801352;
    state.customColours[0] = 0x0000FF;
    state.customColours[15] = 14801352;
    EXPECT_EQ(serializeColorCld(state), data("color.cld"));
    // Small colours take the short integer forms; black, the default, is not streamed.
    const std::pair<int, std::string> forms[] = {
        {100, "\x02\x64"}, {0x1234, "\x03\x34\x12"}, {0, "\x02"}};
    for (const auto& [colour, tag] : forms) {
        state.colour = colour;
        EXPECT_EQ(serializeColorCld(state).find("Color" + tag) != std::string::npos, colour != 0);
    }
}

TEST(ColorCld, AStreamAsTheWindowsProgramMayHaveWrittenIt) {
    ColourDialogState expected; // white custom colours; the first line of a slot wins
    expected.colour = 0x0000FF;
    expected.customColours[2] = 0x00FF00;
    expected.customColours[6] = 0xABC;
    const auto state = parseColorCld(data("foreign.cld"));
    ASSERT_TRUE(state);
    EXPECT_EQ(std::pair(state->colour, state->customColours),
              std::pair(expected.colour, expected.customColours));
}

TEST(ColorCld, BrokenStreamsAreRefused) {
    for (const auto& file : std::filesystem::directory_iterator(kData + "corrupt")) {
        std::string error;
        EXPECT_FALSE(parseColorCld(data("corrupt/" + file.path().filename().string()), &error));
        EXPECT_EQ(error, "Invalid stream format") << file.path();
    }
    // Truncation at every byte either parses or refuses; it never reads past the end.
    const std::string good = data("color.cld");
    for (std::size_t n = 0; n < good.size(); ++n)
        (void)parseColorCld(std::string_view(good).substr(0, n));
}

TEST(ColorCld, FileInTheDataFolderKeepsAllSixteen) {
    test::TempDir dir;
    std::string error = "unset"; // missing: white custom colours, nothing to report
    EXPECT_FALSE(readColorCld(dir.path(), &error));
    EXPECT_EQ(error, "");
    ColourDialogState state{.colour = 255};
    for (std::size_t i = 0; i < 16; ++i)
        state.customColours[i] = static_cast<int>(i * 1048573u % 16777216u);
    ASSERT_TRUE(writeColorCld(dir.path(), state, &error));
    const auto back = readColorCld(dir.path(), &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::pair(back->customColours, back->colour), std::pair(state.customColours, 255));
    dir.write("color.cld", "garbage");
    EXPECT_FALSE(readColorCld(dir.path(), &error));
    EXPECT_EQ(error, "Invalid stream format");
    EXPECT_FALSE(writeColorCld(dir.path() + "nowhere/", state, &error));
    EXPECT_EQ(error.rfind("Cannot create file \"" + dir.path() + "nowhere/color.cld\". ", 0), 0u)
        << error;
}

TEST(Colour, SchemesOfTheColoursThatMatter) {
    // The default #C8D9E1, black, pure red, green and blue, greys 160 and 161, white.
    const std::pair<int, int> cases[] = {{14801352, 214}, {0, 0},         {255, 125},
                                         {65280, 212},    {16711680, 66}, {10526880, 160},
                                         {0xA1A1A1, 161}, {16777215, 255}};
    for (const auto& [colour, p] : cases) {
        const BackgroundScheme s = backgroundScheme(colour);
        const bool light = p > 160;
        EXPECT_EQ(std::tuple(perceivedBrightness(colour), s.scheme, s.captionColour,
                             contrastColour(colour), s.pinGlyph, s.markerColour, s.separatorColour),
                  std::tuple(p, light ? Scheme::Light : Scheme::Dark, light ? kBlack : kWhite,
                             light ? kBlack : kWhite, light ? Glyph::Image1 : Glyph::Image2,
                             light ? 6118749 : 16777215, light ? 15658734 : 4934475))
            << colour;
    }
    for (int g = 0; g < 256; ++g) { // every grey level follows the threshold
        const int grey = g | g << 8 | g << 16;
        EXPECT_EQ(std::pair(perceivedBrightness(grey), contrastColour(grey)),
                  std::pair(g, g > 160 ? kBlack : kWhite));
    }
}

TEST(Colour, ExpandGlyphByHeightAndScheme) {
    using enum Glyph;
    using enum Scheme;
    const std::tuple<Scheme, int, Glyph, Glyph> cases[] = {
        // scheme, height, glyph, expected
        {Light, 440, Image3, Image4}, {Light, 80, Image4, Image3}, {Dark, 440, Image3, Image6},
        {Dark, 80, Image6, Image5},   {Dark, 351, Image3, Image6}, {Light, 349, Image6, Image3},
        {Dark, 350, Image4, Image4},  {Light, 350, Image5, Image5}}; // 350 keeps it
    for (const auto& [scheme, height, current, expected] : cases)
        EXPECT_EQ(expandGlyph(scheme, height, current), expected) << height;
}

TEST(Colour, ValuesResolveToTheirLowThreeBytes) {
    const Rgb rgb = toRgb(14801352);
    EXPECT_EQ(std::tuple(rgb.red, rgb.green, rgb.blue, fromRgb(rgb), colourValue(200, 217, 225)),
              std::tuple(200, 217, 225, 14801352, 14801352));
    // Windows system colours: clWindow is white, clWindowText black, 0xFF no such index.
    const std::pair<unsigned, int> cases[] = {{0x01FFFFFF, 0xFFFFFF},
                                              {0xFFFFFFFF, 0xFFFFFF},
                                              {0x80000005, 0xFFFFFF},
                                              {0x80000008, 0},
                                              {0x800000FF, 0xFF}};
    for (const auto& [colour, rgbValue] : cases)
        EXPECT_EQ(resolveColour(static_cast<int>(colour)), rgbValue) << colour;
    EXPECT_EQ(contrastColour(static_cast<int>(0x8000000Fu)), kBlack); // clBtnFace
}

TEST(Colour, ApplyingStoresTheColourAtOnceAndReportsARefusalAfterPainting) {
    test::TempDir dir;
    Config config(dir.file("YY.cfg"));
    RecordingMessages messages;
    EXPECT_EQ(NastaviOzadje(config, messages, 255).scheme, Scheme::Dark);
    EXPECT_EQ(dir.read("YY.cfg"), "[Color]\r\nPall=255\r\n");

    Config refused(dir.file("missing/YY.cfg"));
    std::size_t boxesWhenPainted = 99;
    const BackgroundScheme scheme =
        NastaviOzadje(refused, messages, 0, [&](const BackgroundScheme& s) {
            EXPECT_EQ(s.colour, 0);
            boxesWhenPainted = messages.shown.size();
        });
    EXPECT_EQ(std::pair(scheme.captionColour, boxesWhenPainted), std::pair(kWhite, 0ul));
    EXPECT_EQ(messages.texts(), std::vector{"Unable to write to " + dir.file("missing/YY.cfg")});
    EXPECT_TRUE(messages.shown.at(0).icon == MessageIcon::Error);
}

TEST(RandomColour, TheGeneratorOfTheWindowsProgram) { // seed, next seed, colour; never white
    const std::tuple<std::uint32_t, std::uint32_t, int> cases[] = {
        {0, 1, 0},
        {1, 134775814u, 526467},
        {42, 1365616851u, 5334440},
        {0x12345678u, 3411775577u, 13327247},
        {0xFFFFFFFFu, 4160191484u, 16250747},
        {0x4D60AE66u, 0xFFFFFFFFu, 16777214}};
    for (auto [seed, nextSeed, colour] : cases)
        EXPECT_EQ(std::pair(nextRandomColour(seed), seed), std::pair(colour, nextSeed));
}

TEST(ColourPick, PreviewsOnlyAChangeOfColourAndButtonsDecideTheResult) {
    ColourPick pick;
    pick.begin(14801352);
    for (const auto& [colour, preview] :
         {std::pair{255, 255}, {255, -1}, {65280, 65280}, {255, 255}})
        EXPECT_EQ(pick.moved(colour).value_or(-1), preview);
    pick.pressed(PickButton::Right, 255);
    pick.begin(2);
    EXPECT_EQ(pick.moved(255), std::nullopt); // the last preview survives into the next pick
    pick.pressed(PickButton::Left, 255);
    pick.begin(7);
    // A new pick forgets the last acceptance; closed without a button, it is cancelled.
    EXPECT_EQ(std::pair(pick.accepted(), pick.result()), std::pair(false, 7));
    const std::tuple<PickButton, bool, bool, int> cases[] = {
        {PickButton::Left, true, true, 255},
        {PickButton::Right, true, false, 14801352},
        {PickButton::Other, false, false, 14801352}}; // button, closes, accepted, result
    for (const auto& [button, closes, accepted, result] : cases) {
        pick.begin(14801352);
        pick.moved(65280);
        EXPECT_EQ(pick.pressed(button, 255), closes);
        EXPECT_EQ(std::pair(pick.accepted(), pick.result()), std::pair(accepted, result));
    }
}

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
    EXPECT_EQ(stored(), Stored(slotsOf({5, 1, 2, 3, 4}), {60, 70}));
    EXPECT_EQ(recent.colours(), stored().first);
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
    EXPECT_EQ(stored(), Stored(recent.colours(), recent.position()));
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

// Two programs with the colours loaded: the recent and the custom colours of each land on
// top of the other's, whichever writes first.
TEST_F(Recent, TwoProgramsKeepEachOthersColours) {
    dir.write("Trov.lst", "[GeneralFall]\nV1=1\n");
    RecentColours other{dir.file("Trov.lst"), messages};
    open(false);
    other.open(dir.file("Trov.lst"), {352, 249}, {1920, 1080}, config);
    recent.Nalozi(A);
    other.Nalozi(B);
    recent.Nalozi(C);
    EXPECT_EQ(stored().first, slotsOf({C, B, A, 1}));
    EXPECT_EQ(recent.colours(), stored().first);

    ColourDialogState mine, theirs;
    mine.customColours[0] = A;
    theirs.customColours[1] = B;
    mine.customColours[2] = C;
    for (ColourDialogState* state : {&mine, &theirs, &mine})
        ASSERT_TRUE(writeColorCld(dir.path(), *state, nullptr));
    const auto back = readColorCld(dir.path(), nullptr);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::vector(back->customColours.begin(), back->customColours.begin() + 4),
              (std::vector{A, B, C, kWhite}));
    EXPECT_EQ(mine.customColours, back->customColours);
}
