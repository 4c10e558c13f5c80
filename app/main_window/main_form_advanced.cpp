// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the main window made on first need: the advanced fields below the collapsed
// edge, which take their place and show what the form holds when made.

#include "app/main_window/form_keyboard.h"
#include "app/main_window/main_form.h"
#include "appearance/glyphs.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace trov {

const AdvancedFields& TMainForm::advanced() {
    if (!adv_)
        buildAdvanced();
    return *adv_;
}

void TMainForm::buildAdvanced() {
    const QObjectList before = w_.pAll->children();
    adv_ = std::make_unique<AdvancedFields>();
    buildAdvancedFields(w_.pAll, *adv_);
    placeAdvanced(before);
    wireAdvanced();
    const bool was = syncing_;
    syncing_ = true;
    syncAdvanced();
    syncing_ = was;
    showColours();
    if (shownScheme_)
        showScheme(*shownScheme_);
    if (advancedInTabOrder_)
        setAdvancedInTabOrder(*advancedInTabOrder_);
}

void TMainForm::placeAdvanced(const QObjectList& before) {
    // Made with the window, the fields sat under the drop-down and the progress panel (made
    // after them) in both the stacking and the tab chain; made now, they are put back there.
    const QObjectList& now = w_.pAll->children();
    QWidget* firstLater = nullptr;
    for (qsizetype i = before.indexOf(w_.Crta) + 1; i < before.size() && !firstLater; ++i) {
        auto* later = qobject_cast<QWidget*>(before[i]);
        if (later && !later->isWindow())
            firstLater = later;
    }
    for (qsizetype i = before.size(); i < now.size(); ++i) {
        auto* made = qobject_cast<QWidget*>(now[i]);
        if (!made)
            continue;
        if (firstLater)
            made->stackUnder(firstLater);
        // Children made on a window already showing stay hidden until shown.
        if (made->isHidden())
            made->show();
    }
    QWidget* previous = w_.cbAll;
    for (QWidget* f : adv_->tabChain()) {
        QWidget::setTabOrder(previous, f);
        previous = f;
    }
}

void TMainForm::wireAdvanced() {
    const AdvancedFields& a = *adv_;
    for (TextField f : {TextField::Exact, TextField::Exclude, TextField::Site}) {
        QLineEdit* e = a.textField(f);
        e->installEventFilter(this);
        connect(e, &QLineEdit::textChanged, this,
                [this, f](const QString& text) { fieldChanged(f, text); });
    }
    const std::pair<QComboBox*, ListField> lists[] = {
        {a.lb, ListField::Browser},   {a.cb1, ListField::Interface}, {a.cb3, ListField::Country},
        {a.cb2, ListField::Language}, {a.cb5, ListField::FileType},  {a.cb6, ListField::Period}};
    for (const auto& [box, list] : lists)
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, list](int index) { listChanged(list, index); });
    for (int n = 1; n <= 6; ++n) {
        connect(a.pins[static_cast<std::size_t>(n)], &QToolButton::clicked, this,
                [this, n] { pinClicked(n); });
        keyboard_->addButton(a.pins[static_cast<std::size_t>(n)]);
    }
}

QLineEdit* TMainForm::builtField(TextField f) const {
    if (f == TextField::Words)
        return w_.eURL;
    return adv_ ? adv_->textField(f) : nullptr;
}

QFrame* TMainForm::builtFrame(TextField f) const {
    if (f == TextField::Words)
        return w_.XiPanel1;
    return adv_ ? adv_->textFrame(f) : nullptr;
}

void TMainForm::showSiteReadOnly() {
    if (adv_)
        adv_->edomain->setReadOnly(model_.siteReadOnly());
}

void TMainForm::syncAdvanced() {
    const AdvancedFields& a = *adv_;
    for (TextField f : {TextField::Exact, TextField::Exclude, TextField::Site}) {
        const QString text = QString::fromStdString(model_.text(f));
        if (a.textField(f)->text() != text)
            a.textField(f)->setText(text);
    }
    const std::pair<QComboBox*, ListField> lists[] = {
        {a.lb, ListField::Browser},   {a.cb1, ListField::Interface}, {a.cb3, ListField::Country},
        {a.cb2, ListField::Language}, {a.cb5, ListField::FileType},  {a.cb6, ListField::Period}};
    if (a.lb->count() != static_cast<int>(model_.browsers().size())) {
        a.lb->clear();
        for (const BrowserEntry& b : model_.browsers())
            a.lb->addItem(QString::fromStdString(b.text));
    }
    for (const auto& [box, list] : lists)
        box->setCurrentIndex(model_.selection(list));
    showSiteReadOnly();
}

void TMainForm::showScheme(const BackgroundScheme& s) {
    for (QLabel* label : adv_->captions) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, toQColor(s.captionColour));
        label->setPalette(p);
    }
    const QPixmap pin = drawGlyph(s.pinGlyph);
    for (std::size_t n = 1; n < adv_->pins.size(); ++n)
        adv_->pins[n]->setIcon(pin);
}

} // namespace trov
