// SPDX-License-Identifier: GPL-3.0-or-later
// The four text fields and the suggestion drop-down under them: the suggestion owner, the
// keys and mouse in the fields, the refresh and "Delete search suggestion".

#include "app/main_window/main_form.h"
#include "app/main_window/suggestion_list.h"
#include "common/messages.h"
#include "suggest/suggestion_manager.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <array>

namespace trov {

namespace {

constexpr std::array kTextFields = {TextField::Words, TextField::Exact, TextField::Exclude,
                                    TextField::Site};

} // namespace

void TMainForm::wireDropDown() {
    connect(dropDown_, &SuggestionList::rowChosen, this,
            [this](const QString& text) { putRow(ownerField(), text); });
    connect(dropDown_, &SuggestionList::goRequested, this, &TMainForm::xiGOClick);
    connect(dropDown_, &SuggestionList::escaped, this, [this] {
        if (QLineEdit* owner = ownerField()) {
            owner->clear();
            owner->setFocus();
        }
    });
    connect(dropDown_, &SuggestionList::leftAtTop, this, [this](const QString& text) {
        if (QLineEdit* owner = ownerField()) {
            owner->setText(text);
            owner->setFocus();
        }
    });
    connect(dropDown_, &SuggestionList::deleteRequested, this, &TMainForm::deleteSearchSuggestion);
}

void TMainForm::putRow(QLineEdit* field, const QString& text) {
    if (!field)
        return;
    // A row put into a field is no typing: the list stays as it is.
    const bool was = fromDropDown_;
    fromDropDown_ = true;
    field->setText(text);
    fromDropDown_ = was;
}

void TMainForm::hideSuggestions() {
    dropDown_->hide();
}

void TMainForm::focusWords() {
    // A command that ends here may have started in another window or a box (Reset with
    // the history window open): the main window takes the activation with the focus.
    if (isVisible())
        activateWindow();
    w_.eURL->setFocus();
}

QLineEdit* TMainForm::ownerField() {
    switch (model_.suggestionOwner()) {
    case OwnerField::None:
        return nullptr;
    case OwnerField::Words:
        return w_.eURL;
    case OwnerField::Exact:
        return advanced().eexact;
    case OwnerField::Exclude:
        return advanced().eexclude;
    case OwnerField::Site:
        return advanced().edomain;
    }
    return nullptr;
}

void TMainForm::fieldChanged(TextField field, const QString& text) {
    // The model makes a changed field the owner, also when a command set its text.
    model_.setText(field, text.toStdString());
    if (syncing_)
        return;
    if (!suppress_)
        GSLBosvezi();
    suppress_ = false;
}

void TMainForm::fieldEscape() {
    dropDown_->hide();
    QLineEdit* owner = ownerField();
    // The flag is meant for the change the clearing makes; with nothing to clear it would
    // swallow the next typed letter instead.
    if (!owner || owner->text().isEmpty())
        return;
    suppress_ = true;
    owner->clear();
}

bool TMainForm::fieldKey(TextField field, QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        xiGOClick();
        return true;
    case Qt::Key_Escape:
        fieldEscape();
        return true;
    case Qt::Key_Down:
        if (dropDown_->isVisible()) {
            if (const std::optional<QString> first = dropDown_->enterFromField())
                putRow(builtField(field), *first);
            return true;
        }
        return false;
    case Qt::Key_Backspace:
        if (field == TextField::Words && dropDown_->isVisible())
            dropDown_->hide();
        return false;
    default:
        return false;
    }
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    for (TextField f : kTextFields) {
        if (watched != builtField(f))
            continue;
        switch (event->type()) {
        case QEvent::KeyPress:
            return fieldKey(f, static_cast<QKeyEvent*>(event));
        case QEvent::MouseButtonPress:
            if (dropDown_->isVisible())
                dropDown_->hide();
            return false;
        case QEvent::MouseButtonDblClick:
            model_.setSuggestionOwner(ownerOf(f));
            GSLBosvezi();
            return false;
        case QEvent::FocusIn:
            if (f != TextField::Exact)
                dropDown_->hide();
            return false;
        default:
            return false;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMainForm::GSLBosvezi() {
    if (((dropDown_->hasFocus() || fromDropDown_) && !forcedRefresh_) ||
        (dropDownHeld_ && dropDownHeld_()))
        return;
    const std::vector<std::string> rows = services_.suggestions.dropDownRows(model_.ownerText());
    const QLineEdit* owner = ownerField();
    QFrame* frame = w_.XiPanel1;
    for (TextField f : kTextFields)
        if (owner && owner == builtField(f))
            frame = builtFrame(f);
    dropDown_->refresh(rows, frame->geometry(), w_.XiPanel1->geometry(), height());
}

void TMainForm::deleteSearchSuggestion() {
    const std::optional<std::string> row = dropDown_->selectedRow();
    if (QLineEdit* owner = ownerField())
        owner->clear();
    // The delete goes through a list like the suggestions manager's, filled from the store
    // for this one delete; the manager fills its own when it opens.
    SuggestionManager list;
    FileError error;
    if (!trov::deleteSearchSuggestion(services_.suggestions, list, row, &error))
        services_.messages.show(MessageIcon::Error, unableToWrite(error.path));
    if (!row)
        return;
    forcedRefresh_ = true;
    GSLBosvezi();
    forcedRefresh_ = false;
}

} // namespace trov
