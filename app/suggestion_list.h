#pragma once

// `GsLB`, the suggestion drop-down under the suggestion owner field: its placement and
// height, its keys and clicks, and its one-item menu "Delete search suggestion". What a
// row does to the fields is reported as signals.

#include <QObject>
#include <QRect>
#include <QString>
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

    QListWidget* widget() const { return list_; }
    QMenu* menu() const { return menu_; }
    bool isVisible() const;
    bool hasFocus() const;
    void hide();

    // `GSLBosvezi` once its rows are known: placed under ownerFrame with searchBox's left
    // edge and width, shown when it has rows, sized for the main window's client height.
    void refresh(const std::vector<std::string>& rows, QRect ownerFrame, QRect searchBox,
                 int mainClientHeight);
    // Down arrow in a field: the list takes the focus and its first row is chosen.
    void enterFromField();
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
    QListWidget* list_;
    QMenu* menu_;
};

} // namespace trov
