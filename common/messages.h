// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Message boxes, captioned "Trov". The window program shows real ones; tests and trovctl
// answer them.

#include <string>

namespace trov {

// None: a plain box without an icon.
enum class MessageIcon { Information, Warning, Error, None };

class Messages {
public:
    virtual ~Messages() = default;
    // An OK box; alwaysOnTop for the boxes that must not hide behind the stay-on-top window.
    virtual void show(MessageIcon icon, const std::string& text, bool alwaysOnTop = false) = 0;
    // A Yes/No question with the question icon and "No" preselected; true for Yes.
    virtual bool ask(const std::string& text) = 0;
    // The one question that preselects "Yes" (showing partial results of a cancelled
    // crawl). Answerers that draw no box may keep this default and answer it like ask().
    virtual bool askYesPreselected(const std::string& text) { return ask(text); }
};

} // namespace trov
