// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/suggestion_list.h"

#include "appearance/menu_style.h"
#include "suggest/drop_down.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>

namespace trov {

SuggestionList::SuggestionList(QWidget* parent) : QObject(parent), parent_(parent) {}

QListWidget* SuggestionList::widget() {
    make();
    return list_;
}

QMenu* SuggestionList::menu() {
    make();
    return menu_;
}

void SuggestionList::make() {
    if (list_)
        return;
    list_ = new QListWidget(parent_);
    menu_ = new QMenu(parent_);
    list_->setObjectName(QStringLiteral("GsLB"));
    list_->setAccessibleName(tr("Suggestions"));
    list_->setUniformItemSizes(true);
    list_->setFrameShape(QFrame::Box);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->hide();
    list_->installEventFilter(this);
    list_->setContextMenuPolicy(Qt::DefaultContextMenu);
    menu_->setObjectName(QStringLiteral("PopupMenuGs"));
    QAction* del = menu_->addAction(tr("Delete search suggestion"));
    applyFlatMenuStyle(menu_);
    connect(del, &QAction::triggered, this, &SuggestionList::deleteRequested);
    // Only a row selected by a click or an arrow key goes into the field: a Tab into the
    // list makes its first row current without selecting it, and keeps the typed text.
    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> rows = list_->selectedItems();
        if (!rows.isEmpty())
            emit rowChosen(rows.first()->text());
    });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        emit rowChosen(item->text());
        hide();
        emit goRequested();
    });
    if (place_)
        place_(list_);
}

bool SuggestionList::isVisible() const {
    return list_ && list_->isVisible();
}

bool SuggestionList::hasFocus() const {
    return list_ && list_->hasFocus();
}

void SuggestionList::hide() {
    if (list_)
        list_->hide();
}

void SuggestionList::refresh(const std::vector<std::string>& rows, QRect ownerFrame,
                             QRect searchBox, int mainClientHeight) {
    make();
    const QSignalBlocker quiet(list_); // refilling is no selection by the user
    list_->clear();
    for (const std::string& row : rows)
        list_->addItem(QString::fromStdString(row));
    const int frame = 2 * list_->frameWidth();
    const int client =
        dropDownHeight(mainClientHeight, static_cast<int>(rows.size()), list_->height() - frame);
    list_->setGeometry(searchBox.left(), ownerFrame.top() + ownerFrame.height() - 1,
                       searchBox.width(), client + frame);
    for (int i = 0; i < list_->count(); ++i)
        list_->item(i)->setSizeHint({0, kDropDownRowHeight});
    list_->setVisible(!rows.empty());
    if (!rows.empty())
        list_->raise();
}

std::optional<QString> SuggestionList::enterFromField() {
    make();
    list_->setFocus();
    if (!list_->item(0))
        return std::nullopt;
    const QSignalBlocker quiet(list_); // the row goes into the field that was left
    list_->setCurrentRow(0);
    return list_->item(0)->text();
}

std::optional<std::string> SuggestionList::selectedRow() const {
    const QListWidgetItem* item = list_ ? list_->currentItem() : nullptr;
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->text().toStdString();
}

bool SuggestionList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != list_)
        return false;
    if (event->type() == QEvent::ContextMenu) {
        menu_->popup(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit goRequested();
        return true;
    case Qt::Key_Escape:
        hide();
        emit escaped();
        return true;
    case Qt::Key_Up:
        if (list_->currentRow() == 0 && list_->item(0)) {
            emit leftAtTop(list_->item(0)->text());
            return true;
        }
        return false;
    default:
        return false;
    }
}

} // namespace trov
