#include "links/open_url.h"
#include "tests/support/messages.h"

#include <gtest/gtest.h>
#include <vector>

using namespace trov;
using namespace trov::links;

namespace {

using V = std::vector<std::string>;

// What openUrl opened and the boxes it showed.
std::pair<V, V> open(std::string_view text) {
    V opened;
    test::RecordingMessages messages;
    openUrl(
        text, [&](const std::string& a) { opened.push_back(a); }, messages);
    return {opened, messages.texts()};
}

} // namespace

TEST(OpenUrl, OpensOnlyWebAddresses) {
    const std::pair<std::string_view, std::string> web[] = {
        {"http://example.com/", "http://example.com/"},
        {"https://example.com/a?b=c d", "https://example.com/a?b=c d"},
        {"HTTPS://EXAMPLE.COM", "HTTPS://EXAMPLE.COM"},
        {"ftp://files.example.com/pub", "ftp://files.example.com/pub"},
        {"  http://example.com/\r", "http://example.com/"},
    };
    for (const auto& [text, address] : web)
        EXPECT_EQ(open(text), std::pair(V{address}, V{})) << text;
    for (std::string_view text :
         {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm", "~/run.sh", "run.desktop",
          "example.com", "mailto:a@example.com", "http:example.com", "http://",
          "http:///etc/passwd", "https://a\nfile:///x", "httpx://example.com", ""})
        EXPECT_EQ(open(text), std::pair(V{}, V{std::string(kNotAWebAddress)})) << text;
}
