// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The user's settings files (.gms, INI, section Pin): "Save settings" writes the six list
// indexes, the background colour, the search kind and an engine code; "Open settings"
// applies them to the main window's form.

#include <string>
#include <string_view>

namespace trov {

class FormModel;
class MainWindowCommands;

inline constexpr std::string_view kSettingsSection = "Pin";
// bkgkol's default when absent: one below the start-up colour, meaning "keep the colour".
inline constexpr int kKeepColourSentinel = 14801351;
inline constexpr int kDefaultEngineCode = 1;

// The Tip2 code of the pressed engine: 1 Google, 2 Bing, 3 DuckDuckGo, 4 Wikipedia,
// 6 Wolfram Alpha, 7 Ask, 8 Urban Dictionary, 9 and 10 Links with "Extract links from a
// website" or "Extract internal links from a website" ticked; 0 otherwise (Swisscows,
// Links in a crawl mode or without a mode).
int settingsEngineCode(const FormModel& model);

// "Save settings" into path: Browser, Interface, Country, Language, Type, Time, bkgkol,
// Tip and Tip2 under Pin, in this order, each written as the profile writers do. Other
// lines of an existing file stay. Throws IniWriteError at the key that could not be
// written; the keys before it stay written.
void writeSettingsFile(const std::string& path, const FormModel& model, int backgroundColour);

// "Open settings" from path onto the main window. A missing file changes nothing and
// returns false. A file without a Pin section reads as every key absent.
bool readSettingsFile(const std::string& path, MainWindowCommands& main);

} // namespace trov
