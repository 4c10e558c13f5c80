#include "window_models/crawl_questions.h"

#include "common/messages.h"

namespace trov {

bool askStop(Messages& messages) {
    return messages.ask("Stop browsing and show partial results?");
}

CancelAnswer askCancel(Messages& messages) {
    if (!messages.ask("  Do you want to cancel searching ?  "))
        return CancelAnswer::KeepGoing;
    return messages.askYesPreselected("  Do you want to show partial results ?  ")
               ? CancelAnswer::Stop
               : CancelAnswer::Cancel;
}

} // namespace trov
