// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// "Add engine...": a file or an address of an OpenSearch description (or of a page that
// links one), an optional key and name. The engine is added off the window thread; the
// dialog closes once it is in engines.cfg and says so, or says why not and stays.

#include "app/shared/background_work.h"

#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace trov {

class FileChooser;
class Messages;
struct EngineAdded;

class AddEngineDialog : public QDialog {
    Q_OBJECT
public:
    // files may be null: no file can be chosen, only typed.
    AddEngineDialog(std::string enginesPath, FileChooser* files, Messages& messages,
                    QWidget* parent = nullptr);

    QLineEdit* sourceField() const { return source_; }
    QLineEdit* keyField() const { return key_; }
    QLineEdit* nameField() const { return name_; }
    QPushButton* addButton() const { return add_; }

signals:
    void added(const QString& section); // the engine is in engines.cfg under section

private:
    void browse();
    void startAdding();
    void finish(const EngineAdded& result);
    void setBusy(bool busy);

    std::string enginesPath_;
    FileChooser* files_;
    Messages& messages_;
    QLineEdit* source_;
    QPushButton* browse_;
    QLineEdit* key_;
    QLineEdit* name_;
    QLabel* status_;
    QPushButton* add_;
    QPushButton* close_;
    BackgroundWork work_;
};

} // namespace trov
