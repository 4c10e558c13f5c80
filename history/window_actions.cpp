// SPDX-License-Identifier: GPL-3.0-or-later
// The history window's commands: what its toolbar, its list and the menus run.

#include "app/shared/file_chooser.h"
#include "app/shared/qt_text.h"
#include "common/messages.h"
#include "history/fill_fields.h"
#include "history/window.h"
#include "history/window_model.h"
#include "window_models/main_commands.h"

#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

namespace trov {

void Tfhist::toggle() {
    if (isVisible()) {
        hide();
        listFocusOnActivation_ = false;
        return;
    }
    rowsChanged();
    if (view_.rowCount() > 0) {
        view_.selectOnly(0);
        view_.showSelected();
        pushSelection(0, false);
        showDetail();
    }
    // The activation this show brings arrives later and would move the focus to Find.
    listFocusOnActivation_ = true;
    show();
    raise();
    activateWindow();
    tabela_->setFocus();
}

void Tfhist::rowsChanged() {
    view_.rowsAddedAtTop();
    showRows();
}

void Tfhist::showRows() {
    model_->reload();
    applyColumns();
    pushSelection(std::nullopt, false);
}

void Tfhist::showDetail() {
    if (!view_.showSelected())
        return; // nothing selected: the panel stays
    const HistoryRecord& r = view_.detail();
    for (std::size_t c = 0; c < kHistoryColumnCount; ++c)
        detail_[c]->setText(toQString(r[c]));
}

void Tfhist::pullSelection() {
    if (syncing_)
        return;
    std::set<std::size_t> rows;
    for (const QModelIndex& i : tabela_->selectionModel()->selectedRows())
        rows.insert(static_cast<std::size_t>(i.row()));
    view_.setSelection(std::move(rows));
    showDetail();
}

void Tfhist::pushSelection(std::optional<std::size_t> scrollTo, bool centre) {
    syncing_ = true;
    QItemSelectionModel* selection = tabela_->selectionModel();
    selection->clearSelection();
    for (std::size_t r : view_.selection()) {
        const QModelIndex i = model_->index(static_cast<int>(r), 0);
        selection->select(i, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (view_.lowestSelected() >= 0)
        selection->setCurrentIndex(model_->index(view_.lowestSelected(), 0),
                                   QItemSelectionModel::NoUpdate);
    syncing_ = false;
    if (scrollTo)
        tabela_->scrollTo(model_->index(static_cast<int>(*scrollTo), 0),
                          centre ? QAbstractItemView::PositionAtCenter
                                 : QAbstractItemView::EnsureVisible);
}

void Tfhist::findClicked() {
    const std::string text = hurl_->text().toStdString();
    if (text.empty())
        return;
    const auto row = view_.find(text);
    if (row) {
        pushSelection(row, true);
        showDetail();
    }
    model_->recolour();
    tabela_->setFocus();
}

void Tfhist::navigate(HistoryNavigation button) {
    multi_->setChecked(false);
    setMultiSelect(false);
    const auto row = view_.navigate(button);
    if (!row)
        return;
    pushSelection(row, false);
    showDetail();
    tabela_->setFocus();
}

void Tfhist::setMultiSelect(bool on) {
    view_.setMultiSelect(on);
    tabela_->setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                                 : QAbstractItemView::SingleSelection);
    pushSelection(std::nullopt, false);
}

void Tfhist::deleteRecord() {
    FileError error;
    const bool written = view_.deleteSelected(&error);
    model_->reload();
    for (QLineEdit* e : detail_)
        e->clear();
    tabela_->setFocus();
    if (!written)
        reportWriteFailure(error);
}

void Tfhist::clearAll() {
    if (view_.rowCount() == 0)
        return;
    QApplication::beep();
    FileError error;
    const ClearOutcome outcome = view_.clearAll(services_.messages, &error);
    if (outcome == ClearOutcome::Declined)
        return;
    model_->reload();
    for (QLineEdit* e : detail_)
        e->clear();
    if (outcome == ClearOutcome::WriteFailed)
        reportWriteFailure(error);
}

void Tfhist::openFile() {
    const std::string path = services_.files.openFile(kHistoryFileDialog, {});
    if (path.empty())
        return;
    const bool multi = view_.multiSelect();
    HistoryFileProblem problem;
    if (!services_.store.openFile(path, &problem))
        services_.messages.show(MessageIcon::Warning, problem.path + ": " + problem.reason);
    view_.setMultiSelect(multi); // the button decides, not the file
    view_.rowsReplaced();
    showRows();
}

void Tfhist::saveFile() {
    const std::string path = services_.files.saveFile(kHistoryFileDialog, {});
    if (path.empty())
        return;
    FileError error;
    if (!services_.store.saveFile(path, &error))
        reportWriteFailure(error);
}

void Tfhist::exportCsv() {
    const std::string path = services_.files.saveFile(kExportDialog, {});
    if (path.empty())
        return;
    FileError error;
    if (!services_.store.exportCsv(path, &error))
        reportWriteFailure(error);
}

FillResult Tfhist::FillFields() {
    // A main window in view stays as it is: hiding and showing it again would flicker and
    // take the activation from this window.
    if (!services_.main.isShown() && services_.bringMainForward)
        services_.bringMainForward();
    const HistoryRecord& record = view_.detail();
    const FillResult result = trov::FillFields(record, view_.rowCount() > 0, services_.main);
    if (result == FillResult::NoSuchOwnEngine)
        services_.messages.show(MessageIcon::Information, missingEngineMessage(record[kColEngine]));
    if (result == FillResult::RanOwnEngine)
        rowsChanged(); // the search was recorded at the top of the list
    return result;
}

void Tfhist::run() {
    // A record of an own engine has run (or cannot run) already.
    if (FillFields() != FillResult::Filled)
        return;
    services_.main.go();
    rowsChanged(); // the search was recorded at the top of the list
}

void Tfhist::reportWriteFailure(const FileError& error) {
    services_.messages.show(MessageIcon::Error, unableToWrite(error.path));
}

} // namespace trov
