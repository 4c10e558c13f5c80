// The small pieces of the program around the main window: the flat menus, the glyphs,
// the About window, the message boxes, the tray, the fade driver and its notice, the
// crawler panel and the single-instance guard.

#include "app/about_dialog.h"
#include "app/auto_hide.h"
#include "app/autohide_notice.h"
#include "app/crawler_panel.h"
#include "app/qt_messages.h"
#include "app/single_instance.h"
#include "app/tray.h"
#include "appearance/colour.h"
#include "appearance/glyphs.h"
#include "appearance/menu_style.h"
#include "platform/instance_socket.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"
#include "tests/support/when_shown.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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
    // Every entry kind drawn in the flat colours, submenus included.
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
        const QRect n = menu.actionGeometry(normal), c = menu.actionGeometry(checked);
        const QRect s = menu.actionGeometry(separator);
        QCOMPARE(image.pixelColor(n.right() - 2, n.top() + 2), menu_colours::kSelected);
        QCOMPARE(image.pixelColor(c.right() - 2, c.top() + 2), menu_colours::kBackground);
        QCOMPARE(image.pixelColor(s.right() - 4, s.center().y()), menu_colours::kSeparator);
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
        emit tray.icon()->activated(QSystemTrayIcon::Trigger);
        emit tray.icon()->activated(QSystemTrayIcon::Context); // the menu, not a toggle
        QCOMPARE(toggles.count(), 1);
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
        QCOMPARE((QList<qsizetype>{stops.count(), cancels.count()}), (QList<qsizetype>{1, 1}));
        panel.finish();
        QVERIFY(panel.isHidden());
    }

    // A lock left by a crash does not block; a second start hands over to the first through
    // the socket, and only known messages reach the window.
    void singleInstance() {
        test::TempDir runtime;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path()));
        const QString program = QStringLiteral("/opt/trov test/bin/trov");
        const std::string socket = platform::instanceSocketPath(program.toStdString());
        const QString lock =
            QString::fromStdString(platform::instanceLockPath(program.toStdString()));
        if (const pid_t child = ::fork(); child == 0) { // a first instance dying with its lock
            QLockFile held(lock);
            held.tryLock(0);
            ::_exit(0);
        } else {
            ::waitpid(child, nullptr, 0);
        }
        QVERIFY(QFileInfo::exists(lock));
        std::ofstream(socket) << "left by the crash";

        SingleInstance first(program, nullptr), second(program, nullptr);
        QVERIFY(first.acquire());
        QSignalSpy received(&first, &SingleInstance::messageReceived);
        bool secondIsFirst = true;
        std::thread t([&] {
            secondIsFirst = second.acquire();
            for (const std::string& m :
                 {std::string("format-disk"), std::string(5000, 'x'), std::string("show")})
                platform::sendInstanceMessage(socket, m, 500);
        });
        QTRY_COMPARE_WITH_TIMEOUT(received.count(), 2, 5000);
        t.join();
        QTest::qWait(50);
        QVERIFY(!secondIsFirst && !second.isFirst());
        QCOMPARE(received.count(), 2);
        QCOMPARE(received[0][0].toString() + received[1][0].toString(),
                 QStringLiteral("frontshow"));
        qunsetenv("XDG_RUNTIME_DIR");
    }
};

QTEST_MAIN(WindowPiecesTest)
#include "window_pieces_test.moc"
