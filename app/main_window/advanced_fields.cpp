// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/advanced_fields.h"

#include "app/main_window/main_layout.h"
#include "app/shared/core_texts.h"
#include "compose/code_tables.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace trov {

namespace {

constexpr int kFieldWidth = 436;
constexpr int kListWidth = 204;
constexpr int kFieldHeight = 25;

QFrame* frameAt(QWidget* parent, const char* name, QRect geometry) {
    auto* f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(geometry);
    f->setFrameShape(QFrame::Box);
    f->setLineWidth(1);
    f->setAutoFillBackground(true);
    QPalette pal = f->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0xB4, 0xB4, 0xB4));
    f->setPalette(pal);
    return f;
}

QLineEdit* textFieldIn(QFrame* frame, const char* name, const char* colour) {
    auto* e = new QLineEdit(frame);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(2, 2, frame->width() - 4, frame->height() - 4);
    e->setFrame(false);
    QPalette p = e->palette();
    p.setColor(QPalette::Text, QColor(QLatin1String(colour)));
    e->setPalette(p);
    return e;
}

QComboBox* listIn(QFrame* frame, const char* name) {
    auto* c = new QComboBox(frame);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(1, 1, frame->width() - 2, frame->height() - 2);
    c->setFrame(false);
    c->setMaxVisibleItems(20);
    return c;
}

template <std::size_t N> void fill(QComboBox* box, const std::array<CodeEntry, N>& list) {
    for (const CodeEntry& e : list)
        box->addItem(QString::fromUtf8(e.label.data(), static_cast<qsizetype>(e.label.size())));
}

QLabel* caption(QWidget* parent, const char* name, const char* text, int x, int y) {
    auto* l = new QLabel(QCoreApplication::translate("TMainForm", text), parent);
    l->setObjectName(QLatin1String(name));
    l->move(x, y);
    l->adjustSize();
    l->setAttribute(Qt::WA_TransparentForMouseEvents); // the background stays draggable
    return l;
}

// A field is read by its caption, and its pin as pinning that field.
void label(QLabel* caption, QWidget* field, QToolButton* pin = nullptr) {
    caption->setBuddy(field);
    field->setAccessibleName(caption->text());
    if (pin)
        pin->setAccessibleName(
            QCoreApplication::translate("TMainForm", "Pin %1").arg(caption->text()));
}

} // namespace

std::array<QWidget*, 9> AdvancedFields::tabFields() const {
    return {eexact, eexclude, edomain, cb6, cb5, cb3, cb2, lb, cb1};
}

std::array<QWidget*, 15> AdvancedFields::tabChain() const {
    return {eexact,  eexclude, edomain, cb6, pins[6], cb5, pins[5], cb3,
            pins[3], cb2,      pins[4], lb,  pins[1], cb1, pins[2]};
}

FramedField AdvancedFields::coloured(ColouredField f) const {
    switch (f) {
    case ColouredField::Browser:
        return {fLb, lb};
    case ColouredField::Interface:
        return {fCb1, cb1};
    case ColouredField::Country:
        return {fCb3, cb3};
    case ColouredField::Language:
        return {fCb2, cb2};
    case ColouredField::Period:
        return {fCb6, cb6};
    case ColouredField::FileType:
        return {fCb5, cb5};
    case ColouredField::Exact:
        return {xiExact, eexact};
    case ColouredField::Exclude:
        return {xiExclude, eexclude};
    case ColouredField::Site:
        return {xiDomain, edomain};
    }
    return {};
}

QLineEdit* AdvancedFields::textField(TextField f) const {
    switch (f) {
    case TextField::Words:
        return nullptr;
    case TextField::Exact:
        return eexact;
    case TextField::Exclude:
        return eexclude;
    case TextField::Site:
        return edomain;
    }
    return nullptr;
}

QFrame* AdvancedFields::textFrame(TextField f) const {
    switch (f) {
    case TextField::Words:
        return nullptr;
    case TextField::Exact:
        return xiExact;
    case TextField::Exclude:
        return xiExclude;
    case TextField::Site:
        return xiDomain;
    }
    return nullptr;
}

void buildAdvancedFields(QWidget* p, AdvancedFields& a) {
    a.captions[0] =
        caption(p, "Label10", QT_TRANSLATE_NOOP("TMainForm", "Exact word or phrase"), 11, 98);
    a.xiExact = frameAt(p, "xiExact", {11, 114, kFieldWidth, kFieldHeight});
    a.eexact = textFieldIn(a.xiExact, "eexact", "#005279");
    a.captions[1] =
        caption(p, "Label11", QT_TRANSLATE_NOOP("TMainForm", "Exclude a word"), 11, 154);
    a.xiExclude = frameAt(p, "xiExclude", {11, 169, kFieldWidth, kFieldHeight});
    a.eexclude = textFieldIn(a.xiExclude, "eexclude", "#F3412B");
    a.captions[2] =
        caption(p, "Label12", QT_TRANSLATE_NOOP("TMainForm", "Site or domain"), 11, 209);
    a.xiDomain = frameAt(p, "xiDomain", {11, 225, kFieldWidth, kFieldHeight});
    a.edomain = textFieldIn(a.xiDomain, "edomain", "#525449");

    a.captions[3] = caption(p, "Label14", QT_TRANSLATE_NOOP("TMainForm", "Time period"), 11, 274);
    a.captions[4] = caption(p, "Label8", QT_TRANSLATE_NOOP("TMainForm", "File type"), 242, 274);
    a.fCb6 = frameAt(p, "xiTime", {11, 290, kListWidth, kFieldHeight});
    a.cb6 = listIn(a.fCb6, "cb6");
    for (std::string_view s : kPeriods)
        a.cb6->addItem(coreText(s)); // shown in the session's language; the form keeps English
    a.fCb5 = frameAt(p, "xiType", {242, 290, kListWidth, kFieldHeight});
    a.cb5 = listIn(a.fCb5, "cb5");
    fill(a.cb5, kFileTypes);

    a.captions[5] = caption(p, "Label4", QT_TRANSLATE_NOOP("TMainForm", "Country"), 11, 330);
    a.captions[6] = caption(p, "Label3", QT_TRANSLATE_NOOP("TMainForm", "Language"), 242, 330);
    a.fCb3 = frameAt(p, "xiCountry", {11, 346, kListWidth, kFieldHeight});
    a.cb3 = listIn(a.fCb3, "cb3");
    fill(a.cb3, kCountries);
    a.fCb2 = frameAt(p, "xiLanguage", {242, 346, kListWidth, kFieldHeight});
    a.cb2 = listIn(a.fCb2, "cb2");
    fill(a.cb2, kResultLanguages);

    a.captions[7] = caption(p, "Label2", QT_TRANSLATE_NOOP("TMainForm", "Browser"), 11, 386);
    a.captions[8] = caption(p, "Label1", QT_TRANSLATE_NOOP("TMainForm", "Interface"), 242, 386);
    a.fLb = frameAt(p, "xiBrowser", {11, 402, kListWidth, kFieldHeight});
    a.lb = listIn(a.fLb, "lb");
    a.fCb1 = frameAt(p, "xiInterface", {242, 402, kListWidth, kFieldHeight});
    a.cb1 = listIn(a.fCb1, "cb1");
    fill(a.cb1, kInterfaceLanguages);

    // Pin buttons, by pin number.
    a.pins[1] = flatButton(p, "SpeedButton1", {192, 379, 20, 20});
    a.pins[2] = flatButton(p, "SpeedButton2", {423, 379, 20, 20});
    a.pins[3] = flatButton(p, "SpeedButton3", {192, 323, 20, 20});
    a.pins[4] = flatButton(p, "SpeedButton4", {423, 323, 20, 20});
    a.pins[5] = flatButton(p, "SpeedButton5", {423, 267, 20, 20});
    a.pins[6] = flatButton(p, "sbt", {192, 267, 20, 20});
    for (std::size_t i = 1; i < a.pins.size(); ++i) {
        a.pins[i]->setToolTip(QCoreApplication::translate("TMainForm", "Pin"));
        a.pins[i]->setIconSize({16, 16});
    }
    label(a.captions[0], a.eexact);
    label(a.captions[1], a.eexclude);
    label(a.captions[2], a.edomain);
    label(a.captions[3], a.cb6, a.pins[6]);
    label(a.captions[4], a.cb5, a.pins[5]);
    label(a.captions[5], a.cb3, a.pins[3]);
    label(a.captions[6], a.cb2, a.pins[4]);
    label(a.captions[7], a.lb, a.pins[1]);
    label(a.captions[8], a.cb1, a.pins[2]);
}

} // namespace trov
