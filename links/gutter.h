// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The line-number gutter: a fixed set of labels renumbered, never recreated, as the text
// scrolls. Label i (zero-based) reads "n " with n = first visible line + i + 1.

#include <cstddef>
#include <string>
#include <vector>

namespace trov::links {

inline constexpr std::size_t kGutterLabels = 250;

// How many labels the screen can show: its height over one label's height, rounded to
// the nearest whole number, never more than there are labels.
std::size_t labelsThatFit(int screenHeight, int labelHeight, std::size_t labels = kGutterLabels);

class LineGutter {
public:
    explicit LineGutter(std::size_t fitting, std::size_t labels = kGutterLabels);

    // Every tick of the line-number timer; true when the labels changed.
    bool refresh(int firstVisibleLine);

    const std::vector<std::string>& labels() const { return labels_; }
    std::size_t fitting() const { return fitting_; }

private:
    std::vector<std::string> labels_;
    std::size_t fitting_;
    int firstVisible_ = 0;
};

} // namespace trov::links
