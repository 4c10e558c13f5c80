// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Fontconfig reads the whole of the desktop's font configuration before the first text
// can be measured: on a common desktop that is the largest single step of the start. The
// read needs no display, so it runs on a thread of its own while the program connects to
// the display and loads its stores, and the window waits for it before its first text.

#include <thread>

namespace trov {

class FontPreload {
public:
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload&) = delete;
    FontPreload& operator=(const FontPreload&) = delete;

    // Returns once the configuration is loaded; call before the first widget with text.
    void wait();

private:
    std::thread loader_;
};

} // namespace trov
