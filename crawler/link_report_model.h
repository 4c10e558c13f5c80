// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows a link report window shows: sorted by any column (stably, so the rows of equal
// keys keep the order of the sort before), with or without only the problems.

#include "crawler/link_status.h"

#include <cstddef>
#include <vector>

namespace trov {

enum class ReportColumn { Address, Status, FinalAddress, FoundOn, TimesFound, Error };

class LinkReportModel {
public:
    explicit LinkReportModel(LinkReport report = {});

    // Texts compare with ASCII letters folded; the status by its code, the error classes
    // after every code; the count as a number.
    void sortBy(ReportColumn column, bool ascending = true);
    void setProblemsOnly(bool only);
    bool problemsOnly() const { return problemsOnly_; }

    // The rows shown, in their order.
    std::size_t shownCount() const { return shown_.size(); }
    const LinkCheckRow& shown(std::size_t i) const { return report_[shown_[i]]; }

    const LinkReport& report() const { return report_; }
    std::size_t problems() const { return problems_; }

private:
    void filter();

    LinkReport report_;
    std::vector<std::size_t> order_; // every row, sorted
    std::vector<std::size_t> shown_; // the rows of order_ the filter lets through
    bool problemsOnly_ = false;
    std::size_t problems_ = 0;
};

} // namespace trov
