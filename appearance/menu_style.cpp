// SPDX-License-Identifier: GPL-3.0-or-later
#include "appearance/menu_style.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace trov {

namespace {

constexpr int kItemHeight = 24;
constexpr int kSeparatorHeight = 7;
constexpr int kTextRightPadding = 24;

QFont menuFont() {
    QFont f(QStringLiteral("Segoe UI"));
    f.setPixelSize(13);
    f.setBold(true);
    return f;
}

void drawCheck(QPainter* p, const QRect& column) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    QPen pen(menu_colours::kText, 2);
    pen.setCapStyle(Qt::RoundCap);
    p->setPen(pen);
    const QPoint c = column.center();
    p->drawLine(QPoint(c.x() - 4, c.y()), QPoint(c.x() - 1, c.y() + 3));
    p->drawLine(QPoint(c.x() - 1, c.y() + 3), QPoint(c.x() + 4, c.y() - 3));
    p->restore();
}

void drawSubmenuArrow(QPainter* p, const QRect& item, const QColor& colour) {
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->setPen(Qt::NoPen);
    p->setBrush(colour);
    const int x = item.right() - 12, y = item.center().y();
    const QPoint tri[3] = {QPoint(x, y - 4), QPoint(x + 4, y), QPoint(x, y + 4)};
    p->drawPolygon(tri, 3);
    p->restore();
}

} // namespace

FlatMenuStyle::FlatMenuStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void FlatMenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        painter->fillRect(option->rect, menu_colours::kBackground);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FlatMenuStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
    if (element == CE_MenuEmptyArea) {
        painter->fillRect(option->rect, menu_colours::kBackground);
        return;
    }
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
        QProxyStyle::drawControl(element, option, painter, widget);
        return;
    }
    const QRect r = item->rect;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        painter->fillRect(r, menu_colours::kBackground);
        painter->fillRect(
            QRect(r.left() + kMenuIconColumn, r.center().y(), r.width() - kMenuIconColumn, 1),
            menu_colours::kSeparator);
        return;
    }
    const bool enabled = item->state & State_Enabled;
    const bool selected = enabled && (item->state & State_Selected);
    painter->fillRect(r, selected ? menu_colours::kSelected : menu_colours::kBackground);
    const QColor text = enabled ? menu_colours::kText : menu_colours::kDisabled;

    const QRect column(r.left(), r.top(), kMenuIconColumn, r.height());
    if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked)
        drawCheck(painter, column);
    else if (!item->icon.isNull())
        item->icon.paint(painter, column.adjusted(4, 4, -4, -4), Qt::AlignCenter,
                         enabled ? QIcon::Normal : QIcon::Disabled);

    painter->save();
    painter->setFont(item->font);
    painter->setPen(text);
    const QRect textRect = r.adjusted(kMenuIconColumn + 6, 0, -kTextRightPadding, 0);
    QString label = item->text;
    QString shortcut;
    if (const int tab = label.indexOf(QLatin1Char('\t')); tab >= 0) {
        shortcut = label.mid(tab + 1);
        label.truncate(tab);
    }
    const int flags = Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
    painter->drawText(textRect, flags | Qt::AlignLeft, label);
    if (!shortcut.isEmpty())
        painter->drawText(textRect, flags | Qt::AlignRight, shortcut);
    painter->restore();
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu)
        drawSubmenuArrow(painter, r, text);
}

QSize FlatMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    if (item->menuItemType == QStyleOptionMenuItem::Separator)
        return QSize(size.width(), kSeparatorHeight);
    const QFontMetrics fm(item->font);
    QString label = item->text;
    label.remove(QLatin1Char('&'));
    label.replace(QLatin1Char('\t'), QStringLiteral("    "));
    const int width = kMenuIconColumn + 6 + fm.horizontalAdvance(label) + kTextRightPadding;
    return QSize(width, std::max(kItemHeight, fm.height() + 8));
}

int FlatMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const {
    switch (metric) {
    case PM_MenuPanelWidth:
    case PM_MenuHMargin:
    case PM_MenuVMargin:
        return 0;
    case PM_SmallIconSize:
        if (qobject_cast<const QMenu*>(widget))
            return kMenuIconColumn - 8;
        break;
    default:
        break;
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

void applyFlatMenuStyle(QMenu* menu) {
    if (!menu || qobject_cast<FlatMenuStyle*>(menu->style()))
        return;
    auto* style = new FlatMenuStyle;
    style->setParent(menu);
    menu->setStyle(style);
    menu->setFont(menuFont());
    QPalette pal = menu->palette();
    pal.setColor(QPalette::Window, menu_colours::kBackground);
    pal.setColor(QPalette::WindowText, menu_colours::kText);
    menu->setPalette(pal);
    for (QAction* action : menu->actions())
        applyFlatMenuStyle(action->menu());
    // Submenus added after this call get the style when the menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] {
        for (QAction* action : menu->actions())
            applyFlatMenuStyle(action->menu());
    });
}

} // namespace trov
