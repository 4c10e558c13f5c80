#include "settings/form_reset.h"

#include "app/main_commands.h"
#include "common/messages.h"
#include "common/text.h"
#include "compose/form_model.h"
#include "settings/config.h"

#include <array>

namespace trov {

namespace {

constexpr std::array kLists = {ListField::Browser,  ListField::Interface, ListField::Country,
                               ListField::Language, ListField::FileType,  ListField::Period};

void emptyTextFields(FormModel& form) {
    for (TextField f : {TextField::Words, TextField::Exact, TextField::Exclude, TextField::Site})
        form.setText(f, {});
}

// The last browser entry whose text holds the default browser's name, ASCII case ignored.
int defaultBrowserIndex(const FormModel& form, std::string_view name) {
    int found = -1;
    if (name.empty())
        return found;
    const auto& browsers = form.browsers();
    for (std::size_t i = 0; i < browsers.size(); ++i)
        if (text::containsIgnoreCase(browsers[i].text, name))
            found = static_cast<int>(i);
    return found;
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
    if (const int i = defaultBrowserIndex(form, defaultBrowserName); i >= 0)
        form.select(ListField::Browser, i);

    config.reload();
    main.applyBackground(config.readInt(cfg::ColorPall));
    form.recomputeFragments();
    form.BarvaOkvirja();
    main.syncFromModel();
    main.focusWords();
    main.hideSuggestions();

    config.reload(); // applying the colour stored it; keep that write
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
