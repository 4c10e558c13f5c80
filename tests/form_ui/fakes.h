#pragma once

// Answerers for the dialogs of the form windows.

#include "app/file_chooser.h"
#include "common/messages.h"

#include <deque>
#include <string>
#include <vector>

namespace trov::test {

// Answers each dialog with the next queued path ("" cancels) and records what it was
// asked.
struct QueuedFiles : FileChooser {
    std::deque<std::string> answers;
    struct Asked {
        std::string filter, suffix, startName;
        bool save;
    };
    std::vector<Asked> asked;

    std::string saveFile(const FileDialogSpec& dialogSpec, const std::string& start) override {
        return next(dialogSpec, start, true);
    }
    std::string openFile(const FileDialogSpec& dialogSpec, const std::string& start) override {
        return next(dialogSpec, start, false);
    }

private:
    std::string next(const FileDialogSpec& dialogSpec, const std::string& start, bool save) {
        asked.push_back({dialogSpec.filter, dialogSpec.defaultSuffix, start, save});
        if (answers.empty())
            return {};
        std::string a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct AnsweringMessages : Messages {
    std::vector<std::string> shown, asked;
    bool answer = false;
    void show(MessageIcon, const std::string& text, bool) override { shown.push_back(text); }
    bool ask(const std::string& text) override {
        asked.push_back(text);
        return answer;
    }
};

} // namespace trov::test
