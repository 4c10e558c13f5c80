// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The questions behind the progress panel's "Stop" and "Cancel" buttons.

namespace trov {

class Messages;

enum class CancelAnswer {
    KeepGoing, // the crawl goes on
    Stop,      // StopRequested: finish with what was collected
    Cancel,    // CancelRequested: abandon, clear the LinkList, show nothing
};

// "Stop browsing and show partial results?"; true for Yes (StopRequested).
bool askStop(Messages& messages);

// "  Do you want to cancel searching ?  ", and on Yes "  Do you want to show partial
// results ?  " with Yes preselected.
CancelAnswer askCancel(Messages& messages);

} // namespace trov
