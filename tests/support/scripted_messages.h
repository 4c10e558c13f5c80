#pragma once

// Message boxes that tests answer: each question takes the next queued answer (No once the
// queue is empty), and every box shown or asked is kept in order.

#include "common/messages.h"

#include <deque>
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
};

} // namespace trov::test
