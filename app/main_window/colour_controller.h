// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window's background colour and its "Background color" submenu: the colour
// dialog with its custom colours kept in color.cld, the random colour, the screen colour
// picker and the recent colours. A colour is applied as NastaviOzadje does: the window
// paints it (backgroundChanged), then it is stored at once.

#include "appearance/color_cld.h"
#include "appearance/colour.h"
#include "appearance/recent_colours.h"
#include "appearance/screen_grab.h"
#include "settings/config.h"
#include "settings/data_folder.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace trov {

class ColourPicker;
class Messages;
class TfRecent;

class ColourController : public QObject {
    Q_OBJECT
public:
    // window: the main window, which the dialogs open over and the picker steps aside for;
    // asked for when first needed.
    ColourController(Config& config, Messages& messages, DataFolder folder,
                     std::vector<std::string> shippedDirs, std::function<QWidget*()> window,
                     QObject* parent = nullptr);
    ~ColourController() override;

    int background() const { return background_; }
    void NastaviOzadje(int colour);
    // The colour dialog's state from color.cld: a step of the window's creation.
    void readDialogState();
    // The hidden windows' step of the program's start: the recent colours' list is read
    // now (with the take-over of the shipped stores); the recent-colours window is made
    // when first needed from now on.
    void enableWindows(bool firstStart);

    // The "Background color" submenu.
    void Colordialog1Click();
    void Randombackgroundcolor1Click();
    void Colorpicker1Click();
    void Recentcolors1Click();

    RecentColours& recent() { return recent_; }
    ColourDialogState& dialogState() { return dialogState_; }
    // Null before enableWindows; the first call after it makes the window.
    TfRecent* recentWindow();

    // The colour dialog's run; tests answer it. Returns the chosen colour, or nothing.
    std::function<std::optional<int>(int current, ColourDialogState& state)> runColourDialog;
    // The seed of a "Random color" draw (the high-resolution clock by default); tests give
    // their own.
    std::function<std::uint32_t()> randomSeed;
    // Photographs the desktop for "Color picker" (the screen by default); tests give a
    // picture. Read when the picker is first made.
    std::function<Photograph()> grabScreen;

signals:
    // A colour was applied: the window shows it in this scheme.
    void backgroundChanged(const trov::BackgroundScheme& scheme);

private:
    // The recent-colours window shows the list as it now is.
    void refreshRecentWindow();

    Config& config_;
    Messages& messages_;
    DataFolder folder_;
    std::vector<std::string> shippedDirs_;
    std::function<QWidget*()> window_;
    int background_ = kDefaultBackground;
    RecentColours recent_;
    ColourDialogState dialogState_;
    bool windowsEnabled_ = false;
    std::unique_ptr<TfRecent> recentWindow_;
    std::unique_ptr<ColourPicker> picker_;
};

} // namespace trov
