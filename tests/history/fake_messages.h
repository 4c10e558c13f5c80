#pragma once

#include "common/messages.h"

#include <string>
#include <vector>

namespace trov::test {

// Records every box and answers questions with a fixed reply.
struct FakeMessages : Messages {
    struct Shown {
        MessageIcon icon;
        std::string text;
        bool onTop;
    };
    std::vector<Shown> shown;
    std::vector<std::string> asked;
    bool answer = true;

    void show(MessageIcon icon, const std::string& text, bool alwaysOnTop) override {
        shown.push_back({icon, text, alwaysOnTop});
    }
    bool ask(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
};

} // namespace trov::test
