// SPDX-License-Identifier: GPL-3.0-or-later
#include "compose/engines_file_start.h"

#include "common/atomic_file.h"
#include "common/messages.h"
#include "common/store_file.h"
#include "compose/own_engines.h"

#include <optional>

namespace trov {

std::string noEnginesExampleMessage(const std::vector<std::string>& shippedDirs) {
    std::string text = std::string(kNoEnginesExample) + "\r\n";
    for (const std::string& dir : shippedDirs)
        text += "\r\n" + dir;
    return text + "\r\n\r\n" + kEnginesFileEmpty;
}

bool startEnginesFile(const std::string& path, const std::vector<std::string>& shippedDirs,
                      Messages& messages) {
    if (fileExists(path))
        return true;
    std::optional<std::string> example;
    for (const std::string& dir : shippedDirs)
        if ((example = readWholeFile(dir + std::string(kOwnEnginesExampleName))))
            break;
    if (!writeFileAtomically(path, example.value_or(std::string()))) {
        messages.show(MessageIcon::Error, unableToWrite(path));
        return false;
    }
    if (!example)
        messages.show(MessageIcon::Information, noEnginesExampleMessage(shippedDirs));
    return true;
}

} // namespace trov
