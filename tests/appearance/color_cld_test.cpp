#include "appearance/color_cld.h"
#include "common/atomic_file.h"
#include "tests/support/temp_dir.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace trov;

namespace {

const std::string kData = TROV_SOURCE_DIR "/tests/appearance/data/";

std::string data(const std::string& name) {
    return readWholeFile(kData + name).value_or("<missing>");
}

} // namespace

// The golden files are laid out by hand; see data/README.md.
TEST(ColorCld, TheStreamByteForByte) {
    ColourDialogState state;
    state.colour = 14801352;
    state.customColours[0] = 0x0000FF;
    state.customColours[15] = 14801352;
    EXPECT_EQ(serializeColorCld(state), data("color.cld"));
    // Small colours take the short integer forms; black, the default, is not streamed.
    for (const auto& [colour, bytes] : {std::pair{100, std::string("\x05"
                                                                   "Color\x02\x64")},
                                        std::pair{0x1234, std::string("\x05"
                                                                      "Color\x03\x34\x12")},
                                        std::pair{0, std::string("\x05"
                                                                 "Color\x02")}}) {
        state.colour = colour;
        EXPECT_EQ(serializeColorCld(state).find(bytes) != std::string::npos, colour != 0);
    }
}

TEST(ColorCld, AStreamAsTheWindowsProgramMayHaveWrittenIt) {
    std::string error;
    const auto state = parseColorCld(data("foreign.cld"), &error);
    ASSERT_TRUE(state) << error;
    EXPECT_EQ(state->colour, 0x0000FF);
    auto expected = ColourDialogState{}.customColours; // white
    expected[2] = 0x00FF00;                            // the first line of a slot wins
    expected[6] = 0xABC;
    EXPECT_EQ(state->customColours, expected);
}

TEST(ColorCld, BrokenStreamsAreRefused) {
    for (const auto& file : std::filesystem::directory_iterator(kData + "corrupt")) {
        std::string error;
        EXPECT_FALSE(parseColorCld(data("corrupt/" + file.path().filename().string()), &error))
            << file.path();
        EXPECT_EQ(error, "Invalid stream format");
    }
    // Truncation at every byte either parses or refuses; it never reads past the end.
    const std::string good = data("color.cld");
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
