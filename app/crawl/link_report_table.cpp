// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crawl/link_report_table.h"

#include <QBrush>
#include <QColor>
#include <vector>

namespace trov {

namespace {

constexpr ReportColumn kSortColumns[] = {ReportColumn::Address, ReportColumn::Status,
                                         ReportColumn::FoundOn, ReportColumn::TimesFound};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The status as the report files name it: the code, or the failure's class.
QString statusText(const LinkCheckRow& row) {
    if (row.error == LinkError::None)
        return QString::number(row.status);
    const std::string_view name = linkErrorName(row.error);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace

LinkReportTable::LinkReportTable(QObject* parent) : QAbstractTableModel(parent) {}

void LinkReportTable::setReport(LinkReport report) {
    beginResetModel();
    const bool only = model_.problemsOnly();
    model_ = LinkReportModel(std::move(report));
    model_.setProblemsOnly(only);
    endResetModel();
}

void LinkReportTable::setProblemsOnly(bool only) {
    if (only == model_.problemsOnly())
        return;
    beginResetModel();
    model_.setProblemsOnly(only);
    endResetModel();
}

const LinkCheckRow& LinkReportTable::row(int shownRow) const {
    return model_.shown(static_cast<std::size_t>(shownRow));
}

int LinkReportTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(model_.shownCount());
}

int LinkReportTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkReportTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const LinkCheckRow& r = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case AddressColumn:
            return q(r.address);
        case StatusColumn:
            return statusText(r);
        case FoundOnColumn:
            return q(r.foundOn);
        case TimesFoundColumn:
            return QString::number(r.timesFound);
        }
        break;
    case Qt::ToolTipRole:
        // Where the redirects ended, which the table has no column for.
        if (index.column() == StatusColumn && r.finalAddress != r.address)
            return tr("Redirected to %1").arg(q(r.finalAddress));
        break;
    case Qt::ForegroundRole:
        if (index.column() == StatusColumn && r.problem())
            return QBrush(QColor(0xB0, 0x00, 0x20));
        break;
    case Qt::TextAlignmentRole:
        if (index.column() == StatusColumn || index.column() == TimesFoundColumn)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        break;
    default:
        break;
    }
    return {};
}

QVariant LinkReportTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case AddressColumn:
        return tr("Address");
    case StatusColumn:
        return tr("Status");
    case FoundOnColumn:
        return tr("Found on");
    case TimesFoundColumn:
        return tr("Times found");
    }
    return {};
}

std::size_t LinkReportTable::reportIndex(int shownRow) const {
    return static_cast<std::size_t>(&row(shownRow) - model_.report().data());
}

void LinkReportTable::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    // The current and the selected row stay on their link, wherever it is sorted to.
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> links;
    for (const QModelIndex& i : before)
        links.push_back(reportIndex(i.row()));
    model_.sortBy(kSortColumns[column], order == Qt::AscendingOrder);
    std::vector<int> shownAt(model_.report().size(), -1);
    for (int r = 0; r < rowCount(); ++r)
        shownAt[reportIndex(r)] = r;
    QModelIndexList after;
    for (qsizetype k = 0; k < before.size(); ++k)
        after << index(shownAt[links[static_cast<std::size_t>(k)]], before[k].column());
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace trov
