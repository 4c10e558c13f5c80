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
    const struct {
        int colour, p;
        Scheme scheme;
    } cases[] = {
        {14801352, 214, Scheme::Light},                           // the default #C8D9E1
        {0, 0, Scheme::Dark},           {255, 125, Scheme::Dark}, // pure red
        {65280, 212, Scheme::Light},                              // pure green
        {16711680, 66, Scheme::Dark},                             // pure blue
        {10526880, 160, Scheme::Dark},                            // grey 160
        {0xA1A1A1, 161, Scheme::Light},                           // grey 161
        {16777215, 255, Scheme::Light},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.colour);
        EXPECT_EQ(perceivedBrightness(c.colour), c.p);
        const BackgroundScheme s = backgroundScheme(c.colour);
        EXPECT_EQ(s.scheme, c.scheme);
        const bool light = c.scheme == Scheme::Light;
        EXPECT_EQ(s.captionColour, light ? 0 : 16777215);
        EXPECT_EQ(contrastColour(c.colour), s.captionColour);
        EXPECT_EQ(s.pinGlyph, light ? Glyph::Image1 : Glyph::Image2);
        EXPECT_EQ(s.markerColour, light ? 6118749 : 16777215);
        EXPECT_EQ(s.separatorColour, light ? 15658734 : 4934475);
    }
}

TEST(Colour, EveryGreyLevelFollowsTheThreshold) {
    for (int g = 0; g < 256; ++g) {
        const int grey = g | g << 8 | g << 16;
        EXPECT_EQ(perceivedBrightness(grey), g);
        EXPECT_EQ(contrastColour(grey), g > 160 ? kBlack : kWhite) << g;
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
    EXPECT_EQ(toRgb(14801352).red, 200);
    EXPECT_EQ(toRgb(14801352).green, 217);
    EXPECT_EQ(toRgb(14801352).blue, 225);
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

TEST(ColourPick, PreviewsOnlyAChangeOfColourEvenAcrossPicks) {
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
}

TEST(ColourPick, ButtonsDecideTheResult) {
    const struct {
        PickButton button;
        bool closes, accepted;
        int result;
    } cases[] = {{PickButton::Left, true, true, 255},
                 {PickButton::Right, true, false, 14801352},
                 {PickButton::Other, false, false, 14801352}};
    for (const auto& c : cases) {
        ColourPick pick;
        pick.begin(14801352);
        pick.moved(65280);
        EXPECT_EQ(pick.pressed(c.button, 255), c.closes);
        EXPECT_EQ(pick.accepted(), c.accepted);
        EXPECT_EQ(pick.result(), c.result);
    }
}
