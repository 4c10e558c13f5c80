// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crawl/link_report_window.h"

#include "common/store_file.h"
#include "crawler/link_report.h"
#include "crawler/link_rules.h"

#include <QAction>
#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

namespace trov {

namespace {

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(true); // Enter presses it, as Space does
    return b;
}

QAction* command(const QString& text, const QList<QKeySequence>& keys, Qt::ShortcutContext context,
                 QWidget* on) {
    auto* a = new QAction(text, on);
    a->setShortcuts(keys);
    a->setShortcutContext(context);
    on->addAction(a);
    return a;
}

} // namespace

LinkReportWindow::LinkReportWindow(Messages& messages, links::OpenAddress open, FileChooser* files,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), messages_(messages), open_(std::move(open)), files_(files) {
    setObjectName(QStringLiteral("LinkReportWindow"));
    setWindowTitle(tr("Link check"));
    // Where the links viewer first shows: centred across, a quarter of the screen down.
    resize(898, 677);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 4);
    }

    // Made in the order they are drawn, which is the Tab chain's.
    problemsOnly_ = new QCheckBox(tr("&Problems only"), this);
    problemsOnly_->setObjectName(QStringLiteral("ProblemsOnly"));
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("LinkTable"));
    view_->setAccessibleName(tr("Checked links"));
    view_->setModel(&table_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTabKeyNavigation(false); // Tab leaves the table for the buttons
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    QHeaderView* header = view_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    for (const auto& [column, width] : {std::pair{LinkReportTable::AddressColumn, 400},
                                        {LinkReportTable::StatusColumn, 80},
                                        {LinkReportTable::FoundOnColumn, 260}})
        view_->setColumnWidth(column, width);
    // The report comes in the links viewer's order, which is the address's.
    header->setSortIndicator(LinkReportTable::AddressColumn, Qt::AscendingOrder);
    view_->setSortingEnabled(true);
    openAddress_ = button("OpenAddress", tr("&Open address"), this);
    openFoundOn_ = button("OpenFoundOn", tr("Open the page it was &found on"), this);
    export_ = button("ExportReport", tr("&Export..."), this);
    close_ = button("CloseReport", tr("&Close"), this);

    openAddressAction_ =
        command(tr("Open address"), {Qt::Key_Return, Qt::Key_Enter}, Qt::WidgetShortcut, view_);
    openFoundOnAction_ =
        command(tr("Open the page it was found on"),
                {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter}, Qt::WindowShortcut, view_);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    QAction* exportAction =
        command(tr("Export..."), {QKeySequence::Save}, Qt::WindowShortcut, this);
    QAction* closeAction = command(tr("Close"), {Qt::Key_Escape}, Qt::WindowShortcut, this);

    auto* top = new QHBoxLayout;
    top->addWidget(problemsOnly_);
    top->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(openAddress_);
    bottom->addWidget(openFoundOn_);
    bottom->addStretch(1);
    bottom->addWidget(export_);
    bottom->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    layout->addLayout(bottom);

    connect(problemsOnly_, &QCheckBox::toggled, &table_, &LinkReportTable::setProblemsOnly);
    connect(view_, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { this->open(table_.row(index.row()).address); });
    connect(openAddressAction_, &QAction::triggered, this, &LinkReportWindow::openAddress);
    connect(openAddress_, &QPushButton::clicked, this, &LinkReportWindow::openAddress);
    connect(openFoundOnAction_, &QAction::triggered, this, &LinkReportWindow::openFoundOn);
    connect(openFoundOn_, &QPushButton::clicked, this, &LinkReportWindow::openFoundOn);
    connect(exportAction, &QAction::triggered, this, &LinkReportWindow::exportReport);
    connect(export_, &QPushButton::clicked, this, &LinkReportWindow::exportReport);
    connect(closeAction, &QAction::triggered, this, &QWidget::close);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &LinkReportWindow::updateCommands);
    // A new report or the filter: the first row shown becomes the current one.
    connect(&table_, &QAbstractItemModel::modelReset, this, [this] {
        if (table_.rowCount() > 0)
            view_->setCurrentIndex(table_.index(0, 0));
        updateCommands();
    });
    updateCommands();
}

void LinkReportWindow::showReport(LinkReport report, const std::string& site) {
    site_ = site;
    table_.setReport(std::move(report));
    const std::size_t problems = table_.model().problems();
    setWindowTitle(problems == 1 ? tr("Link check: 1 problem")
                                 : tr("Link check: %1 problems").arg(problems));
    // The new rows in the order the header shows.
    const QHeaderView* header = view_->horizontalHeader();
    table_.sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    if (table_.rowCount() > 0)
        view_->setCurrentIndex(table_.index(0, 0));
    view_->scrollToTop();
    show();
    raise();
    activateWindow();
    view_->setFocus();
}

const LinkCheckRow* LinkReportWindow::currentRow() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? &table_.row(current.row()) : nullptr;
}

void LinkReportWindow::open(const std::string& address) {
    links::openUrl(address, open_, messages_);
}

void LinkReportWindow::openAddress() {
    if (const LinkCheckRow* row = currentRow())
        open(row->address);
}

void LinkReportWindow::openFoundOn() {
    if (const LinkCheckRow* row = currentRow(); row && !row->foundOn.empty())
        open(row->foundOn);
}

void LinkReportWindow::exportReport() {
    const std::string path =
        files_ ? files_->saveFile(kLinkReportDialog, "Link check (" + HostOf(site_) + ")")
               : std::string();
    if (path.empty())
        return;
    // The whole report in the order it was checked, as trovctl writes it, whatever is shown.
    FileError error;
    if (!writeLinkReport(path, table_.model().report(), &error))
        messages_.show(MessageIcon::Error, unableToWrite(error.path));
}

void LinkReportWindow::updateCommands() {
    const LinkCheckRow* row = currentRow();
    for (QAction* a : {openAddressAction_, openFoundOnAction_})
        a->setEnabled(row && (a == openAddressAction_ || !row->foundOn.empty()));
    openAddress_->setEnabled(openAddressAction_->isEnabled());
    openFoundOn_->setEnabled(openFoundOnAction_->isEnabled());
}

} // namespace trov
