// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A crawl's progress kept as the latest value of each of the panel's fields. A crawl reports
// far more often than a panel can show (a page of many links reports each of them), so the
// reports wait here and the panel takes them in one go: the first report after a take calls
// wake, on the crawl's thread, and no other does until the next take, so at most one take is
// ever asked for. The links list is no field; a subclass hands it on.

#include "crawler/crawl_progress.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace trov {

class LatestProgress : public CrawlProgress {
public:
    explicit LatestProgress(std::function<void()> wake) : wake_(std::move(wake)) {}

    void panelShown(bool shown) override { set(&Fields::panelShown, shown); }
    void modeCaption(const std::string& caption) override { set(&Fields::caption, caption); }
    void counterText(const std::string& counter) override { set(&Fields::counter, counter); }
    void currentAddress(const std::string& address) override { set(&Fields::address, address); }
    void addressShown(bool shown) override { set(&Fields::addressShown, shown); }
    void placeAddress(int left, int top, int width) override {
        set(&Fields::place, Place{left, top, width});
    }
    void barShown(bool shown) override { set(&Fields::barShown, shown); }
    void barMaximum(long maximum) override { set(&Fields::barMaximum, maximum); }
    void barPosition(long position) override { set(&Fields::barPosition, position); }

    // Tells panel every field reported since the last take, in an order that leaves it as
    // the reports one by one would have, and forgets them.
    void takeInto(CrawlProgress& panel);
    // Forgets them unshown (the reports of a job nobody waits for).
    void discard() { take(); }

private:
    struct Place {
        int left, top, width;
    };
    struct Fields {
        std::optional<bool> panelShown, addressShown, barShown;
        std::optional<std::string> caption, counter, address;
        std::optional<Place> place;
        std::optional<long> barMaximum, barPosition;
    };

    template <typename T, typename V> void set(std::optional<T> Fields::*field, V&& value) {
        bool first = false;
        {
            std::lock_guard lock(mutex_);
            fields_.*field = std::forward<V>(value);
            first = !std::exchange(waking_, true);
        }
        if (first && wake_)
            wake_();
    }
    Fields take();

    std::function<void()> wake_;
    std::mutex mutex_;
    Fields fields_;
    bool waking_ = false; // a take has been asked for and has not come yet
};

} // namespace trov
