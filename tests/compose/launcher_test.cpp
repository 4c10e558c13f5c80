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

// The default handler gets the address as its only argument; a browser command runs
// without a shell, the address one argument wherever %u stands.
TEST_F(LaunchFixture, HostileAddressesStayOneArgument) {
    for (const std::string& address : kHostile) {
        for (const char* name : {"xdg-open", "fakebrowser"})
            std::remove(dir.file(std::string(name) + ".args").c_str());
        platform::ProcessLauncher().launch(address, "fakebrowser --new-tab %u --class %c");
        EXPECT_EQ(rec.args("fakebrowser"),
                  (std::vector<std::string>{"--new-tab", address, "--class"}));
        EXPECT_FALSE(rec.ran("xdg-open"));
        platform::ProcessLauncher().launch(address, "");
        EXPECT_EQ(rec.args("xdg-open"), std::vector<std::string>{address});
    }
}

TEST_F(LaunchFixture, FullPathQuotedCommandAndABlankOne) {
    platform::ProcessLauncher().launch("a b", "\"" + rec.binDir() + "/fakebrowser\" \"x y\"");
    EXPECT_EQ(rec.args("fakebrowser"), (std::vector<std::string>{"x y", "a b"}));
    platform::ProcessLauncher().launch("https://a/", "   "); // the default handler
    EXPECT_EQ(rec.args("xdg-open"), std::vector<std::string>{"https://a/"});
}

TEST_F(LaunchFixture, AMissingProgramIsNotReported) {
    EXPECT_NO_THROW(platform::ProcessLauncher().launch("https://a/", "no-such-browser-here %u"));
    EXPECT_FALSE(platform::spawnDetached({"no-such-browser-here"}));
    EXPECT_FALSE(platform::spawnDetached({}));
    EXPECT_FALSE(rec.ran("xdg-open"));
}
