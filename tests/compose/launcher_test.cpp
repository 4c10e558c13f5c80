#include "platform/launcher.h"
#include "tests/support/env.h"
#include "tests/support/recorder.h"

#include <gtest/gtest.h>

using namespace trov;

namespace {

struct LaunchFixture : ::testing::Test {
    test::TempDir dir;
    test::Recorder rec{dir};
    test::ScopedEnv env;
    void SetUp() override {
        rec.install("xdg-open");
        rec.install("fakebrowser");
        env.set("PATH", rec.binDir() + ":/usr/bin:/bin");
    }
};

const std::string kHostile[] = {
    "https://www.google.com/search?q=a;touch /tmp/trov-pwned",
    "https://x/?q=$(id)&r=`id`",
    "https://x/?q=\"quoted\" 'single' \\back",
    "https://x/?q=a b\tc\nd",
    "-n",
    "%u %U %%",
};

} // namespace

TEST_F(LaunchFixture, DefaultHandlerGetsTheAddressAsItsOnlyArgument) {
    for (const std::string& address : kHostile) {
        std::remove(dir.file("xdg-open.args").c_str());
        platform::ProcessLauncher().launch(address, "");
        const auto args = rec.args("xdg-open");
        ASSERT_TRUE(args) << address;
        EXPECT_EQ(*args, std::vector<std::string>{address});
    }
}

TEST_F(LaunchFixture, BrowserCommandRunsWithoutAShell) {
    for (const std::string& address : kHostile) {
        std::remove(dir.file("fakebrowser.args").c_str());
        platform::ProcessLauncher().launch(address, "fakebrowser --new-tab %u --class %c");
        const auto args = rec.args("fakebrowser");
        ASSERT_TRUE(args) << address;
        EXPECT_EQ(*args, (std::vector<std::string>{"--new-tab", address, "--class"}));
        EXPECT_FALSE(rec.ran("xdg-open"));
    }
}

TEST_F(LaunchFixture, FullPathAndQuotedCommand) {
    platform::ProcessLauncher().launch("a b", "\"" + rec.binDir() + "/fakebrowser\" \"x y\"");
    EXPECT_EQ(rec.args("fakebrowser"), (std::vector<std::string>{"x y", "a b"}));
}

TEST_F(LaunchFixture, EmptyCommandLineFallsBackToTheDefaultHandler) {
    platform::ProcessLauncher().launch("https://a/", "   ");
    EXPECT_EQ(rec.args("xdg-open"), std::vector<std::string>{"https://a/"});
}

TEST_F(LaunchFixture, AMissingProgramIsNotReported) {
    EXPECT_NO_THROW(platform::ProcessLauncher().launch("https://a/", "no-such-browser-here %u"));
    EXPECT_FALSE(platform::spawnDetached({"no-such-browser-here"}));
    EXPECT_FALSE(platform::spawnDetached({}));
    EXPECT_FALSE(rec.ran("xdg-open"));
}
