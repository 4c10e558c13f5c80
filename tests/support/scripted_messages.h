// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Message boxes that tests answer: each question takes the next queued answer (No once the
// queue is empty), and every box shown or asked is kept in order. While a box is "open",
// onShow may act as the user would meanwhile (its event loop runs on).

#include "common/messages.h"

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace trov::test {

struct ScriptedMessages : Messages {
    struct Shown {
        MessageIcon icon;
        std::string text;
    };
    void show(MessageIcon icon, const std::string& text, bool) override {
        shown.push_back({icon, text});
        deepest = std::max(deepest, ++open);
        if (onShow)
            onShow(text);
        --open;
    }
    bool ask(const std::string& text) override {
        asked.push_back(text);
        const bool answer = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return answer;
    }
    bool askYesPreselected(const std::string& text) override {
        yesPreselected.push_back(text);
        return Messages::askYesPreselected(text); // the default: an ordinary question
    }
    std::deque<bool> answers;
    std::vector<std::string> asked;
    std::vector<std::string> yesPreselected;
    std::vector<Shown> shown;
    std::function<void(const std::string&)> onShow;
    int open = 0, deepest = 0; // boxes open at once
};

} // namespace trov::test
