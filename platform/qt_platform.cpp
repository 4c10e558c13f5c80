// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_platform.h"

#include <cstdlib>

namespace trov::platform {

namespace {
bool given(const char* value) {
    return value && *value;
}
} // namespace

std::optional<std::string> chosenQtPlatform(const char* waylandDisplay, const char* display,
                                            const char* qtPlatform) {
    if (given(qtPlatform) || !given(waylandDisplay) || !given(display))
        return std::nullopt;
    return "xcb";
}

std::optional<std::string> chosenQtPlatform() {
    return chosenQtPlatform(std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY"),
                            std::getenv("QT_QPA_PLATFORM"));
}

} // namespace trov::platform
