// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/recent_window.h"

#include "appearance/colour.h"
#include "appearance/qt_colour.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace trov {

namespace {

constexpr int kSwatch = 30;
constexpr int kColumns = 10;
constexpr std::array<int, 3> kRowTops = {44, 84, 124};
constexpr int kFirstLeft = 14;
constexpr int kColumnStep = 32;
constexpr int kHoverFrame = 1465082; // orange

// One square swatch filled with its slot's colour, framed in orange under the mouse.
class Swatch : public QAbstractButton {
public:
    explicit Swatch(QWidget* parent) : QAbstractButton(parent) {
        setFixedSize(kSwatch, kSwatch);
        setAttribute(Qt::WA_Hover);
        setCursor(Qt::PointingHandCursor);
    }
    void setColour(int colour) {
        colour_ = colour;
        setToolTip(QStringLiteral("%1").arg(colour));
        // Read as its place and its colour, "Recent color 3, #C8D9E1".
        setAccessibleDescription(toQColor(colour).name().toUpper());
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), toQColor(colour_));
        const bool hovered = underMouse();
        painter.setPen(
            QPen(hovered ? toQColor(kHoverFrame) : QColor(0xC0, 0xC0, 0xC0), hovered ? 2 : 1));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    void enterEvent(QEnterEvent* event) override {
        update();
        QAbstractButton::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override {
        update();
        QAbstractButton::leaveEvent(event);
    }

private:
    int colour_ = kWhite;
};

} // namespace

TfRecent::TfRecent(RecentColours& recent, std::function<void(int)> applyBackground, QWidget* parent)
    : QDialog(parent), recent_(recent), apply_(std::move(applyBackground)) {
    setObjectName(QStringLiteral("fRecent"));
    setWindowTitle(QStringLiteral("Trov"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    // Modal: the main window waits while colours are tried, and takes input again on OK.
    setModal(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    auto* caption = new QLabel(tr("Recent colors"), this);
    QFont font = caption->font();
    font.setBold(true);
    caption->setFont(font);
    caption->move(kFirstLeft, 14);

    for (std::size_t i = 0; i < kRecentSlots; ++i) {
        auto* swatch = new Swatch(this);
        swatch->setObjectName(QStringLiteral("V%1").arg(i + 1));
        swatch->setAccessibleName(tr("Recent color %1").arg(i + 1));
        const int row = static_cast<int>(i) / kColumns;
        const int column = static_cast<int>(i) % kColumns;
        swatch->move(kFirstLeft + column * kColumnStep, kRowTops[static_cast<std::size_t>(row)]);
        connect(swatch, &QAbstractButton::clicked, this, [this, i] { V1Click(i); });
        slots_[i] = swatch;
    }

    BitBtn1_ = new QPushButton(tr("OK"), this);
    BitBtn1_->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1_->setGeometry(kWidth - 14 - 88, kHeight - 14 - 28, 88, 28);
    BitBtn1_->setDefault(true);
    connect(BitBtn1_, &QPushButton::clicked, this, &QDialog::accept);
    refresh();
}

void openRecentColours(RecentColours& recent, bool firstStart,
                       const std::vector<std::string>& shippedDirs, Config& config) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->geometry() : QRect(0, 0, 1920, 1080);
    recent.open(recent.source(firstStart, shippedDirs), {TfRecent::kWidth, TfRecent::kHeight},
                {area.width(), area.height()}, config);
}

void TfRecent::open(bool firstStart, const std::vector<std::string>& shippedDirs, Config& config) {
    openRecentColours(recent_, firstStart, shippedDirs, config);
    placeAtStoredPosition();
}

void TfRecent::placeAtStoredPosition() {
    move(recent_.position().left, recent_.position().top);
    refresh();
}

void TfRecent::refresh() {
    for (std::size_t i = 0; i < kRecentSlots; ++i)
        static_cast<Swatch*>(slots_[i])->setColour(recent_.slot(i));
}

WindowPosition TfRecent::windowPosition() const {
    return {pos().x(), pos().y()};
}

void TfRecent::V1Click(std::size_t index) {
    const int colour = recent_.slot(index);
    if (apply_)
        apply_(colour);
    recent_.takeSlot(index, windowPosition());
    refresh();
}

void TfRecent::showEvent(QShowEvent* event) {
    refresh();
    QDialog::showEvent(event);
}

void TfRecent::done(int result) {
    // OK, Escape and the close box all end here; only the position is written.
    recent_.closed(windowPosition());
    QDialog::done(result);
}

} // namespace trov
