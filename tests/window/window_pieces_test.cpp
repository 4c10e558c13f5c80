// The small pieces of the main window: the flat menus, the glyphs, the About window, the
// message boxes, the tray, the fade driver and its notice, the crawler panel.

#include "app/about_dialog.h"
#include "app/auto_hide.h"
#include "app/autohide_notice.h"
#include "app/crawler_panel.h"
#include "app/qt_messages.h"
#include "app/tray.h"
#include "appearance/colour.h"
#include "appearance/glyphs.h"
#include "appearance/menu_style.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/when_shown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>

using namespace trov;

namespace {

struct BoxSeen {
    QString title, text, defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool onTop = false;
};

} // namespace

class WindowPiecesTest : public QObject {
    Q_OBJECT

private slots:
    void flatMenuColours() {
        QMenu menu;
        QAction* normal = menu.addAction(QStringLiteral("History"));
        QAction* checked = menu.addAction(QStringLiteral("Enable search history"));
        checked->setCheckable(true);
        checked->setChecked(true);
        QAction* separator = menu.addSeparator();
        QAction* disabled = menu.addAction(QStringLiteral("Disabled"));
        disabled->setEnabled(false);
        QMenu* sub = menu.addMenu(QStringLiteral("Background color"));
        sub->addAction(QStringLiteral("Color dialog"));
        applyFlatMenuStyle(&menu);
        QVERIFY(qobject_cast<FlatMenuStyle*>(sub->style()));
        menu.popup(QPoint(10, 10));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        menu.setActiveAction(normal);
        QTest::qWait(20);
        const QImage image = menu.grab().toImage();
        const auto drawnIn = [&](QRect r, const QColor& colour) {
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x)
                    if (image.pixelColor(x, y) == colour)
                        return true;
            return false;
        };
        const QRect n = menu.actionGeometry(normal), c = menu.actionGeometry(checked);
        const QRect s = menu.actionGeometry(separator), d = menu.actionGeometry(disabled);
        QCOMPARE(image.pixelColor(n.right() - 2, n.top() + 2), menu_colours::kSelected);
        QCOMPARE(image.pixelColor(c.right() - 2, c.top() + 2), menu_colours::kBackground);
        QCOMPARE(image.pixelColor(s.right() - 4, s.center().y()), menu_colours::kSeparator);
        // The check mark is white, inside the icon column; the disabled text is grey.
        QVERIFY(drawnIn(c.adjusted(0, 0, kMenuIconColumn - c.width(), 0), Qt::white));
        QVERIFY(drawnIn(d.adjusted(kMenuIconColumn, 0, 0, 0), menu_colours::kDisabled));
    }

    // Each glyph at its size on a transparent ground, every opaque pixel in its colour.
    void glyphsAreDrawnInTheirColoursAndSizes() {
        for (Glyph g : {Glyph::Image1, Glyph::Image2, Glyph::Image3, Glyph::Image4, Glyph::Image5,
                        Glyph::Image6}) {
            const GlyphSpec spec = glyphSpec(g);
            const QImage image = drawGlyph(g).toImage();
            QCOMPARE(image.size(), QSize(spec.width, spec.height));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (const QColor p = image.pixelColor(x, y); p.alpha() == 255) {
                        QCOMPARE(fromQColor(p), spec.colour);
                        ++opaque;
                    }
            QVERIFY(opaque > 0);
        }
        // Down for expand, up for collapse: the tip is at the bottom or the top.
        QVERIFY(drawGlyph(Glyph::Image3).toImage().pixelColor(10, 9).alpha() > 128);
        QVERIFY(drawGlyph(Glyph::Image4).toImage().pixelColor(10, 2).alpha() > 128);
    }

    void aboutWindow() {
        AboutDialog about;
        QVERIFY(about.isModal());
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("version"))->text(),
                 QStringLiteral("Version 1.0.0.0"));
        QVERIFY(about.findChild<QLabel*>(QStringLiteral("link"))->openExternalLinks());
        QCOMPARE(versionText("1.2.3.4.5"), QStringLiteral("Version 1.2.3.4"));
    }

    void messageBoxes() {
        QtMessages messages;
        BoxSeen seen;
        const auto answerNextBox = [&] {
            test::whenShown(&QApplication::activeModalWidget, [&seen](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                QAbstractButton* preset = box->defaultButton();
                seen = {box->windowTitle(), box->text(),
                        preset ? preset->text().remove(QLatin1Char('&')) : QString(), box->icon(),
                        bool(box->windowFlags() & Qt::WindowStaysOnTopHint)};
                QTest::keyClick(box, Qt::Key_Return);
            });
        };
        answerNextBox();
        QVERIFY(!messages.ask("Reset all search parameters and search results?"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.defaultButton, QStringLiteral("No"));
        answerNextBox();
        QVERIFY(messages.askYesPreselected("  Do you want to show partial results ?  "));
        QCOMPARE(seen.defaultButton, QStringLiteral("Yes"));
        answerNextBox();
        messages.show(MessageIcon::Error, "Invalid request.\r\nMake sure of the site.", true);
        QCOMPARE(seen.title, QStringLiteral("Trov"));
        QCOMPARE(seen.text, QStringLiteral("Invalid request.\nMake sure of the site."));
        QVERIFY(seen.onTop);
        answerNextBox();
        messages.show(MessageIcon::Information, "No links found");
        QVERIFY(!seen.onTop);
    }

    void trayMenu() {
        bool shown = true;
        TrayIcon tray(QIcon(), [&] { return shown; });
        QStringList texts;
        for (QAction* a : tray.menu()->actions())
            if (!a->isSeparator())
                texts << a->text() + (a->isVisible() ? QString() : QStringLiteral(" (hidden)"));
        QCOMPARE(texts, (QStringList{"Hide", "History", "Data Folder (hidden)",
                                     "Search suggestions (hidden)", "Load at windows startup",
                                     "Show on application start", "About", "Exit"}));
        shown = false;
        emit tray.menu()->aboutToShow();
        QCOMPARE(tray.showHideAction()->text(), QStringLiteral("Show"));
        QSignalSpy toggles(&tray, &TrayIcon::toggleRequested);
        tray.showHideAction()->trigger();
        emit tray.icon()->activated(QSystemTrayIcon::Trigger);
        emit tray.icon()->activated(QSystemTrayIcon::Context); // the menu, not a toggle
        QCOMPARE(toggles.count(), 2);
    }

    // The driver applies the fade model's level as the window's opacity.
    void autoHideDriver() {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(300, 300, 458, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget other; // the active window, so activation does not keep it opaque
        other.setGeometry(0, 400, 100, 100);
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!window.isActiveWindow());
        AutoHideDriver driver(&window);
        driver.start();
        QVERIFY(driver.timer().isActive());
        driver.stop();
        QPoint cursor(790, 590);
        driver.setCursorSource([&] { return cursor; });
        for (int i = 0; i < 150; ++i)
            driver.tick();
        QVERIFY(qAbs(window.windowOpacity() - driver.model().level() / 255.0) < 0.01);
        QSignalSpy corner(&driver, &AutoHideDriver::cornerReached);
        cursor = QPoint(3, 3);
        driver.tick();
        QCOMPARE(corner.count(), 1);
        QCOMPARE(window.windowOpacity(), 1.0);
        cursor = QPoint(790, 590);
        for (int i = 0; i < 300; ++i)
            driver.tick();
        QCOMPARE(window.windowOpacity(), 0.0);
        driver.reset();
        QCOMPARE(window.windowOpacity(), 1.0);
    }

    void autoHideNotice() {
        AutoHideNotice notice;
        QCOMPARE(notice.findChild<QLabel*>(QStringLiteral("text"))->text(),
                 QStringLiteral(" \n   Move cursor to upper left corner to show Trov.          "));
        QVERIFY(!notice.dontShowAgain()->isChecked());
        QTimer::singleShot(0, notice.findChild<QPushButton*>(), &QPushButton::click);
        notice.exec();
        QVERIFY(notice.confirmed());
        QTimer::singleShot(0, &notice, &QDialog::reject);
        notice.exec();
        QVERIFY(!notice.confirmed());
    }

    // A long address is shortened in its middle to fit the label, again when placed anew;
    // Stop asks once, Cancel asks and then offers the partial results.
    void crawlerPanel() {
        test::ScriptedMessages messages;
        QWidget window;
        CrawlerPanel panel(messages, &window);
        QVERIFY(panel.isHidden() && panel.stopButton()->isHidden());
        panel.barShown(false);
        panel.panelShown(true);
        QVERIFY(!panel.isHidden() && panel.progressBar()->isHidden());
        QCOMPARE(panel.addressLabel()->geometry(), QRect(8, 21, 425, 18));
        const QString longAddress = QStringLiteral("https://example.com/") +
                                    QStringLiteral("section/").repeated(30) +
                                    QStringLiteral("page-name.html");
        panel.currentAddress(longAddress.toStdString());
        const QString shown = panel.addressLabel()->text();
        QCOMPARE(panel.fullAddress(), longAddress);
        QVERIFY(shown.startsWith(QStringLiteral("https://")) && shown.contains(QChar(0x2026)) &&
                shown.endsWith(QStringLiteral(".html")));
        const QFontMetrics fm(panel.addressLabel()->font());
        QVERIFY(fm.horizontalAdvance(shown) <= panel.addressLabel()->width());
        panel.placeAddress(8, 19, 370);
        QVERIFY(fm.horizontalAdvance(panel.addressLabel()->text()) <= 370);

        QSignalSpy stops(&panel, &CrawlerPanel::stopRequested);
        QSignalSpy cancels(&panel, &CrawlerPanel::cancelRequested);
        messages.answers = {true, true, false};
        panel.stopButton()->click();   // Yes
        panel.cancelButton()->click(); // Yes, then No: abandon
        QCOMPARE(stops.count() + 10 * cancels.count(), 11);
        panel.finish();
        QVERIFY(panel.isHidden());
    }
};

QTEST_MAIN(WindowPiecesTest)
#include "window_pieces_test.moc"
