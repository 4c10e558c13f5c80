// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/colour_controller.h"

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

ColourController::ColourController(Config& config, Messages& messages, DataFolder folder,
                                   std::vector<std::string> shippedDirs,
                                   std::function<QWidget*()> window, QObject* parent)
    : QObject(parent), config_(config), messages_(messages), folder_(std::move(folder)),
      shippedDirs_(std::move(shippedDirs)), window_(std::move(window)),
      recent_(folder_.file(kRecentFileName), messages) {}

ColourController::~ColourController() = default;

void ColourController::NastaviOzadje(int colour) {
    trov::NastaviOzadje(config_, messages_, colour, [this, colour](const BackgroundScheme& s) {
        background_ = colour;
        emit backgroundChanged(s);
    });
}

void ColourController::readDialogState() {
    std::string error;
    if (auto state = readColorCld(folder_.path(), &error))
        dialogState_ = *state;
    else if (!error.empty())
        messages_.show(MessageIcon::Error, error);
}

void ColourController::enableWindows(bool firstStart) {
    windowsEnabled_ = true;
    // The list is the program's from its start ([App] start is cleared here), whenever the
    // window is first shown.
    openRecentColours(recent_, firstStart, shippedDirs_, config_);
}

TfRecent* ColourController::recentWindow() {
    if (!recentWindow_ && windowsEnabled_) {
        recentWindow_ = std::make_unique<TfRecent>(recent_, [this](int c) { NastaviOzadje(c); });
        recentWindow_->placeAtStoredPosition();
    }
    return recentWindow_.get();
}

void ColourController::refreshRecentWindow() {
    if (recentWindow_)
        recentWindow_->refresh();
}

void ColourController::Colordialog1Click() {
    dialogState_.colour = background_;
    QWidget* window = window_ ? window_() : nullptr;
    const std::optional<int> chosen = runColourDialog
                                          ? runColourDialog(background_, dialogState_)
                                          : runQtColourDialog(window, background_, dialogState_);
    if (chosen)
        NastaviOzadje(*chosen);
    dialogState_.colour = background_;
    std::string error;
    if (!writeColorCld(folder_.path(), dialogState_, &error))
        messages_.show(MessageIcon::Error, error);
    recent_.Nalozi(background_);
    refreshRecentWindow();
}

void ColourController::Randombackgroundcolor1Click() {
    std::uint32_t seed = randomSeed ? randomSeed() : performanceCounterSeed();
    NastaviOzadje(nextRandomColour(seed));
    recent_.Nalozi(background_);
    refreshRecentWindow();
}

void ColourController::Colorpicker1Click() {
    if (!picker_) {
        ColourPicker::Hooks hooks;
        hooks.currentBackground = [this] { return background_; };
        hooks.applyBackground = [this](int c) { NastaviOzadje(c); };
        if (grabScreen)
            hooks.grab = grabScreen;
        picker_ = std::make_unique<ColourPicker>(window_ ? window_() : nullptr, recent_,
                                                 std::move(hooks));
    }
    picker_->run();
    refreshRecentWindow();
}

void ColourController::Recentcolors1Click() {
    TfRecent* window = recentWindow();
    if (!window)
        return;
    window->show();
    window->raise();
}

} // namespace trov
