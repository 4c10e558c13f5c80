// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/gutter.h"

#include <algorithm>
#include <cmath>

namespace trov::links {

namespace {
std::string label(long long number) {
    return std::to_string(number) + " ";
}
} // namespace

std::size_t labelsThatFit(int screenHeight, int labelHeight, std::size_t labels) {
    if (screenHeight <= 0 || labelHeight <= 0)
        return 0;
    const auto fit = static_cast<std::size_t>(
        std::lround(static_cast<double>(screenHeight) / static_cast<double>(labelHeight)));
    // A screen taller than the gutter numbers only the labels there are.
    return std::min(fit, labels);
}

LineGutter::LineGutter(std::size_t fitting, std::size_t labels)
    : fitting_(std::min(fitting, labels)) {
    labels_.reserve(labels);
    for (std::size_t i = 0; i < labels; ++i)
        labels_.push_back(label(static_cast<long long>(i) + 1));
}

bool LineGutter::refresh(int firstVisibleLine) {
    if (firstVisibleLine == firstVisible_)
        return false;
    firstVisible_ = firstVisibleLine;
    for (std::size_t i = 0; i < fitting_; ++i)
        labels_[i] =
            label(static_cast<long long>(firstVisibleLine) + static_cast<long long>(i) + 1);
    return true;
}

} // namespace trov::links
