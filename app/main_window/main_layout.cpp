// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/main_layout.h"

#include "app/main_window/accessible_controls.h"
#include "app/main_window/kind_box.h"
#include "compose/engines.h"
#include "compose/window_heights.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace trov {

namespace {

constexpr int kFieldWidth = 436;

// An icon-only button, named for a screen reader by what it does.
void name(QWidget* w, const QString& text) {
    w->setAccessibleName(text);
    w->setToolTip(text);
}

QPixmap canvas(int w, int h) {
    QPixmap p(w, h);
    p.fill(Qt::transparent);
    return p;
}

} // namespace

QToolButton* flatButton(QWidget* parent, const char* name, QRect geometry, bool radio) {
    auto* b = new QToolButton(parent);
    // Marked before anything makes its accessible interface.
    b->setProperty(kRadioProperty, radio);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoRaise(true);
    // Reached with Tab; a click leaves the focus in the field being typed in.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void buildMainFormLayout(QWidget* window, MainFormWidgets& w) {
    w.pAll = new QWidget(window);
    w.pAll->setObjectName(QStringLiteral("pAll"));
    w.pAll->setGeometry(0, 0, 459, 458);
    w.pAll->setAutoFillBackground(true);
    QWidget* p = w.pAll;

    // Search box.
    w.XiPanel1 = new QFrame(p);
    w.XiPanel1->setObjectName(QStringLiteral("XiPanel1"));
    w.XiPanel1->setGeometry(11, 12, kFieldWidth, 30);
    w.XiPanel1->setAutoFillBackground(true);
    w.XiPanel1->setFrameShape(QFrame::Box);
    QPalette boxPalette = w.XiPanel1->palette();
    boxPalette.setColor(QPalette::Window, Qt::white);
    boxPalette.setColor(QPalette::WindowText, QColor(0x02, 0x68, 0xF9));
    w.XiPanel1->setPalette(boxPalette);
    QFont urlFont(QStringLiteral("Segoe UI Variable Display"));
    urlFont.setPixelSize(15);
    urlFont.setBold(true);
    // The frame lends the field its font while the field is made: a field made with the
    // window's font would load that font, which nothing in the collapsed window shows.
    w.XiPanel1->setFont(urlFont);
    w.eURL = new QLineEdit(w.XiPanel1);
    w.eURL->setObjectName(QStringLiteral("eURL"));
    w.eURL->setGeometry(4, 4, 339, 23);
    w.eURL->setFrame(false);
    w.eURL->setAccessibleName(QCoreApplication::translate("TMainForm", "Search words"));
    w.eURL->setFont(urlFont);
    w.XiPanel1->setFont(QFont());
    QPalette up = w.eURL->palette();
    up.setColor(QPalette::Text, QColor(0x42, 0x40, 0x51));
    w.eURL->setPalette(up);
    w.xiGO = flatButton(w.XiPanel1, "xiGO", {343, 1, 35, 25});
    w.xiGO->setIcon(goGlyph());
    w.xiGO->setAccessibleName(QCoreApplication::translate("TMainForm", "Search"));
    w.xiGO->setToolTip(QCoreApplication::translate("TMainForm", "Go"));
    w.xiMetla = flatButton(w.XiPanel1, "xiMetla", {378, 1, 25, 26});
    w.xiMetla->setIcon(broomGlyph());
    name(w.xiMetla, QCoreApplication::translate("TMainForm", "Clear the form"));
    w.xiHamburger = flatButton(w.XiPanel1, "xiHamburger", {408, 1, 26, 25});
    w.xiHamburger->setIcon(menuGlyph());
    name(w.xiHamburger, QCoreApplication::translate("TMainForm", "Menu"));

    // Engine row, one radio group, Google down at start.
    w.engineGroup = new QButtonGroup(window);
    w.engineGroup->setExclusive(true);
    for (const EngineInfo& info : kEngines) {
        const int i = static_cast<int>(info.engine);
        const int y = info.engine == SearchEngine::Links ? 46 + 2 : 46;
        QToolButton* b =
            flatButton(p, info.button.data(),
                       {11 + info.buttonLeft, y, kEngineButtonWidth, kEngineButtonHeight},
                       true); // read as a radio button, one of the row
        b->setObjectName(
            QString::fromUtf8(info.button.data(), static_cast<qsizetype>(info.button.size())));
        b->setToolTip(
            QString::fromUtf8(info.hint.data(), static_cast<qsizetype>(info.hint.size())));
        // The engine's name without the hint's trailing blank ("Wikipedia ").
        b->setAccessibleName(b->toolTip().trimmed());
        b->setCheckable(true);
        b->setIcon(engineGlyph(info.engine));
        b->setIconSize({17, 17});
        w.engineGroup->addButton(b, i);
        w.engines[static_cast<std::size_t>(i)] = b;
    }
    w.engines[0]->setChecked(true);
    w.PanelMarker = new QFrame(p);
    w.PanelMarker->setObjectName(QStringLiteral("PanelMarker"));
    w.PanelMarker->setGeometry(11, 46 + kEngineButtonHeight + 2, kEngineButtonWidth, 2);
    w.PanelMarker->setAutoFillBackground(true);

    w.csExpand = flatButton(p, "csExpand", {275, 46, 23, 22});
    name(w.csExpand, QCoreApplication::translate("Core", "Expand"));
    w.csExpand->setIconSize({20, 11});
    w.cbAll = new KindBox(p);
    w.cbAll->setObjectName(QStringLiteral("cbAll"));
    w.cbAll->setAccessibleName(QCoreApplication::translate("TMainForm", "Search kind"));
    w.cbAll->setGeometry(337, 46, 110, 22);
    w.cbAll->setMaxVisibleItems(20);
    QFont kindFont = w.cbAll->font();
    kindFont.setPixelSize(12);
    kindFont.setBold(true);
    w.cbAll->setFont(kindFont);

    w.Panel4 = new QFrame(p);
    w.Panel4->setObjectName(QStringLiteral("Panel4"));
    w.Panel4->setGeometry(0, kCollapsedHeight, 10, 1);
    w.Panel4->hide();
    w.Panel6 = new QFrame(p);
    w.Panel6->setObjectName(QStringLiteral("Panel6"));
    w.Panel6->setGeometry(0, kExpandedHeight, 10, 1);
    w.Panel6->hide();
    w.Crta = new QFrame(p);
    w.Crta->setObjectName(QStringLiteral("Crta"));
    w.Crta->setGeometry(0, 86, 500, 1);
    w.Crta->setAutoFillBackground(true);
    w.Crta->hide();
}

QPixmap trovIconPixmap(int size) {
    QPixmap pm = canvas(size, size);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x02, 0x68, 0xF9));
    g.drawRoundedRect(QRectF(2 * s, 2 * s, 60 * s, 60 * s), 12 * s, 12 * s);
    g.setPen(QPen(Qt::white, 6 * s, Qt::SolidLine, Qt::RoundCap));
    g.setBrush(Qt::NoBrush);
    g.drawEllipse(QPointF(27 * s, 27 * s), 13 * s, 13 * s);
    g.drawLine(QPointF(37 * s, 37 * s), QPointF(50 * s, 50 * s));
    return pm;
}

QPixmap goGlyph() {
    QPixmap pm = canvas(20, 16);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0x02, 0x68, 0xF9), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    g.drawLine(QPointF(3, 8), QPointF(16, 8));
    g.drawLine(QPointF(11, 3), QPointF(16, 8));
    g.drawLine(QPointF(11, 13), QPointF(16, 8));
    return pm;
}

QPixmap broomGlyph() {
    QPixmap pm = canvas(16, 16);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(QPen(QColor(0x80, 0x80, 0x80), 1.6, Qt::SolidLine, Qt::RoundCap));
    g.drawLine(QPointF(12, 2), QPointF(7, 9));
    g.setBrush(QColor(0xB0, 0x80, 0x40));
    QPainterPath head;
    head.moveTo(5, 8);
    head.lineTo(9, 11);
    head.lineTo(6, 15);
    head.lineTo(1, 12);
    head.closeSubpath();
    g.drawPath(head);
    return pm;
}

QPixmap menuGlyph() {
    QPixmap pm = canvas(16, 16);
    QPainter g(&pm);
    g.setPen(Qt::NoPen);
    g.setBrush(QColor(0x5D, 0x5D, 0x5D));
    for (int y : {3, 7, 11})
        g.drawRect(2, y, 12, 2);
    return pm;
}

QPixmap engineGlyph(SearchEngine engine) {
    struct Look {
        const char* letter;
        QColor face;
    };
    static const std::array<Look, kEngineCount> looks = {{
        {"G", QColor(0x42, 0x85, 0xF4)},
        {"b", QColor(0x00, 0x83, 0x73)},
        {"D", QColor(0xDE, 0x58, 0x33)},
        {"A", QColor(0xD8, 0x1E, 0x05)},
        {"S", QColor(0xE0, 0x3C, 0x50)},
        {"W", QColor(0xF2, 0x6A, 0x2A)},
        {"W", QColor(0x33, 0x33, 0x33)},
        {"U", QColor(0x1D, 0x24, 0x39)},
        {"L", QColor(0x5D, 0x5D, 0x5D)},
    }};
    const Look& look = looks[static_cast<std::size_t>(engine)];
    QPixmap pm = canvas(17, 17);
    QPainter g(&pm);
    g.setRenderHint(QPainter::Antialiasing);
    g.setPen(Qt::NoPen);
    g.setBrush(look.face);
    g.drawRoundedRect(QRectF(0.5, 0.5, 16, 16), 4, 4);
    QFont f(QStringLiteral("Segoe UI"));
    f.setPixelSize(12);
    f.setBold(true);
    g.setFont(f);
    g.setPen(Qt::white);
    g.drawText(QRect(0, 0, 17, 17), Qt::AlignCenter, QLatin1String(look.letter));
    return pm;
}

} // namespace trov
