// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The suggestions manager (caption "Trov - Search suggestions"): a modal dialog listing
// every stored suggestion with a check mark, to find, mark and delete entries.

#include "suggest/suggestion_manager.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace trov {

class TfSugg : public QDialog {
    Q_OBJECT
public:
    TfSugg(SuggestionManager& manager, SuggestionStore& store, Messages& messages,
           QWidget* parent = nullptr);

    // Empties the list and fills it from the store's SuggestionList.
    void refill();
    // Shows the dialog modally with a freshly filled list.
    int openModal();

    void findClicked();
    void selectAll();
    void invertSelection();
    void deleteMarked();

    QListWidget* list() const { return lista_; }
    QLineEdit* findField() const { return edit1_; }
    QPushButton* button(const QString& caption) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void redraw();
    void redrawMarks();

    SuggestionManager& manager_;
    SuggestionStore& store_;
    Messages& messages_;
    QListWidget* lista_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    std::vector<QPushButton*> buttons_;
};

} // namespace trov
