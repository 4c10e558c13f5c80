// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_clock.h"

#include <ctime>
#include <iomanip>
#include <locale>
#include <sstream>

namespace trov {

namespace {

std::string formatNow(const char* format) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::ostringstream out;
    try {
        out.imbue(std::locale(""));
    } catch (const std::runtime_error&) {
        // An unknown locale in the environment: the classic formats will do.
    }
    out << std::put_time(&local, format);
    return out.str();
}

} // namespace

std::string SystemHistoryClock::dateText() const {
    return formatNow("%x");
}
std::string SystemHistoryClock::timeText() const {
    return formatNow("%X");
}

} // namespace trov
