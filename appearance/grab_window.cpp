#include "appearance/grab_window.h"

#include "appearance/colour.h"

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
    image_ = new GrabPicture(this, &photograph_);
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
