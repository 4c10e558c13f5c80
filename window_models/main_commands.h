// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The seam between the main window and the windows and commands around it (history
// window, suggestions manager, settings files, reset, broom). Neither side reaches into
// the other's widgets: the main window implements MainWindowCommands for them, and reports
// what the user asks of them as signals the program wires.

#include "compose/search_engine.h"

#include <string>

namespace trov {

class FormModel;

// What the other windows may ask of the main window.
class MainWindowCommands {
public:
    virtual ~MainWindowCommands() = default;

    virtual FormModel& form() = 0;
    // Shows every field, list, mark and colour as the form model now holds them and
    // re-runs the field colouring.
    virtual void syncFromModel() = 0;
    // An engine button press, exactly as a click (the Links button included: the crawl
    // request mode of the model decides whether its menu pops up).
    virtual void pressEngine(SearchEngine engine) = 0;
    virtual bool isExpanded() const = 0;
    // The expand/collapse toggle (csExpandClick).
    virtual void toggleExpanded() = 0;
    // Go, as the Go button.
    virtual void go() = 0;
    // "Crawl from list of links" chosen with this list file, without the open dialog (also
    // when the path is empty or names no file).
    virtual void loadCrawlList(const std::string& path) = 0;
    // Runs the own engine of that name with the form as it now is; false when there is
    // no such engine.
    virtual bool runOwnEngine(const std::string& name) {
        (void)name;
        return false;
    }
    // Whether engines.cfg is there: without it no record counts as an own engine's, so
    // history behaves as it did before own engines existed.
    virtual bool hasOwnEnginesFile() const { return false; }
    virtual int backgroundColour() const = 0;
    // Applies and stores a background colour (NastaviOzadje).
    virtual void applyBackground(int colour) = 0;
    // Visible and not faded out (FadeLevel 10 or more); a window that cannot tell counts
    // as away, so it is brought forward.
    virtual bool isShown() const { return false; }
    // Hides the suggestion drop-down.
    virtual void hideSuggestions() {}
    // Puts the input focus in the search-words field.
    virtual void focusWords() {}
};

} // namespace trov
