// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The core's texts stay English and free of Qt; the windows show them translated. A text a
// person reads is written TROV_TEXT("Core", "...") where it is defined: the text itself,
// marked for Qt's lupdate (told to read TROV_TEXT as QT_TRANSLATE_NOOP), always in the
// context "Core". A text with arguments is an English format with %1 to %9, filled by
// formatText; the window finds the format again in the text it is handed and fills the
// translated format with the same arguments (app/shared/core_texts.h).

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#define TROV_TEXT(context, text) text

namespace trov {

// format with each %1 to %9 replaced by that argument; "%%" stays as it is, and a
// placeholder without an argument is left in place.
std::string formatText(std::string_view format, std::initializer_list<std::string_view> args);
std::string formatText(std::string_view format, const std::vector<std::string>& args);

} // namespace trov

#include <optional>

namespace trov {

// The arguments that formatText filled into format to give text, by placeholder number
// (index 0 for %1); nullopt when text is not of that format. Each text between two
// placeholders is taken at its first place, so an argument holding the next piece of the
// format splits early; the window then shows a translation with that split.
std::optional<std::vector<std::string>> matchFormat(std::string_view text, std::string_view format);

} // namespace trov
