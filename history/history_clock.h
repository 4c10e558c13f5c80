// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The date and time texts a new history record is stamped with, as the desktop formats
// them. Injected so that tests get fixed texts.

#include <string>

namespace trov {

class HistoryClock {
public:
    virtual ~HistoryClock() = default;
    virtual std::string dateText() const = 0; // the user's short date
    virtual std::string timeText() const = 0; // the user's long time
};

// The current local date and time in the user's locale (LC_TIME).
class SystemHistoryClock : public HistoryClock {
public:
    std::string dateText() const override;
    std::string timeText() const override;
};

} // namespace trov
