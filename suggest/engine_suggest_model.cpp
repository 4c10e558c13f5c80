// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/engine_suggest_model.h"

#include "suggest/engine_suggestions.h"

#include <algorithm>

namespace trov {

EngineSuggestModel::EngineSuggestModel(std::function<TimePoint()> now,
                                       std::function<void(const EngineSuggestRequest&)> start)
    : now_(std::move(now)), start_(std::move(start)) {}

void EngineSuggestModel::setEnabled(bool on) {
    enabled_ = on;
    drop();
}

void EngineSuggestModel::setPrivateMode(bool on) {
    private_ = on;
    drop();
}

void EngineSuggestModel::drop() {
    // Rows shown before are gone; the text is asked again once asking is allowed.
    rows_.clear();
    asked_.reset();
}

void EngineSuggestModel::textChanged(std::string suggestTemplate, std::string text) {
    if (suggestTemplate == template_ && text == text_)
        return;
    template_ = std::move(suggestTemplate);
    text_ = std::move(text);
    changedAt_ = now_();
    drop();
}

bool EngineSuggestModel::wanted() const {
    return asking() && !template_.empty() && text_.find_first_not_of(' ') != std::string::npos &&
           asked_ != text_;
}

std::optional<EngineSuggestModel::TimePoint> EngineSuggestModel::nextTick() const {
    if (!wanted() || underWay_)
        return std::nullopt;
    return changedAt_ + kQuiet;
}

void EngineSuggestModel::tick() {
    if (!wanted() || underWay_ || now_() < changedAt_ + kQuiet)
        return;
    underWay_ = Request{++lastId_, template_, text_};
    asked_ = text_;
    start_({underWay_->id, text_, engineSuggestAddress(template_, text_)});
}

bool EngineSuggestModel::answered(std::uint64_t id,
                                  const std::optional<std::vector<std::string>>& texts) {
    if (!underWay_ || underWay_->id != id)
        return false;
    const Request request = std::move(*underWay_);
    underWay_.reset();
    // An answer for another text, another engine, or one that came while asking was
    // switched off is dropped; a failure shows nothing.
    if (!asking() || request.suggestTemplate != template_ || request.text != text_ || !texts)
        return false;
    asked_ = text_;
    rows_.assign(texts->begin(),
                 texts->begin() + static_cast<std::ptrdiff_t>(std::min(texts->size(), kMaxRows)));
    return !rows_.empty();
}

} // namespace trov
