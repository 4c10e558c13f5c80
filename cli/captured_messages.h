// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window program's message boxes, for trovctl: the texts are kept for the command to
// print, and questions are answered No.

#include "common/messages.h"

#include <string>
#include <vector>

namespace trov::cli {

class CapturedMessages : public Messages {
public:
    std::vector<std::string> texts;
    void show(MessageIcon, const std::string& text, bool) override { texts.push_back(text); }
    bool ask(const std::string&) override { return false; }
};

// A message box text for a terminal: its "\r\n" line breaks become "\n".
inline std::string terminalText(std::string text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace trov::cli
