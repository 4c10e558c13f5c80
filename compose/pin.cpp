#include "compose/pin.h"

namespace trov {

void SavePin(const FormModel& model, int n, Config& config, int backgroundColour) {
    config.reload(); // opened afresh, so keys another writer stored are kept
    if (n >= 1 && n <= 6)
        config.write(cfg::kPinKeys[static_cast<std::size_t>(n - 1)],
                     model.selection(static_cast<ListField>(n)));
    config.write(cfg::ColorPall, backgroundColour);
}

} // namespace trov
