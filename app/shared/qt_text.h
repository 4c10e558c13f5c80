// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The core keeps its texts as UTF-8; the windows show them as QString.

#include <QString>
#include <string_view>

namespace trov {

inline QString toQString(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace trov
