#include "platform/qt_platform.h"

#include <gtest/gtest.h>

using trov::platform::chosenQtPlatform;

TEST(QtPlatform, XWaylandUnlessTheUserChose) {
    struct Case {
        const char* wayland;
        const char* display;
        const char* qpa;
        std::optional<std::string> expected;
    } cases[] = {
        {"wayland-0", ":0", nullptr, "xcb"},
        {"wayland-0", ":0", "", "xcb"},
        {"wayland-0", ":0", "wayland", {}},
        {"wayland-0", nullptr, nullptr, {}},
        {"wayland-0", "", nullptr, {}},
        {nullptr, ":0", nullptr, {}},
        {"", ":0", nullptr, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chosenQtPlatform(c.wayland, c.display, c.qpa), c.expected)
            << (c.wayland ? c.wayland : "-") << " " << (c.display ? c.display : "-") << " "
            << (c.qpa ? c.qpa : "-");
}
