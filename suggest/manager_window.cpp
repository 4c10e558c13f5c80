// SPDX-License-Identifier: GPL-3.0-or-later
#include "suggest/manager_window.h"

#include "app/shared/find_glyph.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace trov {

TfSugg::TfSugg(SuggestionManager& manager, SuggestionStore& store, Messages& messages,
               QWidget* parent)
    : QDialog(parent), manager_(manager), store_(store), messages_(messages) {
    setWindowTitle(tr("Trov - Search suggestions"));
    setObjectName(QStringLiteral("fSugg"));
    setFixedSize(720, 682);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    auto* findLabel = new QLabel(tr("Find"), this);
    bar->addWidget(findLabel);
    edit1_ = new QLineEdit(this);
    findLabel->setBuddy(edit1_);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->installEventFilter(this);
    bar->addWidget(edit1_, 1);
    const auto add = [&](const QString& caption, auto handler) {
        auto* b = new QPushButton(caption, this);
        b->setAutoDefault(false);
        bar->addWidget(b);
        buttons_.push_back(b);
        connect(b, &QPushButton::clicked, this, handler);
        return b;
    };
    QPushButton* find = add(QString(), [this] { findClicked(); });
    find->setIcon(findGlyph());
    find->setToolTip(tr("Find"));
    find->setAccessibleName(tr("Find"));
    add(tr("Select all"), [this] { selectAll(); });
    add(tr("Invert selection"), [this] { invertSelection(); });
    add(tr("Delete"), [this] { deleteMarked(); });
    add(tr("Close"), [this] { reject(); });
    layout->addLayout(bar);

    lista_ = new QListWidget(this);
    lista_->setObjectName(QStringLiteral("lista"));
    lista_->setAccessibleName(tr("Search suggestions"));
    lista_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lista_->setUniformItemSizes(true);
    lista_->setStyleSheet(QStringLiteral("QListWidget::item { height: 17px; }"));
    lista_->viewport()->installEventFilter(this);
    lista_->installEventFilter(this);
    layout->addWidget(lista_, 1);
    // Esc closes the dialog (QDialog's own reject); nothing is written on closing.
}

void TfSugg::refill() {
    manager_.fill(store_.suggestionList());
    redraw();
}

int TfSugg::openModal() {
    refill();
    return exec();
}

void TfSugg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    lista_->setFocus();
}

QPushButton* TfSugg::button(const QString& caption) const {
    for (QPushButton* b : buttons_)
        if (b->text() == caption || b->toolTip() == caption)
            return b;
    return nullptr;
}

void TfSugg::redraw() {
    lista_->clear();
    for (const std::string& row : manager_.rows()) {
        auto* item = new QListWidgetItem(QString::fromStdString(row), lista_);
        // Marks change only through the dialog's own click and Space handling, so that
        // every click toggles exactly once, on the box or on the text.
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    redrawMarks();
}

void TfSugg::redrawMarks() {
    for (int i = 0; i < lista_->count(); ++i) {
        const auto row = static_cast<std::size_t>(i);
        QListWidgetItem* item = lista_->item(i);
        item->setCheckState(manager_.marked(row) ? Qt::Checked : Qt::Unchecked);
        item->setSelected(manager_.highlighted(row) || item->isSelected());
    }
}

void TfSugg::findClicked() {
    manager_.find(edit1_->text().toStdString());
    lista_->clearSelection();
    for (int i = 0; i < lista_->count(); ++i)
        lista_->item(i)->setSelected(manager_.highlighted(static_cast<std::size_t>(i)));
}

void TfSugg::selectAll() {
    manager_.selectAll();
    redrawMarks();
}

void TfSugg::invertSelection() {
    manager_.invertSelection();
    redrawMarks();
}

void TfSugg::deleteMarked() {
    const std::vector<std::string> before = manager_.rows();
    FileError error;
    if (!manager_.deleteMarked(messages_, store_, &error))
        messages_.show(MessageIcon::Error, unableToWrite(error.path));
    // Refilling the list would drop its scroll position and selection, so a "No" (or a
    // delete with nothing marked) leaves the list exactly as the user left it.
    if (manager_.rows() != before)
        redraw();
}

bool TfSugg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit1_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findClicked();
            return true; // consumed, so the dialog does not close
        }
    }
    if (watched == lista_->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (QListWidgetItem* item = lista_->itemAt(mouse->position().toPoint())) {
                manager_.toggleMark(static_cast<std::size_t>(lista_->row(item)));
                item->setCheckState(manager_.marked(static_cast<std::size_t>(lista_->row(item)))
                                        ? Qt::Checked
                                        : Qt::Unchecked);
            }
        }
    }
    if (watched == lista_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space) {
            const int row = lista_->currentRow();
            if (row >= 0) {
                manager_.toggleMark(static_cast<std::size_t>(row));
                redrawMarks();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace trov
