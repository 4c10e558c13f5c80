// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/add_engine_dialog.h"

#include "app/shared/file_chooser.h"
#include "common/messages.h"
#include "compose/engine_add.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace trov {

namespace {

const FileDialogSpec kDescriptionDialog{"OpenSearch description (*.xml);;All files (*)", ""};

// An optional field: nullopt when left empty.
std::optional<std::string> given(const QLineEdit* field) {
    const QString text = field->text().trimmed();
    return text.isEmpty() ? std::nullopt : std::optional(text.toStdString());
}

QLineEdit* field(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

AddEngineDialog::AddEngineDialog(std::string enginesPath, FileChooser* files, Messages& messages,
                                 QWidget* parent)
    : QDialog(parent), enginesPath_(std::move(enginesPath)), files_(files), messages_(messages),
      work_(this) {
    setObjectName(QStringLiteral("AddEngineDialog"));
    setWindowTitle(tr("Add engine"));
    setModal(true);
    source_ = field(this, "eSource");
    source_->setPlaceholderText(tr("A file, or an address starting with http:// or https://"));
    source_->setMinimumWidth(360);
    browse_ = new QPushButton(tr("&Browse..."), this);
    browse_->setObjectName(QStringLiteral("bBrowse"));
    browse_->setEnabled(files_ != nullptr);
    key_ = field(this, "eKey");
    name_ = field(this, "eName");
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lStatus"));
    auto* buttons = new QDialogButtonBox(this);
    add_ = buttons->addButton(tr("&Add"), QDialogButtonBox::AcceptRole);
    add_->setObjectName(QStringLiteral("bAdd"));
    add_->setDefault(true);
    add_->setEnabled(false);
    close_ = buttons->addButton(QDialogButtonBox::Close);
    close_->setObjectName(QStringLiteral("bClose"));

    auto* sourceRow = new QHBoxLayout;
    sourceRow->addWidget(source_);
    sourceRow->addWidget(browse_);
    auto* form = new QFormLayout;
    // Each caption is its field's buddy, which names the field for a screen reader.
    auto* sourceCaption =
        new QLabel(tr("&Source (OpenSearch description or a page linking one):"), this);
    sourceCaption->setBuddy(source_);
    form->addRow(sourceCaption, sourceRow);
    form->addRow(tr("&Key (optional):"), key_);
    form->addRow(tr("&Name (optional):"), name_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    setTabOrder(source_, browse_);
    setTabOrder(browse_, key_);
    setTabOrder(key_, name_);

    connect(source_, &QLineEdit::textChanged, this,
            [this](const QString& text) { add_->setEnabled(!text.trimmed().isEmpty()); });
    connect(browse_, &QPushButton::clicked, this, &AddEngineDialog::browse);
    connect(buttons, &QDialogButtonBox::accepted, this, &AddEngineDialog::startAdding);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void AddEngineDialog::browse() {
    const std::string file = files_->openFile(kDescriptionDialog, source_->text().toStdString());
    if (!file.empty())
        source_->setText(QString::fromStdString(file));
}

void AddEngineDialog::setBusy(bool busy) {
    for (QWidget* w : {static_cast<QWidget*>(source_), static_cast<QWidget*>(key_),
                       static_cast<QWidget*>(name_), static_cast<QWidget*>(add_)})
        w->setEnabled(!busy);
    browse_->setEnabled(!busy && files_);
    status_->setText(busy ? tr("Adding the engine...") : QString());
}

void AddEngineDialog::startAdding() {
    EngineAddition addition{source_->text().trimmed().toStdString(), given(key_), given(name_)};
    setBusy(true);
    // A page and a description fetched from a site may take seconds: the window goes on.
    work_.run<EngineAdded>(
        [path = enginesPath_, addition = std::move(addition)] {
            try {
                return addEngine(path, addition);
            } catch (const std::exception& e) {
                return EngineAdded{EngineAdded::Status::Failed, {}, e.what()};
            }
        },
        [this](const EngineAdded& result) { finish(result); });
}

void AddEngineDialog::finish(const EngineAdded& result) {
    setBusy(false);
    if (result.status == EngineAdded::Status::Added) {
        const QString section = QString::fromStdString(result.section);
        emit added(section);
        accept();
        messages_.show(
            MessageIcon::Information,
            tr("The engine \"%1\" was added to \"More engines\".").arg(section).toStdString());
        return;
    }
    messages_.show(MessageIcon::Warning, tr("The engine was not added:\n\n%1")
                                             .arg(QString::fromStdString(result.reason))
                                             .toStdString());
    (result.status == EngineAdded::Status::KeyRefused ? key_ : source_)->setFocus();
}

} // namespace trov
