#include "appearance/colour.h"
#include "appearance/colour_pick.h"
#include "appearance/random_colour.h"
#include "settings/config.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;
using test::RecordingMessages;

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
    const struct {
        Scheme scheme;
        int height;
        Glyph current, expected;
    } cases[] = {{Light, 440, Image3, Image4}, {Light, 80, Image4, Image3},
                 {Dark, 440, Image3, Image6},  {Dark, 80, Image6, Image5},
                 {Dark, 351, Image3, Image6},  {Light, 349, Image6, Image3},
                 {Dark, 350, Image4, Image4},  {Light, 350, Image5, Image5}}; // 350 keeps it
    for (const auto& c : cases)
        EXPECT_EQ(expandGlyph(c.scheme, c.height, c.current), c.expected) << c.height;
}

TEST(Colour, ValuesResolveToTheirLowThreeBytes) {
    const Rgb rgb = toRgb(14801352);
    EXPECT_EQ(std::tuple(rgb.red, rgb.green, rgb.blue), std::tuple(200, 217, 225));
    EXPECT_EQ(fromRgb({200, 217, 225}), 14801352);
    EXPECT_EQ(colourValue(200, 217, 225), 14801352);
    EXPECT_EQ(resolveColour(0x01FFFFFF), 0xFFFFFF);
    EXPECT_EQ(resolveColour(-1), 0xFFFFFF);
    // A Windows system colour: clWindow is white, clWindowText black.
    EXPECT_EQ(resolveColour(static_cast<int>(0x80000005u)), 0xFFFFFF);
    EXPECT_EQ(resolveColour(static_cast<int>(0x80000008u)), 0);
    EXPECT_EQ(contrastColour(static_cast<int>(0x8000000Fu)), kBlack); // clBtnFace
    EXPECT_EQ(resolveColour(static_cast<int>(0x800000FFu)), 0xFF);    // no such index
}

TEST(Colour, ApplyingStoresTheColourAtOnceAndReportsARefusalAfterPainting) {
    test::TempDir dir;
    Config config(dir.file("YY.cfg"));
    RecordingMessages messages;
    EXPECT_EQ(NastaviOzadje(config, messages, 255).scheme, Scheme::Dark);
    EXPECT_EQ(dir.read("YY.cfg"), "[Color]\r\nPall=255\r\n");
    EXPECT_TRUE(messages.shown.empty());

    Config refused(dir.file("missing/YY.cfg"));
    std::size_t boxesWhenPainted = 99;
    const BackgroundScheme scheme =
        NastaviOzadje(refused, messages, 0, [&](const BackgroundScheme& s) {
            EXPECT_EQ(s.colour, 0);
            boxesWhenPainted = messages.shown.size();
        });
    EXPECT_EQ(scheme.captionColour, kWhite); // the scheme still comes
    EXPECT_EQ(boxesWhenPainted, 0u);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].icon == MessageIcon::Error &&
                messages.shown[0].text == "Unable to write to " + dir.file("missing/YY.cfg"));
}

TEST(RandomColour, TheGeneratorOfTheWindowsProgram) {
    // 0x4D60AE66 gives the largest value: white never comes up.
    const struct {
        std::uint32_t seed, nextSeed;
        int value;
    } cases[] = {{0, 1, 0},
                 {1, 134775814u, 526467},
                 {42, 1365616851u, 5334440},
                 {0x12345678u, 3411775577u, 13327247},
                 {0xFFFFFFFFu, 4160191484u, 16250747},
                 {0x4D60AE66u, 0xFFFFFFFFu, 16777214}};
    for (const auto& c : cases) {
        std::uint32_t seed = c.seed;
        EXPECT_EQ(nextRandomColour(seed), c.value) << c.seed;
        EXPECT_EQ(seed, c.nextSeed);
    }
}

TEST(ColourPick, PreviewsOnlyAChangeOfColourAndButtonsDecideTheResult) {
    ColourPick pick;
    pick.begin(14801352);
    EXPECT_EQ(pick.moved(255), 255);
    EXPECT_EQ(pick.moved(255), std::nullopt);
    EXPECT_EQ(pick.moved(65280), 65280);
    EXPECT_EQ(pick.moved(255), 255);
    pick.pressed(PickButton::Right, 255);
    pick.begin(2);
    EXPECT_EQ(pick.moved(255), std::nullopt); // the last preview survives into the next pick
    pick.pressed(PickButton::Left, 255);
    pick.begin(7);
    EXPECT_FALSE(pick.accepted()); // a new pick forgets the last acceptance
    EXPECT_EQ(pick.result(), 7);   // closed without a button: cancelled
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
