// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One pick of the screen colour picker: the colour before it, the live preview while the
// mouse moves over the photograph, and what is applied when the grab window closes.

#include <optional>

namespace trov {

enum class PickButton { Left, Right, Other };

class ColourPick {
public:
    // A new pick; the last preview colour is kept from the pick before.
    void begin(int background);

    // The colour under the mouse moved to pixel: the colour to preview, or nothing when it
    // is the one previewed last (each preview is also stored, so it is done only on a
    // change).
    std::optional<int> moved(int pixel);
    // A button went down over pixel: true when the grab window closes.
    bool pressed(PickButton button, int pixel);

    bool accepted() const { return accepted_; }
    // The colour to apply once the grab window has closed: the picked one, or the colour
    // from before the pick when it was cancelled (any close but a left click).
    int result() const { return accepted_ ? picked_ : before_; }
    int before() const { return before_; }

private:
    int before_ = 0;
    int picked_ = 0;
    bool accepted_ = false;
    std::optional<int> lastPreview_;
};

} // namespace trov
