#pragma once

// The file dialogs of the form windows, answered from a queue.

#include "app/file_chooser.h"

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

} // namespace trov::test
