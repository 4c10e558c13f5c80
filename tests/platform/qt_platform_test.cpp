#include "platform/qt_platform.h"

#include <gtest/gtest.h>

using trov::platform::chosenQtPlatform;

// WAYLAND_DISPLAY, DISPLAY and QT_QPA_PLATFORM (null: not set), and the platform chosen.
TEST(QtPlatform, XWaylandUnlessTheUserChose) {
    const std::tuple<const char*, const char*, const char*, std::optional<std::string>> cases[] = {
        {"wayland-0", ":0", nullptr, "xcb"},
        {"wayland-0", ":0", "", "xcb"},
        {"wayland-0", ":0", "wayland", {}},
        {"wayland-0", nullptr, nullptr, {}},
        {"wayland-0", "", nullptr, {}},
        {nullptr, ":0", nullptr, {}},
        {"", ":0", nullptr, {}}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& [wayland, display, qpa, expected] = cases[i];
        EXPECT_EQ(chosenQtPlatform(wayland, display, qpa), expected) << i;
    }
}
