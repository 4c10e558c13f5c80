// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link check's report as a table for a view: address, status (the code, or the class of
// the failure), the page the link was found on and how often. Sorting and the problems-only
// filter are the report model's; this only hands its rows to Qt.

#include "crawler/link_report_model.h"

#include <QAbstractTableModel>

namespace trov {

class LinkReportTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { AddressColumn, StatusColumn, FoundOnColumn, TimesFoundColumn, ColumnCount };

    explicit LinkReportTable(QObject* parent = nullptr);

    // A new report, shown in its own order with the filter as it was.
    void setReport(LinkReport report);
    void setProblemsOnly(bool only);
    const LinkReportModel& model() const { return model_; }
    // The row shown at this index of the view.
    const LinkCheckRow& row(int shownRow) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // A click on a column's header.
    void sort(int column, Qt::SortOrder order) override;

private:
    // Where the shown row sits in the report.
    std::size_t reportIndex(int shownRow) const;

    LinkReportModel model_;
};

} // namespace trov
