// The "Background color" submenu: the colour dialog with its custom colours kept in
// color.cld, the random colour, the screen colour picker and the recent colours.

#include "app/main_window/main_form.h"
#include "appearance/colour_picker.h"
#include "appearance/glyphs.h"
#include "appearance/random_colour.h"
#include "appearance/recent_window.h"
#include "common/messages.h"

#include <QColorDialog>

namespace trov {

namespace {

std::optional<int> runQtColourDialog(QWidget* parent, int current, ColourDialogState& state) {
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, toQColor(state.customColours[static_cast<std::size_t>(i)]));
    QColorDialog dialog(toQColor(current), parent);
    dialog.setWindowTitle(QStringLiteral("Trov"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool ok = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i)
        state.customColours[static_cast<std::size_t>(i)] = fromQColor(QColorDialog::customColor(i));
    if (!ok)
        return std::nullopt;
    return fromQColor(dialog.selectedColor());
}

} // namespace

void TMainForm::Colordialog1Click() {
    colourDialog_.colour = background_;
    const std::optional<int> chosen = runColourDialog
                                          ? runColourDialog(background_, colourDialog_)
                                          : runQtColourDialog(this, background_, colourDialog_);
    if (chosen)
        NastaviOzadje(*chosen);
    colourDialog_.colour = background_;
    std::string error;
    if (!writeColorCld(services_.folder.path(), colourDialog_, &error))
        services_.messages.show(MessageIcon::Error, error);
    recent_.Nalozi(background_);
    if (recentWindow_)
        recentWindow_->refresh();
}

void TMainForm::Randombackgroundcolor1Click() {
    std::uint32_t seed = randomSeed ? randomSeed() : performanceCounterSeed();
    NastaviOzadje(nextRandomColour(seed));
    recent_.Nalozi(background_);
    if (recentWindow_)
        recentWindow_->refresh();
}

void TMainForm::Colorpicker1Click() {
    if (!picker_) {
        ColourPicker::Hooks hooks;
        hooks.currentBackground = [this] { return background_; };
        hooks.applyBackground = [this](int c) { NastaviOzadje(c); };
        if (grabScreen)
            hooks.grab = grabScreen;
        picker_ = std::make_unique<ColourPicker>(this, recent_, std::move(hooks));
    }
    picker_->run();
    if (recentWindow_)
        recentWindow_->refresh();
}

void TMainForm::Recentcolors1Click() {
    TfRecent* window = recentWindow();
    if (!window)
        return;
    window->show();
    window->raise();
}

} // namespace trov
