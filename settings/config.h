// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Typed access to "YY.cfg", the configuration file in the data folder. Every key the
// program reads or writes is declared once in the table below with its type and default.

#include "settings/ini.h"

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace trov {

inline constexpr std::string_view kConfigFileName = "YY.cfg";

// The primary screen, for the defaults that depend on its size.
struct ScreenSize {
    int width = 1920;
    int height = 1080;
};

enum class KeyType { Bool, Int, Colour };

struct ConfigKey {
    enum class Base { Fixed, ScreenWidth, ScreenHeight };

    std::string_view section;
    std::string_view name;
    KeyType type;
    int fallback; // the default, or the offset added to the screen size
    Base base = Base::Fixed;

    constexpr int defaultValue(ScreenSize screen) const {
        switch (base) {
        case Base::ScreenWidth:
            return screen.width + fallback;
        case Base::ScreenHeight:
            return screen.height + fallback;
        case Base::Fixed:
            break;
        }
        return fallback;
    }
};

inline constexpr int kDefaultBackground = 14801352; // #C8D9E1

namespace cfg {
using B = ConfigKey::Base;
inline constexpr ConfigKey AppStart{"App", "start", KeyType::Bool, 1};
inline constexpr ConfigKey PinPrviZagon{"Pin", "PrviZagon", KeyType::Bool, 1};
inline constexpr ConfigKey PinBrowser{"Pin", "Browser", KeyType::Int, 0};
inline constexpr ConfigKey PinInterface{"Pin", "Interface", KeyType::Int, 0};
inline constexpr ConfigKey PinCountry{"Pin", "Country", KeyType::Int, 0};
inline constexpr ConfigKey PinLanguage{"Pin", "Language", KeyType::Int, 0};
inline constexpr ConfigKey PinType{"Pin", "Type", KeyType::Int, 0};
inline constexpr ConfigKey PinTime{"Pin", "Time", KeyType::Int, 0};
inline constexpr ConfigKey ColorPall{"Color", "Pall", KeyType::Colour, kDefaultBackground};
inline constexpr ConfigKey VelikostLevo{"Velikost", "Levo", KeyType::Int, -500, B::ScreenWidth};
inline constexpr ConfigKey VelikostGor{"Velikost", "Gor", KeyType::Int, -200, B::ScreenHeight};
inline constexpr ConfigKey OptionsOptAutohide{"Options", "optAutohide", KeyType::Bool, 0};
// "Keep search history": off, Go records no search and learns no suggestion.
inline constexpr ConfigKey OptionsKeepHistory{"Options", "optKeepHistory", KeyType::Bool, 1};
// "Suggestions from engines": the drop-down asks the own engine's Suggest address.
inline constexpr ConfigKey OptionsEngineSuggest{"Options", "optEngineSuggestions", KeyType::Bool,
                                                0};
// The crawler menu's "Respect robots.txt" (a missing key: on) and "Use the site's sitemap".
inline constexpr ConfigKey OptionsRespectRobots{"Options", "optRespectRobots", KeyType::Bool, 1};
inline constexpr ConfigKey OptionsUseSitemap{"Options", "optUseSitemap", KeyType::Bool, 0};
inline constexpr ConfigKey GeneralHideSek{"General", "HideSek", KeyType::Int, 0};
inline constexpr ConfigKey GeneralOnTop{"General", "OnTop", KeyType::Int, 1};
inline constexpr ConfigKey ConfigLoad{"Config", "load", KeyType::Int, 1};
inline constexpr ConfigKey ConfigShowOnStart{"Config", "showonstart", KeyType::Int, 1};
inline constexpr ConfigKey HistLevo{"VelikostH", "Levo", KeyType::Int, 10};
inline constexpr ConfigKey HistGor{"VelikostH", "Gor", KeyType::Int, 10};
inline constexpr ConfigKey HistSirina{"VelikostH", "Sirina", KeyType::Int, -150, B::ScreenWidth};
inline constexpr ConfigKey HistVisina{"VelikostH", "Visina", KeyType::Int, -150, B::ScreenHeight};
inline constexpr ConfigKey HistStatus{"VelikostH", "Status", KeyType::Int, 2};

inline constexpr std::array kAllKeys = {
    AppStart,           PinPrviZagon,         PinBrowser,     PinInterface,
    PinCountry,         PinLanguage,          PinType,        PinTime,
    ColorPall,          VelikostLevo,         VelikostGor,    OptionsOptAutohide,
    OptionsKeepHistory, OptionsEngineSuggest, GeneralHideSek, GeneralOnTop,
    ConfigLoad,         ConfigShowOnStart,    HistLevo,       HistGor,
    HistSirina,         HistVisina,           HistStatus,     OptionsRespectRobots,
    OptionsUseSitemap};

// The pin keys by pin index 1 to 6 (browser, interface, country, language, type, time).
inline constexpr std::array kPinKeys = {PinBrowser,  PinInterface, PinCountry,
                                        PinLanguage, PinType,      PinTime};
} // namespace cfg

// YY.cfg of one data folder. Reads see the file as it was when the Config was made or
// last written; each write reads the file again, changes only its own keys and reaches
// the disk before it returns (IniWriteError otherwise), so hand edits made while the
// program runs survive.
class Config {
public:
    Config(std::string path, ScreenSize screen = {});

    const std::string& path() const { return ini_.path(); }
    ScreenSize screen() const { return screen_; }

    int readInt(const ConfigKey& key) const;
    bool readBool(const ConfigKey& key) const;

    void write(const ConfigKey& key, int value);
    void writeBool(const ConfigKey& key, bool value);
    // Several keys with one write of the file, for the whole-file writers.
    void writeAll(std::initializer_list<std::pair<ConfigKey, int>> values);

    // Re-reads the file, for readers that must see changes made by another writer.
    void reload();

private:
    static std::string format(const ConfigKey& key, int value);

    IniFile ini_;
    ScreenSize screen_;
};

} // namespace trov
