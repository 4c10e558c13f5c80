// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The core's English texts as the window shows them: translated when the session's
// language has them. A text of the core is either one of its marked texts as it is, or one
// of its formats filled with arguments (the format is found again in the text, its
// translation filled with the same arguments); a text of several lines is translated line
// by line when it is neither. Anything else is shown as it came.

#include <QString>
#include <string_view>

namespace trov {

QString coreText(std::string_view english);

} // namespace trov
