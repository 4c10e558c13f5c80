// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/engine_suggest_driver.h"

#include "suggest/engine_suggestions.h"

#include <algorithm>

namespace trov {

EngineSuggestDriver::EngineSuggestDriver(QObject* parent)
    : QObject(parent), model_([] { return std::chrono::steady_clock::now(); },
                              [this](const EngineSuggestRequest& r) { start(r); }),
      work_(this) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        model_.tick();
        arm();
    });
}

void EngineSuggestDriver::setEnabled(bool on) {
    model_.setEnabled(on);
    arm();
    emit rowsChanged();
}

void EngineSuggestDriver::setPrivateMode(bool on) {
    model_.setPrivateMode(on);
    arm();
    emit rowsChanged();
}

void EngineSuggestDriver::textChanged(std::string suggestTemplate, std::string text) {
    model_.textChanged(std::move(suggestTemplate), std::move(text));
    arm();
}

void EngineSuggestDriver::arm() {
    const auto next = model_.nextTick();
    if (!next) {
        timer_.stop();
        return;
    }
    const auto wait =
        std::chrono::ceil<std::chrono::milliseconds>(*next - std::chrono::steady_clock::now());
    timer_.start(std::max(wait, std::chrono::milliseconds(0)));
}

void EngineSuggestDriver::start(const EngineSuggestRequest& request) {
    const std::uint64_t id = request.id;
    work_.run<EngineSuggestAnswer>(
        [address = request.address] {
            try {
                return fetchEngineSuggestions(address);
            } catch (const std::exception& e) { // a failure shows nothing, as any other
                return EngineSuggestAnswer{std::nullopt, e.what()};
            }
        },
        [this, id](const EngineSuggestAnswer& answer) {
            const bool changed = model_.answered(id, answer.texts);
            arm();
            if (changed)
                emit rowsChanged();
        });
}

} // namespace trov
