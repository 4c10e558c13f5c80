// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `GsLB`, the suggestion drop-down under the suggestion owner field: its placement and
// height, its keys and clicks, and its one-item menu "Delete search suggestion". What a
// row does to the fields is reported as signals. The list and its menu are made on the
// first refresh (or the first call that needs them), so a start that shows no suggestions
// does not make them.

#include <QObject>
#include <QRect>
#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class QListWidget;
class QMenu;
class QWidget;

namespace trov {

class SuggestionList : public QObject {
    Q_OBJECT
public:
    explicit SuggestionList(QWidget* parent);

    // Run once when the list is made, to give it its place among its parent's controls.
    void setPlacement(std::function<void(QListWidget* list)> place) { place_ = std::move(place); }
    bool made() const { return list_ != nullptr; }

    QListWidget* widget();
    QMenu* menu();
    bool isVisible() const;
    bool hasFocus() const;
    void hide();

    // `GSLBosvezi` once its rows are known: placed under ownerFrame with searchBox's left
    // edge and width, shown when it has rows, sized for the main window's client height.
    void refresh(const std::vector<std::string>& rows, QRect ownerFrame, QRect searchBox,
                 int mainClientHeight);
    // Down arrow in a field: the list takes the focus and selects its first row, whose
    // text is returned for that field (not signalled as rowChosen).
    std::optional<QString> enterFromField();
    std::optional<std::string> selectedRow() const;

signals:
    void rowChosen(const QString& text); // a row was selected: into the owner field
    void goRequested();                  // Enter, or a double click after rowChosen
    void escaped();                      // Esc: empty the owner field and focus it
    void leftAtTop(const QString& text); // Up on the first row: text into the owner, focus it
    void deleteRequested();              // "Delete search suggestion"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void make();

    QWidget* parent_;
    std::function<void(QListWidget*)> place_;
    QListWidget* list_ = nullptr;
    QMenu* menu_ = nullptr;
};

} // namespace trov
