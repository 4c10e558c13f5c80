// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/accessible_controls.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QComboBox>

namespace trov {

namespace {

class NamedComboBox : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {
        addControllingSignal(QStringLiteral("currentIndexChanged(int)"));
    }
    QString text(QAccessible::Text t) const override {
        const auto* box = static_cast<QComboBox*>(widget());
        // Unnamed, it is read as Qt reads it, by its value.
        if (t == QAccessible::Name)
            return box->accessibleName().isEmpty() ? box->currentText() : box->accessibleName();
        if (t == QAccessible::Value)
            return box->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override {
        return QStringList{showMenuAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction())
            static_cast<QComboBox*>(widget())->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

class RadioToolButton : public QAccessibleWidget {
public:
    explicit RadioToolButton(QAbstractButton* b) : QAccessibleWidget(b, QAccessible::RadioButton) {}
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = static_cast<QAbstractButton*>(widget())->isChecked();
        return s;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<QAbstractButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* controls(const QString&, QObject* object) {
    if (auto* box = qobject_cast<QComboBox*>(object))
        return new NamedComboBox(box);
    if (auto* b = qobject_cast<QAbstractButton*>(object); b && b->property(kRadioProperty).toBool())
        return new RadioToolButton(b);
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(controls);
        return true;
    }();
    (void)installed;
}

} // namespace trov
