// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "color.cld": the colour dialog's state in the DataFolder, in the component-stream form
// the Windows program wrote ("TPF0", class TColorDialog, object ColorDialog, then its
// properties), so files carried over from Windows keep their custom colours. Only the 16
// custom colours and the last colour matter.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace trov {

inline constexpr std::string_view kColorCldFileName = "color.cld";

struct ColourDialogState {
    int colour = 0; // the dialog's last colour; preset before every use
    // Slots A to P; a slot the file does not name is white.
    std::array<int, 16> customColours = {16777215, 16777215, 16777215, 16777215, 16777215, 16777215,
                                         16777215, 16777215, 16777215, 16777215, 16777215, 16777215,
                                         16777215, 16777215, 16777215, 16777215};
    // The custom colours as the file held them when last read or written: a write takes
    // another program's newer colour for each slot left as it was here.
    std::array<int, 16> storedColours = customColours;
};

// The stream bytes: Color, CustomColors (all 16 lines "ColorA=BBGGRR", six upper-case hex
// digits of the colour value) and Options.
std::string serializeColorCld(const ColourDialogState& state);

// Reads a stored colour dialog; nullopt with error "Invalid stream format" when bytes are
// not one. Properties it does not know are skipped; malformed custom-colour lines leave
// their slot white.
std::optional<ColourDialogState> parseColorCld(std::string_view bytes,
                                               std::string* error = nullptr);

// The file in dataFolder. read: nullopt and no error when the file is missing.
std::optional<ColourDialogState> readColorCld(const std::string& dataFolder, std::string* error);
// Creates or replaces the file atomically, with the slots another program changed since
// state was read taken into state; false with the text the user is shown.
bool writeColorCld(const std::string& dataFolder, ColourDialogState& state, std::string* error);

} // namespace trov
