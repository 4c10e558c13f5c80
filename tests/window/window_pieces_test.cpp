// SPDX-License-Identifier: GPL-3.0-or-later
// The program's small window pieces: flat menus, About, message boxes, tray, fade driver and
// notice, crawler panel, the single-instance guard, and the core's texts shown in German.

#include "app/crawl/crawler_panel.h"
#include "app/main_window/about_dialog.h"
#include "app/shared/core_texts.h"
#include "app/shared/qt_messages.h"
#include "app/shell/auto_hide.h"
#include "app/shell/autohide_notice.h"
#include "app/shell/single_instance.h"
#include "app/shell/tray.h"
#include "appearance/menu_style.h"
#include "compose/own_engines.h"
#include "history/history_store.h"
#include "platform/instance_socket.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/temp_dir.h"
#include "tests/support/when_shown.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLockFile>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTranslator>
#include <fstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace trov;

class WindowPiecesTest : public QObject {
    Q_OBJECT

private slots:
    // A core text filled by formatText is found again by its format and shown with the German
    // format, its arguments as they were: placeholders, quotes and emptiness in them included;
    // an argument that is a core text is translated too, two levels deep.
    void coreTextsInGerman() {
        QTranslator german;
        QVERIFY(german.load(QStringLiteral(TROV_BINARY_DIR "/app/translations/trov_de.qm")));
        QCoreApplication::installTranslator(&german);
        const auto guard = [](const std::string& why) {
            return formatText(platform::kWithoutGuard, {why});
        };
        const std::string noGuard = " Trov läuft ohne Schutz gegen einen zweiten Start.";
        const struct {
            std::string english, german;
        } cases[] = {
            {formatText(kUnableToWrite, {"/d/YY.cfg"}), "Schreiben nicht möglich: /d/YY.cfg"},
            {formatText(kCannotOpenFile, {"/x/%1.gmh", "%2"}),
             "Die Datei „/x/%1.gmh“ kann nicht geöffnet werden. %2"},
            {formatText(kCannotOpenFile, {"", ""}), "Die Datei „“ kann nicht geöffnet werden. "},
            // A path holding the text after its placeholder splits there.
            {formatText(kCannotOpenFile, {"a\". b", "c"}),
             "Die Datei „a“ kann nicht geöffnet werden. b\". c"},
            {formatText(kCannotOpenFile, {"/p", kNoSuchFile}),
             "Die Datei „/p“ kann nicht geöffnet werden. Datei oder Verzeichnis nicht gefunden"},
            {guard(formatText(platform::kFolderIsLink, {"/tmp/trov-1"})),
             "Der Ordner /tmp/trov-1 ist ein symbolischer Link." + noGuard},
            {guard(guard(guard("x"))), guard("x") + noGuard + noGuard},
            {formatText(kUnableToWrite, {"/a"}) + "\r\n" + formatText(kMoreSkipped, {"3"}),
             "Schreiben nicht möglich: /a\r\n... und 3 weitere"},
            {"Unable to write %1 to", "Unable to write %1 to"},
            {kUnableToWrite, "Schreiben nicht möglich: %1"},
        };
        for (const auto& c : cases)
            QCOMPARE(coreText(c.english), QString::fromStdString(c.german));
        QCoreApplication::removeTranslator(&german);
        // Two placeholders side by side cannot be told apart; "%%" is no placeholder.
        QCOMPARE(matchFormat("ab", "%1%2"), std::nullopt);
        QCOMPARE(matchFormat("x%%y", "%1%%y"), std::optional(std::vector<std::string>{"x"}));
    }

    // Every entry kind drawn in the flat colours, submenus included.
    void flatMenuColours() {
        QMenu menu;
        QAction* normal = menu.addAction(QStringLiteral("History"));
        QAction* checked = menu.addAction(QStringLiteral("Enable search history"));
        checked->setCheckable(true);
        checked->setChecked(true);
        QAction* separator = menu.addSeparator();
        menu.addAction(QStringLiteral("Disabled"))->setEnabled(false);
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

    void aboutWindow() {
        AboutDialog about;
        QVERIFY(about.findChild<QLabel*>(QStringLiteral("link"))->openExternalLinks());
        QCOMPARE(versionText("1.2.3.4.5"), QStringLiteral("Version 1.2.3.4"));
    }

    // Each kind of box: caption, text, icon, the button Enter presses, whether on top.
    void messageBoxes() {
        QtMessages messages;
        QString seen;
        const auto answerNextBox = [&seen] {
            test::whenShown(&QApplication::activeModalWidget, [&seen](QWidget* modal) {
                auto* box = qobject_cast<QMessageBox*>(modal);
                const QAbstractButton* preset = box->defaultButton();
                seen = QStringList{box->windowTitle(), box->text(),
                                   QMetaEnum::fromType<QMessageBox::Icon>().valueToKey(box->icon()),
                                   preset ? preset->text().remove(QLatin1Char('&')) : QString(),
                                   box->windowFlags() & Qt::WindowStaysOnTopHint ? "on top" : ""}
                           .join(QLatin1Char('|'));
                QTest::keyClick(box, Qt::Key_Return);
            });
        };
        answerNextBox();
        QVERIFY(!messages.ask("Reset all?"));
        QCOMPARE(seen, QStringLiteral("Trov|Reset all?|Question|No|"));
        answerNextBox();
        QVERIFY(messages.askYesPreselected("  Partial results ?  "));
        QCOMPARE(seen, QStringLiteral("Trov|  Partial results ?  |Question|Yes|"));
        answerNextBox();
        messages.show(MessageIcon::Error, "Invalid request.\r\nMake sure.", true);
        QCOMPARE(seen, QStringLiteral("Trov|Invalid request.\nMake sure.|Critical||on top"));
    }

    // Two entries stay hidden, the first says what it does, only a click on the icon toggles.
    void trayMenu() {
        bool shown = true;
        TrayIcon tray(QIcon(), [&] { return shown; });
        QVERIFY(!tray.dataFolderAction()->isVisible());
        QVERIFY(!tray.suggestionsAction()->isVisible());
        shown = false;
        emit tray.menu()->aboutToShow();
        QCOMPARE(tray.showHideAction()->text(), QStringLiteral("Show"));
        QSignalSpy toggles(&tray, &TrayIcon::toggleRequested);
        emit tray.icon()->activated(QSystemTrayIcon::Trigger);
        emit tray.icon()->activated(QSystemTrayIcon::Context); // the menu, not a toggle
        QCOMPARE(toggles.count(), 1);
    }

    // The fade model's level becomes the window's opacity; the corner brings it back.
    void autoHideDriver() {
        QWidget window(nullptr, Qt::FramelessWindowHint);
        window.setGeometry(300, 300, 458, 80);
        window.show();
        QWidget other; // the active window, so activation does not keep it opaque
        other.show();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!window.isActiveWindow());
        AutoHideDriver driver(&window);
        driver.start();
        QVERIFY(driver.timer().isActive());
        driver.stop();
        QPoint cursor;
        driver.setCursorSource([&] { return cursor; });
        QSignalSpy corner(&driver, &AutoHideDriver::cornerReached);
        for (const auto& [at, ticks, opacity] : {std::tuple{QPoint(790, 590), 150, 155 / 255.0},
                                                 {QPoint(3, 3), 1, 1.0},
                                                 {QPoint(790, 590), 300, 0.0}}) {
            cursor = at;
            for (int i = 0; i < ticks; ++i)
                driver.tick();
            QVERIFY(qAbs(window.windowOpacity() - opacity) < 0.01);
        }
        QCOMPARE(corner.count(), 1);
        driver.reset();
        QCOMPARE(window.windowOpacity(), 1.0);
    }

    void autoHideNotice() {
        AutoHideNotice notice;
        QVERIFY(!notice.dontShowAgain()->isChecked());
        QTimer::singleShot(0, notice.findChild<QPushButton*>(), &QPushButton::click);
        notice.exec();
        QVERIFY(notice.confirmed());
        QTimer::singleShot(0, &notice, &QDialog::reject);
        notice.exec();
        QVERIFY(!notice.confirmed());
    }

    // A long address is shortened in its middle to fit, again when placed anew; Stop asks.
    void crawlerPanel() {
        test::ScriptedMessages messages;
        QWidget window;
        CrawlerPanel panel(messages, &window);
        QVERIFY(panel.isHidden());
        panel.barShown(false);
        panel.panelShown(true);
        QVERIFY(!panel.isHidden());
        QVERIFY(panel.progressBar()->isHidden());
        QCOMPARE(panel.addressLabel()->geometry(), QRect(8, 21, 425, 18));
        const QString longAddress = QStringLiteral("https://example.com/%1page-name.html")
                                        .arg(QStringLiteral("section/").repeated(30));
        panel.currentAddress(longAddress.toStdString());
        const QString shown = panel.addressLabel()->text();
        QCOMPARE(panel.fullAddress(), longAddress);
        QVERIFY2(shown.startsWith(QStringLiteral("https://")), qPrintable(shown));
        QVERIFY2(shown.contains(QChar(0x2026)), qPrintable(shown));
        QVERIFY2(shown.endsWith(QStringLiteral(".html")), qPrintable(shown));
        const QFontMetrics fm(panel.addressLabel()->font());
        QVERIFY(fm.horizontalAdvance(shown) <= panel.addressLabel()->width());
        panel.placeAddress(8, 19, 370);
        QVERIFY(fm.horizontalAdvance(panel.addressLabel()->text()) <= 370);

        QSignalSpy stops(&panel, &CrawlerPanel::stopRequested);
        messages.answers = {true};
        panel.stopButton()->click();
        QCOMPARE(stops.count(), 1);
        panel.finish();
        QVERIFY(panel.isHidden());
    }

    // A crash's lock does not block, a second start hands over, only known messages pass.
    void singleInstance() {
        test::TempDir runtime;
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.path()));
        const QString program = QStringLiteral("/opt/trov test/bin/trov");
        SingleInstance first(program, nullptr), second(program, nullptr);
        const std::string socket = first.socketPath().toStdString();
        const QString lock = QString::fromStdString(
            platform::instanceLockPath(runtime.path(), program.toStdString()));
        const pid_t child = ::fork();
        if (child == 0) { // a first instance dying with its lock
            QLockFile held(lock);
            held.tryLock(0);
            ::_exit(0);
        }
        ::waitpid(child, nullptr, 0);
        std::ofstream(socket) << "left by the crash";
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
        QVERIFY(!secondIsFirst);
        QVERIFY(!second.isFirst());
        QCOMPARE(received[0][0].toString() + received[1][0].toString(),
                 QStringLiteral("frontshow"));
        qunsetenv("XDG_RUNTIME_DIR");
    }
};

QTEST_MAIN(WindowPiecesTest)
#include "window_pieces_test.moc"
