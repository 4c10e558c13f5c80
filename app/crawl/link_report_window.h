// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The link check's report window: every checked link with its status, the page it was found
// on and how often, sortable by any column's header, with "Problems only" and the count of
// problems in the title. Double-click or Enter opens a link, Ctrl+Enter the page it was
// found on; the report exports as CSV or JSON. Made hidden when the first report arrives,
// placed as the links viewer is; closing it only hides it.

#include "app/crawl/link_report_table.h"
#include "app/shared/file_chooser.h"
#include "common/messages.h"
#include "links/open_url.h"

#include <QWidget>
#include <string>

class QAction;
class QCheckBox;
class QPushButton;
class QTableView;

namespace trov {

// CSV or JSON, as the chosen filter or a typed extension names; CSV for any other name.
inline const FileDialogSpec kLinkReportDialog{"CSV (Comma-separated values) (*.csv);;JSON (*.json)",
                                              "csv", true};

class LinkReportWindow : public QWidget {
    Q_OBJECT
public:
    // open hands an address to the desktop's default handler; files: the export's dialog
    // (null: none can be chosen).
    LinkReportWindow(Messages& messages, links::OpenAddress open, FileChooser* files,
                     QWidget* parent = nullptr);

    // A finished check's report, on the site it ran on (the export's suggested name).
    void showReport(LinkReport report, const std::string& site);

    // The commands, on the current row.
    void openAddress();
    void openFoundOn();
    void exportReport();

    LinkReportTable& table() { return table_; }
    QTableView* view() const { return view_; }
    QCheckBox* problemsOnlyBox() const { return problemsOnly_; }
    QPushButton* openAddressButton() const { return openAddress_; }
    QPushButton* openFoundOnButton() const { return openFoundOn_; }
    QPushButton* exportButton() const { return export_; }

private:
    const LinkCheckRow* currentRow() const;
    void open(const std::string& address);
    void updateCommands();

    Messages& messages_;
    links::OpenAddress open_;
    FileChooser* files_;
    std::string site_;
    LinkReportTable table_;
    QCheckBox* problemsOnly_;
    QTableView* view_;
    QPushButton* openAddress_;
    QPushButton* openFoundOn_;
    QPushButton* export_;
    QPushButton* close_;
    QAction* openAddressAction_;
    QAction* openFoundOnAction_;
};

} // namespace trov
