#include "app/about_dialog.h"
#include "app/auto_hide.h"
#include "app/autohide_notice.h"
#include "app/crawler_panel.h"
#include "app/qt_messages.h"
#include "app/tray.h"
#include "appearance/glyphs.h"
#include "appearance/menu_style.h"
#include "common/version.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/when_shown.h"

#include <QAbstractButton>
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
#include <QTimer>

using namespace trov;
using test::ScriptedMessages;

namespace {

struct BoxSeen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString defaultButton;
    bool onTop = false;
};

// Looks at the next message box once it is open, then presses Enter on it.
void answerNextBox(BoxSeen& seen) {
    test::whenShown(&QApplication::activeModalWidget, [&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        seen = {box->windowTitle(), box->text(), box->icon(),
                box->defaultButton() ? box->defaultButton()->text() : QString(),
                bool(box->windowFlags() & Qt::WindowStaysOnTopHint)};
        QTest::keyClick(box, Qt::Key_Return);
    });
}

} // namespace

class WindowPiecesTest : public QObject {
    Q_OBJECT

private slots:
    void flatMenuColoursAndFont() {
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
        const QRect n = menu.actionGeometry(normal), c = menu.actionGeometry(checked);
        const QRect s = menu.actionGeometry(separator), d = menu.actionGeometry(disabled);
        QCOMPARE(image.pixelColor(n.right() - 2, n.top() + 2), menu_colours::kSelected);
        QCOMPARE(image.pixelColor(c.right() - 2, c.top() + 2), menu_colours::kBackground);
        QCOMPARE(image.pixelColor(s.right() - 4, s.center().y()), menu_colours::kSeparator);

        // The check mark is white, inside the 24-pixel column; the disabled text is grey.
        bool white = false;
        for (int x = c.left(); x < c.left() + kMenuIconColumn; ++x)
            for (int y = c.top(); y <= c.bottom(); ++y)
                white = white || image.pixelColor(x, y) == QColor(Qt::white);
        QVERIFY(white);
        bool grey = false;
        for (int x = d.left() + kMenuIconColumn; x < d.right(); ++x)
            grey = grey || image.pixelColor(x, d.center().y()) == menu_colours::kDisabled;
        QVERIFY(grey);
        menu.close();
    }

    void glyphsAreDrawnInTheirColoursAndSizes() {
        struct Case {
            Glyph glyph;
            QSize size;
            QColor colour;
        } cases[] = {
            {Glyph::Image1, {16, 16}, QColor(128, 128, 128)},
            {Glyph::Image2, {16, 16}, Qt::white},
            {Glyph::Image3, {20, 11}, QColor(93, 93, 93)},
            {Glyph::Image4, {20, 11}, QColor(93, 93, 93)},
            {Glyph::Image5, {20, 11}, Qt::white},
            {Glyph::Image6, {20, 11}, Qt::white},
        };
        for (const auto& c : cases) {
            const QImage image = drawGlyph(c.glyph).toImage();
            QCOMPARE(image.size(), c.size);
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0); // transparent background
            bool found = false;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor p = image.pixelColor(x, y);
                    if (p.alpha() == 255) {
                        QCOMPARE(p.rgb(), c.colour.rgb());
                        found = true;
                    }
                }
            QVERIFY(found);
        }
        // Down for expand, up for collapse: the tip is at the bottom or the top.
        QVERIFY(drawGlyph(Glyph::Image3).toImage().pixelColor(10, 9).alpha() > 128);
        QVERIFY(drawGlyph(Glyph::Image4).toImage().pixelColor(10, 2).alpha() > 128);
        QCOMPARE(toQColor(14801352), QColor(200, 217, 225));
        QCOMPARE(fromQColor(QColor(200, 217, 225)), 14801352);
    }

    void aboutWindow() {
        AboutDialog about;
        const auto label = [&](const char* name) {
            return about.findChild<QLabel*>(QString::fromLatin1(name));
        };
        QVERIFY(about.isModal());
        QCOMPARE(label("productName")->text(), QStringLiteral("Trov"));
        QCOMPARE(label("version")->text(), QStringLiteral("Version 1.0.0.0"));
        const QString url = QString::fromLatin1(kProductUrl);
        QVERIFY(label("link")->text().contains(QStringLiteral("href=\"%1\"").arg(url)));
        QVERIFY(label("link")->openExternalLinks());
        QCOMPARE(versionText("1.2.3.4.5"), QStringLiteral("Version 1.2.3.4"));
    }

    void messageBoxes() {
        QtMessages messages;
        BoxSeen seen;
        answerNextBox(seen);
        QVERIFY(!messages.ask("Reset all search parameters and search results?"));
        QCOMPARE(seen.icon, QMessageBox::Question);
        QCOMPARE(seen.defaultButton.remove(QLatin1Char('&')), QStringLiteral("No"));

        answerNextBox(seen);
        QVERIFY(messages.askYesPreselected("  Do you want to show partial results ?  "));
        QCOMPARE(seen.defaultButton.remove(QLatin1Char('&')), QStringLiteral("Yes"));

        answerNextBox(seen);
        messages.show(MessageIcon::Error,
                      "Invalid request.\r\nMake sure you have entered a valid "
                      "site/domain.",
                      true);
        QCOMPARE(seen.title, QStringLiteral("Trov"));
        QCOMPARE(
            seen.text,
            QStringLiteral("Invalid request.\nMake sure you have entered a valid site/domain."));
        QVERIFY(seen.onTop);

        answerNextBox(seen);
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
        tray.updateFirstItem();
        QCOMPARE(tray.showHideAction()->text(), QStringLiteral("Show"));
        shown = true;
        emit tray.menu()->aboutToShow();
        QCOMPARE(tray.showHideAction()->text(), QStringLiteral("Hide"));

        QSignalSpy toggles(&tray, &TrayIcon::toggleRequested);
        QSignalSpy exits(&tray, &TrayIcon::exitRequested);
        QSignalSpy showOnStart(&tray, &TrayIcon::showOnStartToggled);
        tray.showHideAction()->trigger();
        emit tray.icon()->activated(QSystemTrayIcon::Trigger);
        emit tray.icon()->activated(QSystemTrayIcon::Context); // the menu, not a toggle
        tray.exitAction()->trigger();
        tray.setShowOnStart(true);
        tray.showOnStartAction()->trigger();
        QCOMPARE(toggles.count(), 2);
        QCOMPARE(exits.count(), 1);
        QCOMPARE(showOnStart.count(), 1);
        QCOMPARE(showOnStart.at(0).at(0).toBool(), false);
    }

    void autoHideTimerRunsOnlyWhenOn() {
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
        QVERIFY(driver.running() && driver.timer().isActive());
        driver.stop();
        QVERIFY(!driver.running());

        // The driver applies the model's level as the window's opacity.
        QPoint cursor(790, 590);
        driver.setCursorSource([&] { return cursor; });
        for (int i = 0; i < 150; ++i)
            driver.tick();
        QCOMPARE(driver.model().level(), 155);
        QVERIFY(qAbs(window.windowOpacity() - 155 / 255.0) < 0.01);
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
        QPushButton* ok = notice.findChild<QPushButton*>();
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QTimer::singleShot(0, ok, &QPushButton::click);
        notice.exec();
        QVERIFY(notice.confirmed());
        QTimer::singleShot(0, &notice, &QDialog::reject);
        notice.exec();
        QVERIFY(!notice.confirmed());
    }

    void crawlerPanelShowsTheAddressWithAPathEllipsis() {
        ScriptedMessages messages;
        QWidget window;
        CrawlerPanel panel(messages, &window);
        QVERIFY(panel.isHidden());
        QVERIFY(panel.stopButton()->isHidden());
        panel.barShown(false);
        panel.panelShown(true);
        panel.counterText("Found 0 items");
        panel.currentAddress("example.com...   ");
        panel.modeCaption("Crawl a site");
        QVERIFY(!panel.isHidden());
        QCOMPARE(panel.counterLabel()->text(), QStringLiteral("Found 0 items"));
        QCOMPARE(panel.addressLabel()->text(), QStringLiteral("example.com...   "));
        QCOMPARE(panel.addressLabel()->geometry(), QRect(8, 21, 425, 18));
        QCOMPARE(panel.modeCaption()->text(), QStringLiteral("Crawl a site"));
        QVERIFY(panel.progressBar()->isHidden());

        const QString longAddress = QStringLiteral("https://example.com/") +
                                    QStringLiteral("section/").repeated(30) +
                                    QStringLiteral("page-name.html");
        panel.currentAddress(longAddress.toStdString());
        const QString shown = panel.addressLabel()->text();
        QCOMPARE(panel.fullAddress(), longAddress);
        QVERIFY(shown.contains(QChar(0x2026)));
        QVERIFY(shown.startsWith(QStringLiteral("https://")));
        QVERIFY(shown.endsWith(QStringLiteral(".html")));
        const QFontMetrics fm(panel.addressLabel()->font());
        QVERIFY(fm.horizontalAdvance(shown) <= panel.addressLabel()->width());
        panel.placeAddress(8, 19, 370); // the fetch phase: shortened again to fit
        QCOMPARE(panel.addressLabel()->geometry(), QRect(8, 19, 370, 18));
        QVERIFY(fm.horizontalAdvance(panel.addressLabel()->text()) <= 370);

        panel.finish();
        QVERIFY(panel.isHidden());
    }

    void crawlerPanelStopAndCancel() {
        ScriptedMessages messages;
        CrawlerPanel panel(messages);
        QSignalSpy stops(&panel, &CrawlerPanel::stopRequested);
        QSignalSpy cancels(&panel, &CrawlerPanel::cancelRequested);
        panel.cancelButton()->click(); // No: keep going
        messages.answers = {true, true, true};
        panel.cancelButton()->click(); // Yes, then Yes: partial results
        panel.stopButton()->click();   // Yes
        QCOMPARE(stops.count(), 2);
        QCOMPARE(cancels.count(), 0);
        messages.answers = {true, false};
        panel.cancelButton()->click(); // Yes, then No: abandon
        QCOMPARE(cancels.count(), 1);
    }
};

QTEST_MAIN(WindowPiecesTest)
#include "window_pieces_test.moc"
