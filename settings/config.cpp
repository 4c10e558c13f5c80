// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/config.h"

namespace trov {

Config::Config(std::string path, ScreenSize screen) : ini_(std::move(path)), screen_(screen) {}

int Config::readInt(const ConfigKey& key) const {
    return ini_.readInt(key.section, key.name, key.defaultValue(screen_));
}

bool Config::readBool(const ConfigKey& key) const {
    return readInt(key) != 0;
}

std::string Config::format(const ConfigKey& key, int value) {
    if (key.type == KeyType::Bool)
        return value != 0 ? "1" : "0";
    return std::to_string(value);
}

void Config::write(const ConfigKey& key, int value) {
    ini_.writeString(key.section, key.name, format(key, value));
}

void Config::writeBool(const ConfigKey& key, bool value) {
    write(key, value ? 1 : 0);
}

void Config::writeAll(std::initializer_list<std::pair<ConfigKey, int>> values) {
    std::vector<IniEntry> entries;
    for (const auto& [key, value] : values)
        entries.push_back({key.section, key.name, format(key, value)});
    ini_.writeStrings(entries);
}

void Config::reload() {
    ini_ = IniFile(ini_.path());
}

} // namespace trov
