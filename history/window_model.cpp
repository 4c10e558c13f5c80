// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/window_model.h"

#include "app/shared/core_texts.h"
#include "app/shared/qt_text.h"
#include "history/history_view.h"

#include <QColor>

namespace trov {

HistoryTableModel::HistoryTableModel(HistoryStore& store, std::function<QString()> findText,
                                     QObject* parent)
    : QAbstractTableModel(parent), store_(store), findText_(std::move(findText)),
      rows_(static_cast<int>(store.list().rows.size())) {}

int HistoryTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int HistoryTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kHistoryColumnCount);
}

QVariant HistoryTableModel::data(const QModelIndex& index, int role) const {
    const auto& rows = store_.list().rows;
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= rows.size())
        return {};
    const HistoryRecord& record = rows[static_cast<std::size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return toQString(record[static_cast<std::size_t>(index.column())]);
    case Qt::BackgroundRole: {
        const std::uint32_t rgb =
            rowColour(record, static_cast<std::size_t>(index.row()), findText_().toStdString());
        return QColor::fromRgb(static_cast<QRgb>(rgb));
    }
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    default:
        return {};
    }
}

QVariant HistoryTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    const auto& columns = store_.list().columns;
    if (section < 0 || static_cast<std::size_t>(section) >= kHistoryColumnCount)
        return {};
    if (static_cast<std::size_t>(section) < columns.size())
        return coreText(columns[static_cast<std::size_t>(section)].caption);
    return coreText(kHistoryColumns[static_cast<std::size_t>(section)].caption);
}

void HistoryTableModel::reload() {
    beginResetModel();
    rows_ = static_cast<int>(store_.list().rows.size());
    endResetModel();
}

void HistoryTableModel::recolour() {
    if (rows_ > 0)
        emit dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1), {Qt::BackgroundRole});
}

} // namespace trov
