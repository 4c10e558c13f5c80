// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/form_reset.h"

#include "common/messages.h"
#include "compose/form_model.h"
#include "settings/config.h"
#include "window_models/main_commands.h"

#include <array>

namespace trov {

namespace {

constexpr std::array kLists = {ListField::Browser,  ListField::Interface, ListField::Country,
                               ListField::Language, ListField::FileType,  ListField::Period};

void emptyTextFields(FormModel& form) {
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        form.setText(f, {});
}

} // namespace

bool ResetAll(MainWindowCommands& main, Config& config, Messages& messages,
              std::string_view defaultBrowserName) {
    if (!messages.ask(kResetQuestion))
        return false;
    FormModel& form = main.form();
    emptyTextFields(form);
    for (ListField list : kLists)
        form.select(list, 0);
    // The same choice as a first run's, so a desktop program name that no entry shows
    // ("firefox-esr") still finds the default browser's entry.
    if (const int i = firstRunSelection(form.browsers(), defaultBrowserName); i >= 0)
        form.select(ListField::Browser, i);

    config.reload();
    main.applyBackground(config.readInt(cfg::ColorPall));
    form.recomputeFragments();
    form.BarvaOkvirja();
    main.syncFromModel();
    main.focusWords();
    main.hideSuggestions();

    config.writeAll({{cfg::PinBrowser, form.selection(ListField::Browser)},
                     {cfg::PinInterface, form.selection(ListField::Interface)},
                     {cfg::PinCountry, form.selection(ListField::Country)},
                     {cfg::PinLanguage, form.selection(ListField::Language)},
                     {cfg::PinType, form.selection(ListField::FileType)},
                     {cfg::PinTime, form.selection(ListField::Period)}});
    return true;
}

void xiMetlaClick(MainWindowCommands& main, Config& config) {
    FormModel& form = main.form();
    emptyTextFields(form);
    for (ListField list : kLists)
        form.select(list, 0);
    form.setKindIndex(0);

    config.reload();
    for (std::size_t i = 0; i < kLists.size(); ++i)
        form.select(kLists[i], config.readInt(cfg::kPinKeys[i]));
    form.recomputeFragments();
    form.BarvaOkvirja();
    main.syncFromModel();
    main.focusWords();
    main.hideSuggestions();
}

} // namespace trov
