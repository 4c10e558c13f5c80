// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/latest_progress.h"

namespace trov {

LatestProgress::Fields LatestProgress::take() {
    std::lock_guard lock(mutex_);
    waking_ = false;
    return std::exchange(fields_, {});
}

void LatestProgress::takeInto(CrawlProgress& panel) {
    const Fields f = take();
    // The place before the address, which is shortened to the label's width; the bar's
    // maximum before its position, which is held below it.
    if (f.panelShown)
        panel.panelShown(*f.panelShown);
    if (f.place)
        panel.placeAddress(f.place->left, f.place->top, f.place->width);
    if (f.addressShown)
        panel.addressShown(*f.addressShown);
    if (f.barShown)
        panel.barShown(*f.barShown);
    if (f.barMaximum)
        panel.barMaximum(*f.barMaximum);
    if (f.barPosition)
        panel.barPosition(*f.barPosition);
    if (f.caption)
        panel.modeCaption(*f.caption);
    if (f.counter)
        panel.counterText(*f.counter);
    if (f.address)
        panel.currentAddress(*f.address);
}

} // namespace trov
