// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Open URL" of the links viewer. The address box may hold any text, and the desktop's
// opener would also start a local program or script from it, so only web addresses are
// handed on.

#include "common/messages.h"
#include "common/translatable.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace trov::links {

// Hands one address to the desktop's default handler.
using OpenAddress = std::function<void(const std::string&)>;

inline constexpr std::string_view kNotAWebAddress = TROV_TEXT(
    "Core", "Only web addresses that begin with http://, https:// or ftp:// can be opened.");

// The address to open: the text trimmed, when it is an http, https or ftp address with a
// host part and no control character inside; nothing otherwise.
std::optional<std::string> webAddress(std::string_view text);

// Opens the address box's text, or tells the user why it does not.
void openUrl(std::string_view text, const OpenAddress& open, Messages& messages);

} // namespace trov::links
