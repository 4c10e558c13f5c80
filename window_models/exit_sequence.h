// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way the program ends, for both of its paths: the close (the window closed, the
// tray's "Exit") and the main menu's "Exit". A running crawl is cancelled and given a
// bounded moment to end, the path's writes are made with every refusal shown, and the
// program's main loop is ended. The first call ends the program; a later one only tells
// the crawl again. Where nobody
// may be there to answer a box (the desktop session ends, a signal), the refusals are told
// to another answerer.

#include "window_models/window_keys.h"

#include <functional>

namespace trov {

class HistoryStore;
class Messages;

class ExitSequence {
public:
    struct Hooks {
        std::function<CloseState()> state; // the main window as it is now
        std::function<void()> stopCrawl;   // cancels it, waits a bounded moment
    };

    ExitSequence(Config& config, HistoryStore& history, Messages& messages, Hooks hooks);

    void end(ExitPath path);
    // The same with the refusals told to report rather than in boxes.
    void end(ExitPath path, Messages& report);
    // The close path's writes without ending: asked for before the desktop session ends,
    // which another program may yet refuse. Nothing after the end.
    void save(Messages& report);
    bool ended() const { return ended_; }
    // Whether one of the last writes (of the end, or of a save) was refused.
    bool refused() const { return refused_; }

    // Ends the program's main loop; the program gives the loop's quit, tests their own.
    std::function<void()> quit;

private:
    void write(ExitPath path, Messages& report);

    Config& config_;
    HistoryStore& history_;
    Messages& messages_;
    Hooks hooks_;
    bool ended_ = false;
    bool refused_ = false;
};

} // namespace trov
