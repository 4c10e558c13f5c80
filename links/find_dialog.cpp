// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace trov {

FindDialog::FindDialog(QWidget* parent)
    : QDialog(parent), text_(new QLineEdit(this)),
      wholeWord_(new QCheckBox(tr("Match &whole word only"), this)),
      matchCase_(new QCheckBox(tr("Match &case"), this)), up_(new QRadioButton(tr("&Up"))),
      down_(new QRadioButton(tr("&Down"))), findNext_(new QPushButton(tr("&Find Next"), this)) {
    setWindowTitle(tr("Find"));
    auto* cancel = new QPushButton(tr("Cancel"), this);
    auto* label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(text_);

    auto* direction = new QGroupBox(tr("Direction"), this);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(up_);
    directionLayout->addWidget(down_);
    down_->setChecked(true);

    auto* options = new QVBoxLayout;
    options->addWidget(wholeWord_);
    options->addWidget(matchCase_);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(findNext_);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1, 1, 2);
    grid->addLayout(options, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2);
    grid->addLayout(buttons, 0, 3, 2, 1);

    findNext_->setDefault(true);
    findNext_->setEnabled(false);
    // Nothing to look for in an empty text.
    connect(text_, &QLineEdit::textChanged, this,
            [this](const QString& text) { findNext_->setEnabled(!text.isEmpty()); });
    connect(findNext_, &QPushButton::clicked, this, &FindDialog::findNextRequested);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString FindDialog::findText() const {
    return text_->text();
}

void FindDialog::setFindText(const QString& text) {
    text_->setText(text);
}

links::FindOptions FindDialog::options() const {
    return {down_->isChecked(), matchCase_->isChecked(), wholeWord_->isChecked()};
}

void FindDialog::setOptions(const links::FindOptions& options) {
    down_->setChecked(options.down);
    up_->setChecked(!options.down);
    matchCase_->setChecked(options.matchCase);
    wholeWord_->setChecked(options.wholeWord);
}

} // namespace trov
