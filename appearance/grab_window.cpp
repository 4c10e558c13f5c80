// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/grab_window.h"

#include "appearance/colour.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace trov {

namespace {

// The picture that fills the grab window and reports the mouse over it.
class GrabPicture : public QWidget {
public:
    GrabPicture(TfColor* owner, const QImage* image)
        : QWidget(owner), owner_(owner), image_(image) {
        setMouseTracking(true);
        setCursor(Qt::CrossCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::black);
        painter.drawImage(QPoint(0, 0), *image_);
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        owner_->ImageGrabMouseMove(event->position().toPoint());
    }
    void mousePressEvent(QMouseEvent* event) override {
        owner_->ImageGrabMouseDown(event->button(), event->position().toPoint());
    }

private:
    TfColor* owner_;
    const QImage* image_;
};

} // namespace

TfColor::TfColor(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("fColor"));
    setModal(true);
    setCursor(Qt::CrossCursor);
    setWindowTitle(tr("Color picker"));
    setAccessibleDescription(
        tr("Move the pointer with the arrow keys (with Shift ten pixels at a time); Enter or "
           "Space takes the colour under it, Esc leaves the colour as it was."));
    image_ = new GrabPicture(this, &photograph_);
    image_->setAccessibleName(tr("Screen picture"));
    image_->setObjectName(QStringLiteral("ImageGrab"));
}

void TfColor::setPhotograph(const QImage& image, const QPoint& origin) {
    photograph_ = image.convertToFormat(QImage::Format_RGB32);
    origin_ = origin;
    image_->setGeometry(0, 0, photograph_.width(), photograph_.height());
    image_->update();
}

void TfColor::clearPhotograph() {
    photograph_ = QImage();
    image_->update();
}

void TfColor::setPick(ColourPick* pick, std::function<void(int)> preview) {
    pick_ = pick;
    preview_ = std::move(preview);
}

std::optional<int> TfColor::pixelAt(const QPoint& pos) const {
    if (!photograph_.valid(pos))
        return std::nullopt;
    const QRgb rgb = photograph_.pixel(pos);
    return colourValue(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

void TfColor::FormActivate() {
    // Cover the photographed area exactly, so each pixel lies over what it shows.
    setGeometry(QRect(origin_, photograph_.size()));
    image_->setGeometry(0, 0, photograph_.width(), photograph_.height());
}

void TfColor::showEvent(QShowEvent* event) {
    FormActivate();
    QDialog::showEvent(event);
}

void TfColor::ImageGrabMouseMove(const QPoint& pos) {
    const std::optional<int> pixel = pixelAt(pos);
    if (!pixel || !pick_)
        return;
    if (const std::optional<int> colour = pick_->moved(*pixel); colour && preview_)
        preview_(*colour);
}

void TfColor::keyPressEvent(QKeyEvent* event) {
    // The keyboard way of picking: the arrows move the pointer, which previews as the mouse
    // does; Enter or Space takes the colour under it (Esc is the dialog's own cancel).
    const int step = event->modifiers() & Qt::ShiftModifier ? 10 : 1;
    QPoint move;
    switch (event->key()) {
    case Qt::Key_Left:
        move = {-step, 0};
        break;
    case Qt::Key_Right:
        move = {step, 0};
        break;
    case Qt::Key_Up:
        move = {0, -step};
        break;
    case Qt::Key_Down:
        move = {0, step};
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        ImageGrabMouseDown(Qt::LeftButton, image_->mapFromGlobal(QCursor::pos()));
        return;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    QCursor::setPos(QCursor::pos() + move);
    ImageGrabMouseMove(image_->mapFromGlobal(QCursor::pos()));
}

void TfColor::ImageGrabMouseDown(Qt::MouseButton button, const QPoint& pos) {
    if (!pick_)
        return;
    const PickButton which = button == Qt::LeftButton    ? PickButton::Left
                             : button == Qt::RightButton ? PickButton::Right
                                                         : PickButton::Other;
    const std::optional<int> pixel = pixelAt(pos);
    // A left click off the picture takes nothing.
    if (which == PickButton::Left && !pixel)
        return;
    if (pick_->pressed(which, pixel.value_or(0)))
        done(pick_->accepted() ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace trov
