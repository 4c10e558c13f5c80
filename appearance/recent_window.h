// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The recent-colours window: 30 swatches, most recent first; a click applies one as the
// background and moves it to the front, and the window stays open for the next try.

#include "appearance/recent_colours.h"

#include <QDialog>
#include <array>
#include <functional>

class QAbstractButton;
class QPushButton;

namespace trov {

// The list's part of the window's creation at program start (see TfRecent::open), for a
// program that makes the window itself later.
void openRecentColours(RecentColours& recent, bool firstStart,
                       const std::vector<std::string>& shippedDirs, Config& config);

class TfRecent : public QDialog {
    Q_OBJECT
public:
    // applyBackground is the main window's way of applying (and storing) a background.
    TfRecent(RecentColours& recent, std::function<void(int)> applyBackground,
             QWidget* parent = nullptr);

    // The window's fixed size.
    static constexpr int kWidth = 346;
    static constexpr int kHeight = 220;

    // Creation at program start: reads the list (the shipped one on the very first start),
    // places the window and mirrors the list into the data folder.
    void open(bool firstStart, const std::vector<std::string>& shippedDirs, Config& config);
    // Places the window where the list's open (or the last close) left it, for a window
    // made after the list was opened.
    void placeAtStoredPosition();

    // The handler of all 30 swatches; index is zero-based.
    void V1Click(std::size_t index);
    // Shows the swatches' colours again after the list changed elsewhere (Nalozi).
    void refresh();

    QAbstractButton* slotButton(std::size_t index) const { return slots_.at(index); }
    QPushButton* okButton() const { return BitBtn1_; }
    WindowPosition windowPosition() const;

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;

private:
    RecentColours& recent_;
    std::function<void(int)> apply_;
    std::array<QAbstractButton*, kRecentSlots> slots_{};
    QPushButton* BitBtn1_ = nullptr;
};

} // namespace trov
