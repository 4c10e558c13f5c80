// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/autohide_notice.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace trov {

AutoHideNotice::AutoHideNotice(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Trov"));
    setModal(true);
    setFixedSize(420, 185);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    icon->move(16, 20);

    // The notice's own line break is a carriage return; a label needs "\n".
    QString text = tr(kAutoHideNoticeText);
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    auto* label = new QLabel(text, this);
    label->setObjectName(QStringLiteral("text"));
    label->setGeometry(60, 14, 350, 60);
    setAccessibleDescription(label->text().simplified());

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    ok->setGeometry(width() - 100, 76, 80, 26);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(-20, 110, width() + 100, 2);

    check_ = new QCheckBox(tr("Don't show me again."), this);
    check_->move(8, 125);
    check_->resize(QFontMetrics(check_->font()).horizontalAdvance(check_->text()) + 30,
                   check_->sizeHint().height());
}

} // namespace trov
