// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The flat style of every pop-up menu of the window (main, tray, drop-down and crawler
// menus): background #434A54, white bold "Segoe UI" 13 px items, the selected item #FF8000
// with white text, separators #8E98A6, disabled items #A0A0A0, white check marks and a
// 24-pixel icon column on the background colour.

#include <QColor>
#include <QProxyStyle>

class QMenu;

namespace trov {

namespace menu_colours {
inline const QColor kBackground{0x43, 0x4A, 0x54};
inline const QColor kSelected{0xFF, 0x80, 0x00};
inline const QColor kSeparator{0x8E, 0x98, 0xA6};
inline const QColor kDisabled{0xA0, 0xA0, 0xA0};
inline const QColor kText{Qt::white};
} // namespace menu_colours

inline constexpr int kMenuIconColumn = 24;

class FlatMenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    FlatMenuStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

// Gives menu and every submenu in it (also those added later, when they open) the style
// and font; the style object belongs to the menu.
void applyFlatMenuStyle(QMenu* menu);

} // namespace trov
