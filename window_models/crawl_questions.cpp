// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_models/crawl_questions.h"

#include "common/messages.h"
#include "common/translatable.h"

namespace trov {

bool askStop(Messages& messages) {
    return messages.ask(TROV_TEXT("Core", "Stop browsing and show partial results?"));
}

CancelAnswer askCancel(Messages& messages) {
    if (!messages.ask(TROV_TEXT("Core", "  Do you want to cancel searching ?  ")))
        return CancelAnswer::KeepGoing;
    return messages.askYesPreselected(
               TROV_TEXT("Core", "  Do you want to show partial results ?  "))
               ? CancelAnswer::Stop
               : CancelAnswer::Cancel;
}

} // namespace trov
