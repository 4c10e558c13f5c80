// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Message boxes answered in tests.

#include "common/messages.h"

#include <string>
#include <vector>

namespace trov::test {

// Shows nothing; every question is answered No.
struct SilentMessages : Messages {
    void show(MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

// Keeps the text of every box shown; every question is answered No.
struct ShownTexts : SilentMessages {
    std::vector<std::string> shown;
    void show(MessageIcon, const std::string& text, bool) override { shown.push_back(text); }
};

// Keeps every box shown and every question asked, in order; questions get a fixed answer.
struct RecordingMessages : Messages {
    struct Shown {
        MessageIcon icon;
        std::string text;
        bool onTop;
    };
    std::vector<Shown> shown;
    std::vector<std::string> asked;
    bool answer = true;

    void show(MessageIcon icon, const std::string& text, bool onTop) override {
        shown.push_back({icon, text, onTop});
    }
    bool ask(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const Shown& s : shown)
            out.push_back(s.text);
        return out;
    }
};

} // namespace trov::test
