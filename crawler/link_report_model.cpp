// SPDX-License-Identifier: GPL-3.0-or-later
#include "crawler/link_report_model.h"

#include "common/text.h"

#include <algorithm>
#include <numeric>

namespace trov {

namespace {

// Negative, zero or positive as a sorts before, with or after b in the column.
int compareIn(ReportColumn column, const LinkCheckRow& a, const LinkCheckRow& b) {
    const auto three = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
    case ReportColumn::Address:
        return text::compareIgnoreCase(a.address, b.address);
    case ReportColumn::Status:
        if (const int byKind = three(a.error != LinkError::None, b.error != LinkError::None))
            return byKind;
        if (const int byCode = three(a.status, b.status))
            return byCode;
        return linkErrorName(a.error).compare(linkErrorName(b.error));
    case ReportColumn::FinalAddress:
        return text::compareIgnoreCase(a.finalAddress, b.finalAddress);
    case ReportColumn::FoundOn:
        return text::compareIgnoreCase(a.foundOn, b.foundOn);
    case ReportColumn::TimesFound:
        return three(a.timesFound, b.timesFound);
    case ReportColumn::Error:
        return linkErrorName(a.error).compare(linkErrorName(b.error));
    }
    return 0;
}

} // namespace

LinkReportModel::LinkReportModel(LinkReport report)
    : report_(std::move(report)), order_(report_.size()), problems_(problemCount(report_)) {
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    filter();
}

void LinkReportModel::sortBy(ReportColumn column, bool ascending) {
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
        const int c = compareIn(column, report_[a], report_[b]);
        return ascending ? c < 0 : c > 0;
    });
    filter();
}

void LinkReportModel::setProblemsOnly(bool only) {
    problemsOnly_ = only;
    filter();
}

void LinkReportModel::filter() {
    shown_.clear();
    for (const std::size_t i : order_)
        if (!problemsOnly_ || report_[i].problem())
            shown_.push_back(i);
}

} // namespace trov
