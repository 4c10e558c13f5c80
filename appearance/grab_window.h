// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The grab window of the screen colour picker: frameless, cross-hair cursor, filled by the
// photograph of the desktop. Moving the mouse previews the colour under it; a left click
// takes it, a right click or any other close cancels.

#include "appearance/colour_pick.h"

#include <QDialog>
#include <QImage>
#include <functional>
#include <optional>

namespace trov {

class TfColor : public QDialog {
    Q_OBJECT
public:
    explicit TfColor(QWidget* parent = nullptr);

    // The photograph and where its top-left corner lies on the desktop.
    void setPhotograph(const QImage& image, const QPoint& origin);
    void clearPhotograph();
    // The pick the window works for, and what a preview does (apply the colour and bring
    // the main window to the front).
    void setPick(ColourPick* pick, std::function<void(int)> preview);

    // The photograph's colour at pos, when pos lies on it.
    std::optional<int> pixelAt(const QPoint& pos) const;

    void FormActivate();
    void ImageGrabMouseMove(const QPoint& pos);
    void ImageGrabMouseDown(Qt::MouseButton button, const QPoint& pos);

    QWidget* ImageGrab() const { return image_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* image_;
    QImage photograph_;
    QPoint origin_;
    ColourPick* pick_ = nullptr;
    std::function<void(int)> preview_;
};

} // namespace trov
