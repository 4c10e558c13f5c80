#include "links/open_url.h"
#include "tests/support/messages.h"

#include <gtest/gtest.h>

using namespace trov;

TEST(OpenUrl, OpensOnlyWebAddresses) {
    // What openUrl opened, then the boxes it showed.
    const auto open = [](std::string_view text) {
        std::vector<std::string> opened;
        test::RecordingMessages messages;
        links::openUrl(
            text, [&](const std::string& a) { opened.push_back(a); }, messages);
        for (const auto& shown : messages.texts())
            opened.push_back(shown);
        return opened;
    };
    for (const std::string_view address : {"http://example.com/", "https://example.com/a?b=c d",
                                           "HTTPS://EXAMPLE.COM", "ftp://files.example.com/pub"})
        EXPECT_EQ(open(address), std::vector<std::string>{std::string(address)}) << address;
    EXPECT_EQ(open("  http://example.com/\r"), std::vector<std::string>{"http://example.com/"});
    for (std::string_view text :
         {"file:///etc/passwd", "javascript:alert(1)", "/usr/bin/xterm", "~/run.sh", "run.desktop",
          "example.com", "mailto:a@example.com", "http:example.com", "http://",
          "http:///etc/passwd", "https://a\nfile:///x", "httpx://example.com", ""})
        EXPECT_EQ(open(text), std::vector<std::string>{std::string(links::kNotAWebAddress)})
            << text;
}
