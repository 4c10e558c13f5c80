// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_models/exit_sequence.h"

#include "common/messages.h"
#include "common/store_file.h"
#include "history/history_store.h"

namespace trov {

ExitSequence::ExitSequence(Config& config, HistoryStore& history, Messages& messages, Hooks hooks)
    : config_(config), history_(history), messages_(messages), hooks_(std::move(hooks)) {}

void ExitSequence::end(ExitPath path) {
    end(path, messages_);
}

void ExitSequence::end(ExitPath path, Messages& report) {
    if (hooks_.stopCrawl)
        hooks_.stopCrawl();
    if (ended_)
        return;
    ended_ = true;
    write(path, report);
    if (quit)
        quit();
}

void ExitSequence::save(Messages& report) {
    if (!ended_)
        write(ExitPath::Close, report);
}

void ExitSequence::write(ExitPath path, Messages& report) {
    refused_ = false;
    const CloseState state = hooks_.state ? hooks_.state() : CloseState{};
    const auto refused = runExitWrites(config_, state, path, [&] {
        FileError error;
        if (!history_.ShraniTabelo(&error)) {
            refused_ = true;
            report.show(MessageIcon::Error, unableToWrite(error.path));
        }
    });
    for (const std::string& text : refused) {
        refused_ = true;
        report.show(MessageIcon::Error, text);
    }
}

} // namespace trov
