// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Long scans of a page look at the crawl's cancel flag at bounded intervals, so a Cancel
// ends them within milliseconds even inside a page of many megabytes. A scan that sees the
// flag stops where it is; the cancelled crawl throws its result away.

#include <atomic>
#include <cstddef>

namespace trov {

class CancelCheck {
public:
    explicit CancelCheck(const std::atomic<bool>* flag) : flag_(flag) {}

    // Whether the scan, now at byte pos, is to stop. The flag is read at most once per
    // stride of the scan, so the check costs nothing measurable.
    bool stop(std::size_t pos) {
        if (!flag_ || pos < next_)
            return false;
        next_ = pos + kStride;
        return flag_->load(std::memory_order_relaxed);
    }

private:
    static constexpr std::size_t kStride = 64 << 10;
    const std::atomic<bool>* flag_;
    std::size_t next_ = 0;
};

} // namespace trov
