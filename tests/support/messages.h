#pragma once

// Message boxes answered in tests. Every question is answered No.

#include "common/messages.h"

#include <string>
#include <vector>

namespace trov::test {

// Shows nothing.
struct SilentMessages : Messages {
    void show(MessageIcon, const std::string&, bool) override {}
    bool ask(const std::string&) override { return false; }
};

// Keeps the text of every box shown, in order.
struct ShownTexts : Messages {
    std::vector<std::string> shown;
    void show(MessageIcon, const std::string& text, bool) override { shown.push_back(text); }
    bool ask(const std::string&) override { return false; }
};

} // namespace trov::test
