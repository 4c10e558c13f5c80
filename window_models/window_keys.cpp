// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_models/window_keys.h"

#include "settings/ini.h"

namespace trov {

WindowOptions readWindowOptions(const Config& config) {
    WindowOptions o;
    o.noticeSuppressed = config.readBool(cfg::OptionsOptAutohide);
    o.autoHide = config.readInt(cfg::GeneralHideSek) == 1;
    o.stayOnTop = config.readInt(cfg::GeneralOnTop) == 1;
    o.loadAtStartup = config.readInt(cfg::ConfigLoad) == 1;
    o.showOnStartTicked = config.readInt(cfg::ConfigShowOnStart) == 1;
    return o;
}

void SaveSettings(Config& config, Point normalPosition, bool loadAtStartup) {
    config.writeAll({{cfg::VelikostLevo, normalPosition.x},
                     {cfg::VelikostGor, normalPosition.y},
                     {cfg::ConfigLoad, loadAtStartup ? 1 : 0}});
}

void writeStayOnTop(Config& config, bool ticked) {
    config.write(cfg::GeneralOnTop, ticked ? 1 : 0);
}

void writeAutoHide(Config& config, bool ticked) {
    config.write(cfg::GeneralHideSek, ticked ? 1 : 0);
}

void writeShowOnStart(Config& config, bool ticked) {
    config.write(cfg::ConfigShowOnStart, ticked ? 1 : 0);
}

void writeNoticeSuppressed(Config& config, bool dontShowAgain) {
    config.writeBool(cfg::OptionsOptAutohide, dontShowAgain);
}

std::vector<std::string> runExitWrites(Config& config, const CloseState& state, ExitPath path,
                                       const std::function<void()>& saveHistory) {
    std::vector<std::string> refused;
    if (state.collapsed) {
        try {
            SaveSettings(config, state.normalPosition, state.loadAtStartup);
        } catch (const IniWriteError& e) {
            refused.emplace_back(e.what());
        }
    }
    if (saveHistory)
        saveHistory();
    if (path == ExitPath::Close) {
        try {
            config.writeAll({{cfg::ConfigShowOnStart, state.showOnStartTicked ? 1 : 0},
                             {cfg::PinBrowser, state.browserIndex},
                             {cfg::PinPrviZagon, 0}});
        } catch (const IniWriteError& e) {
            refused.emplace_back(e.what());
        }
    }
    return refused;
}

} // namespace trov
