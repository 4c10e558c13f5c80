#include "window_models/exit_sequence.h"

#include "common/messages.h"
#include "common/store_file.h"
#include "history/history_store.h"

namespace trov {

ExitSequence::ExitSequence(Config& config, HistoryStore& history, Messages& messages, Hooks hooks)
    : config_(config), history_(history), messages_(messages), hooks_(std::move(hooks)) {}

void ExitSequence::end(ExitPath path) {
    if (hooks_.stopCrawl)
        hooks_.stopCrawl();
    if (ended_)
        return;
    ended_ = true;
    const CloseState state = hooks_.state ? hooks_.state() : CloseState{};
    const auto refused = runExitWrites(config_, state, path, [this] {
        FileError error;
        if (!history_.ShraniTabelo(&error))
            messages_.show(MessageIcon::Error, unableToWrite(error.path));
    });
    for (const std::string& text : refused)
        messages_.show(MessageIcon::Error, text);
    if (quit)
        quit();
}

} // namespace trov
