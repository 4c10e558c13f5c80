// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/pin.h"

namespace trov {

void SavePin(const FormModel& model, int n, Config& config, int backgroundColour) {
    if (n >= 1 && n <= 6)
        config.write(cfg::kPinKeys[static_cast<std::size_t>(n - 1)],
                     model.selection(static_cast<ListField>(n)));
    config.write(cfg::ColorPall, backgroundColour);
}

} // namespace trov
