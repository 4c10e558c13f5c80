// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The viewer's find dialog: the find text, the direction, match case and whole word. It
// stays open beside the viewer; each "Find Next" asks the viewer to search once more.

#include "links/find.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace trov {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString findText() const;
    void setFindText(const QString& text);
    links::FindOptions options() const;
    void setOptions(const links::FindOptions& options);

    QPushButton* findNextButton() const { return findNext_; }

signals:
    void findNextRequested();

private:
    QLineEdit* text_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QRadioButton* up_;
    QRadioButton* down_;
    QPushButton* findNext_;
};

} // namespace trov
