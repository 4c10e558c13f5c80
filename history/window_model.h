// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history list as a Qt table model: the store's rows newest first, the column
// captions, and each row's colour from the find field's text.

#include "history/history_store.h"

#include <QAbstractTableModel>
#include <functional>

namespace trov {

class HistoryTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    HistoryTableModel(HistoryStore& store, std::function<QString()> findText,
                      QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The store's rows changed (a new search, delete, clear, open).
    void reload();
    // The find text changed: every row is drawn again.
    void recolour();

private:
    HistoryStore& store_;
    std::function<QString()> findText_;
    int rows_ = 0; // as the view last learnt it
};

} // namespace trov
