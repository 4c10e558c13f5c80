// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The history window (caption "Trov - Search History"): the history list with its row
// colours, the detail panel of the record shown last, find, navigation, multi select,
// delete, clear, open, save and CSV export, and the way back into the main window's
// fields ("Fill search fields", "Run"). Created hidden; closing it only hides it.

#include "history/fill_fields.h"
#include "history/history_placement.h"
#include "history/history_view.h"

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QLineEdit;
class QPushButton;
class QTableView;
class QToolButton;

namespace trov {

class Config;
class FileChooser;
class HistoryTableModel;
class MainWindowCommands;
class Messages;

struct HistoryWindowServices {
    MainWindowCommands& main;
    HistoryStore& store;
    Config& config;
    Messages& messages;
    FileChooser& files;
    // Shows the main window at full opacity and brings it to the front; run by a Fill when
    // the main window is hidden or faded out.
    std::function<void()> bringMainForward;
    // Where the window opens, as read from YY.cfg at the program's start; none: read
    // when the window is made.
    std::optional<HistoryPlacement> placement = std::nullopt;
};

class Tfhist : public QWidget {
    Q_OBJECT
public:
    explicit Tfhist(HistoryWindowServices services, QWidget* parent = nullptr);
    ~Tfhist() override;

    // The "History" menu entries: shows the window with row 0 selected, or hides it.
    void toggle();
    // Rows were added at the top behind the window (a search was recorded): the records
    // selected stay selected.
    void rowsChanged();

    // Toolbar commands.
    void findClicked();
    void navigate(HistoryNavigation button);
    void setMultiSelect(bool on);
    void deleteRecord();
    void clearAll();
    void openFile();
    void saveFile();
    void exportCsv();
    FillResult FillFields();
    void run();

    QTableView* table() const { return tabela_; }
    QLineEdit* findField() const { return hurl_; }
    // The detail panel's field of column c.
    QLineEdit* detailField(std::size_t column) const { return detail_.at(column); }
    QToolButton* button(const QString& hint) const;
    QPushButton* closeButton() const { return close_; }

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildToolbar();
    QWidget* buildDetailPanel();
    void buildTable();
    void applyPlacement();
    void activated();
    void deactivated();
    void showDetail();
    void showRows(); // the list drawn again from the store, the view's selection on it
    void pushSelection(std::optional<std::size_t> scrollTo, bool centre);
    void pullSelection();
    void applyColumns();
    void reportWriteFailure(const FileError& error);

    HistoryWindowServices services_;
    HistoryView view_;
    HistoryTableModel* model_ = nullptr;
    QTableView* tabela_ = nullptr;
    QLineEdit* hurl_ = nullptr;
    std::array<QLineEdit*, kHistoryColumnCount> detail_{};
    std::vector<QToolButton*> buttons_;
    QToolButton* multi_ = nullptr;
    QPushButton* close_ = nullptr;
    bool syncing_ = false;
    bool placementFailureShown_ = false;
    bool listFocusOnActivation_ = false; // opened by toggle: its list keeps the focus
};

} // namespace trov
