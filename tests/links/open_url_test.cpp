#include "links/open_url.h"
#include "tests/support/messages.h"

#include <gtest/gtest.h>
#include <vector>

using namespace trov;
using namespace trov::links;

namespace {
using RecordedMessages = test::RecordingMessages;
} // namespace

TEST(OpenUrl, OpensOnlyWebAddresses) {
    struct Case {
        std::string_view text;
        std::optional<std::string> opened;
    } cases[] = {
        {"http://example.com/", "http://example.com/"},
        {"https://example.com/a?b=c d", "https://example.com/a?b=c d"},
        {"HTTPS://EXAMPLE.COM", "HTTPS://EXAMPLE.COM"},
        {"ftp://files.example.com/pub", "ftp://files.example.com/pub"},
        {"  http://example.com/\r", "http://example.com/"},
        {"file:///etc/passwd", std::nullopt},
        {"javascript:alert(1)", std::nullopt},
        {"/usr/bin/xterm", std::nullopt},
        {"~/run.sh", std::nullopt},
        {"run.desktop", std::nullopt},
        {"example.com", std::nullopt},
        {"mailto:a@example.com", std::nullopt},
        {"http:example.com", std::nullopt},
        {"http://", std::nullopt},
        {"http:///etc/passwd", std::nullopt},
        {"https://a\nfile:///x", std::nullopt},
        {"httpx://example.com", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& c : cases) {
        std::vector<std::string> opened;
        RecordedMessages messages;
        openUrl(
            c.text, [&](const std::string& a) { opened.push_back(a); }, messages);
        if (c.opened) {
            EXPECT_EQ(opened, std::vector<std::string>{*c.opened}) << c.text;
            EXPECT_TRUE(messages.shown.empty()) << c.text;
        } else {
            EXPECT_TRUE(opened.empty()) << c.text;
            EXPECT_EQ(messages.texts(), std::vector<std::string>{std::string(kNotAWebAddress)})
                << c.text;
        }
    }
}
