#include "appearance/color_cld.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

std::string shortString(std::string_view s) {
    return std::string(1, static_cast<char>(s.size())) + std::string(s);
}

std::string line(std::string_view s) {
    return "\x06" + shortString(s);
}

} // namespace

TEST(ColorCld, TheStreamByteForByte) {
    ColourDialogState state;
    state.colour = 14801352;
    state.customColours[0] = 0x0000FF;
    state.customColours[15] = 14801352;
    std::string expected = "TPF0" + shortString("TColorDialog") + shortString("ColorDialog");
    expected += shortString("Color") + "\x04" + std::string("\xC8\xD9\xE1\x00", 4);
    expected += shortString("CustomColors.Strings") + "\x01";
    expected += line("ColorA=0000FF");
    for (char slot = 'B'; slot <= 'O'; ++slot)
        expected += line(std::string("Color") + slot + "=FFFFFF");
    expected += line("ColorP=E1D9C8");
    expected += std::string(1, '\0');
    expected += shortString("Options") + "\x0B" + shortString("cdFullOpen") +
                shortString("cdPreventFullOpen") + shortString("cdShowHelp") +
                shortString("cdSolidColor") + shortString("cdAnyColor") + std::string(1, '\0');
    expected += std::string(2, '\0');
    EXPECT_EQ(serializeColorCld(state), expected);
}

TEST(ColorCld, SmallColoursUseTheShortIntegerForms) {
    ColourDialogState state;
    state.colour = 100;
    EXPECT_NE(serializeColorCld(state).find(shortString("Color") + "\x02\x64"), std::string::npos);
    state.colour = 0x1234;
    EXPECT_NE(serializeColorCld(state).find(shortString("Color") + "\x03\x34\x12"),
              std::string::npos);
    state.colour = 0; // black is the default and is not streamed
    EXPECT_EQ(serializeColorCld(state).find(shortString("Color") + "\x02"), std::string::npos);
}

TEST(ColorCld, AStreamAsTheWindowsProgramMayHaveWrittenIt) {
    // Other properties first, an identifier colour, a few slots only, one of them twice,
    // lower-case digits, and a malformed line.
    std::string bytes = "TPF0" + shortString("TColorDialog") + shortString("ColorDialog");
    bytes += shortString("Ctl3D") + "\x08";
    bytes += shortString("HelpContext") + "\x03\x10\x27";
    bytes += shortString("Color") + "\x07" + shortString("clRed");
    bytes += shortString("CustomColors.Strings") + "\x01" + line("ColorC=00ff00") +
             line("ColorC=123456") + line("colorq=000000") + line("ColorD=XYZ") + line("ColorE=") +
             line("ColorF=1000000") + line("ColorG=ABC") + '\0';
    bytes += shortString("Options") + "\x0B" + shortString("cdFullOpen") + shortString("");
    bytes += std::string(2, '\0');
    std::string error;
    const auto state = parseColorCld(bytes, &error);
    ASSERT_TRUE(state) << error;
    EXPECT_EQ(state->colour, 0x0000FF);
    auto expected = ColourDialogState{}.customColours; // white
    expected[2] = 0x00FF00;                            // the first line of a slot wins
    expected[6] = 0xABC;
    EXPECT_EQ(state->customColours, expected);
}

TEST(ColorCld, BrokenStreamsAreRefused) {
    const std::string good = serializeColorCld(ColourDialogState{});
    const std::string cases[] = {
        "",
        "TPF",
        "TPF1" + good.substr(4),
        "TPF0",
        good.substr(0, 20),
        good.substr(0, good.size() - 3 - 60),
        "TPF0" + shortString("TColorDialog") + shortString("ColorDialog") + shortString("X") +
            "\x63", // an unknown value kind
        "TPF0" + shortString("TColorDialog") + shortString("ColorDialog") + shortString("X") +
            "\x0A" + std::string("\xFF\xFF\xFF\x7F", 4), // binary longer than the file
        "TPF0" + shortString("TColorDialog") + shortString("ColorDialog") + shortString("X") +
            std::string(100000, '\x01'), // lists nested past any sense
    };
    for (const auto& bytes : cases) {
        std::string error;
        EXPECT_FALSE(parseColorCld(bytes, &error)) << bytes.size();
        EXPECT_EQ(error, "Invalid stream format");
    }
    // Truncation at every byte either parses or refuses; it never reads past the end.
    for (std::size_t n = 0; n < good.size(); ++n)
        (void)parseColorCld(std::string_view(good).substr(0, n));
}

TEST(ColorCld, FileInTheDataFolderKeepsAllSixteen) {
    test::TempDir dir;
    std::string error = "unset";
    EXPECT_FALSE(readColorCld(dir.path(), &error));
    EXPECT_EQ(error, ""); // missing: white custom colours, nothing to report
    ColourDialogState state;
    for (std::size_t i = 0; i < 16; ++i)
        state.customColours[i] = static_cast<int>(i * 1048573u % 16777216u);
    state.colour = 255;
    ASSERT_TRUE(writeColorCld(dir.path(), state, &error));
    EXPECT_EQ(dir.read("color.cld"), serializeColorCld(state));
    const auto back = readColorCld(dir.path(), &error);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->customColours, state.customColours);
    EXPECT_EQ(back->colour, 255);

    dir.write("color.cld", "garbage");
    EXPECT_FALSE(readColorCld(dir.path(), &error));
    EXPECT_EQ(error, "Invalid stream format");

    EXPECT_FALSE(writeColorCld(dir.path() + "nowhere/", state, &error));
    EXPECT_EQ(error.rfind("Cannot create file \"" + dir.path() + "nowhere/color.cld\". ", 0), 0u)
        << error;
}
