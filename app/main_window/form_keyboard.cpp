// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/form_keyboard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QFrame>
#include <QKeyEvent>
#include <QPainter>
#include <QShortcut>

namespace trov {

// The frame around the focused control; the mouse goes through it.
class FocusFrame : public QWidget {
public:
    explicit FocusFrame(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("FocusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }
    QColor colour{0x02, 0x68, 0xF9};

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(colour, 2));
        p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 3, 3);
    }
};

namespace {

bool isEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

FormKeyboard::FormKeyboard(QWidget* window, QButtonGroup* engines, std::function<void()> openMenu)
    : QObject(window), window_(window), engines_(engines), frame_(new FocusFrame(window)) {
    for (QAbstractButton* b : engines_->buttons())
        b->installEventFilter(this);
    connect(engines_, &QButtonGroup::buttonToggled, this, [this] { engineTabStop(); });
    engineTabStop();
    for (QKeySequence keys : {QKeySequence(Qt::Key_F10), QKeySequence(Qt::Key_Menu)}) {
        auto* shortcut = new QShortcut(keys, window_);
        connect(shortcut, &QShortcut::activated, this, openMenu);
    }
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void FormKeyboard::addButton(QAbstractButton* button) {
    button->installEventFilter(this);
}

void FormKeyboard::setDarkBackground(bool dark) {
    frame_->colour = dark ? QColor(0xFF, 0x80, 0x00) : QColor(0x02, 0x68, 0xF9);
    frame_->update();
}

void FormKeyboard::engineTabStop() {
    // Tab stops at the chosen engine only; the arrows reach the others.
    for (QAbstractButton* b : engines_->buttons())
        b->setFocusPolicy(b->isChecked() ? Qt::TabFocus : Qt::NoFocus);
}

bool FormKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* button = qobject_cast<QAbstractButton*>(watched);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!button)
        return false;
    if (isEnter(key)) {
        button->click();
        return true;
    }
    const QList<QAbstractButton*> row = engines_->buttons();
    const qsizetype at = row.indexOf(button);
    if (at < 0)
        return false;
    int step = 0;
    if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Down)
        step = 1;
    else if (key->key() == Qt::Key_Left || key->key() == Qt::Key_Up)
        step = -1;
    if (step == 0)
        return false;
    const qsizetype n = row.size();
    row[(at + step + n) % n]->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void FormKeyboard::focusChanged(QWidget* now) {
    if (!now || now->window() != window_ || now == window_) {
        frame_->hide();
        return;
    }
    // A field sits in a thin frame of its own: the focus frame goes around that.
    QWidget* around = now;
    if (auto* box = qobject_cast<QFrame*>(now->parentWidget());
        box && box->parentWidget() && box->parentWidget()->parentWidget() == window_)
        around = box;
    const QRect r(around->mapTo(window_, QPoint(0, 0)), around->size());
    frame_->setGeometry(r.adjusted(-2, -2, 2, 2));
    frame_->raise();
    frame_->show();
}

} // namespace trov
