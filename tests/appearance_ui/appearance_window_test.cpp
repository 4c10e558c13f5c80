#include "appearance/colour.h"
#include "appearance/colour_picker.h"
#include "appearance/grab_window.h"
#include "appearance/recent_window.h"
#include "tests/support/known_picture.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace trov;

namespace {

constexpr int kRed = 255, kGreen = 65280, kBlue = 16711680, kBefore = 14801352;

using test::knownPicture;

// Runs act once widget is on the screen, from inside the modal loop that shows it.
void whenShown(QWidget* widget, std::function<void()> act) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, widget, act = std::move(act)] {
        if (!widget->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start();
}

} // namespace

class AppearanceWindowTest : public QObject {
    Q_OBJECT

private slots:
    void recentWindowShowsTheStoredColours() {
        test::TempDir dir;
        // A stored place off the primary screen is pulled back onto it.
        dir.write("Trov.lst", "[GeneralFall]\nv1=255\nv2=65280\nv3=16711680\nvx=-7\nvy=50\n");
        test::ShownTexts messages;
        Config config(dir.file("YY.cfg"));
        RecentColours recent(dir.file("Trov.lst"), messages);
        TfRecent window(recent, {});
        window.open(false, {}, config);
        QCOMPARE(window.pos(), QPoint(10, 50));
        QCOMPARE(readRecentFile(dir.file("Trov.lst")).position.left, 10);
        QCOMPARE(recent.slot(2), kBlue);
        QCOMPARE(QString::fromStdString(dir.read("YY.cfg")),
                 QStringLiteral("[App]\r\nstart=0\r\n"));
        QVERIFY(messages.shown.empty());
    }

    void clickingSlotFiveAppliesItAndKeepsTheWindowOpen() {
        test::TempDir dir;
        dir.write("Trov.lst", "[GeneralFall]\nv1=1\nv2=2\nv3=3\nv4=4\nv5=5\nv6=6\n");
        test::ShownTexts messages;
        Config config(dir.file("YY.cfg"));
        RecentColours recent(dir.file("Trov.lst"), messages);
        std::vector<int> applied;
        TfRecent window(recent, [&](int colour) { applied.push_back(colour); });
        window.open(false, {}, config);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.slotButton(4), Qt::LeftButton);
        QCOMPARE(applied, std::vector<int>{5});
        QVERIFY(window.isVisible());
        QCOMPARE(readRecentFile(dir.file("Trov.lst")).colours[0], 5);
        QTest::mouseClick(window.okButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible());
    }

    void grabWindowPreviewsAndTakesTheColourUnderTheMouse() {
        ColourPick pick;
        pick.begin(kBefore);
        std::vector<int> previews;
        TfColor grab;
        grab.setPhotograph(knownPicture(), QPoint(0, 0));
        grab.setPick(&pick, [&](int colour) { previews.push_back(colour); });
        grab.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grab));
        QWidget* image = grab.ImageGrab();
        QTest::mouseMove(image, QPoint(10, 10));
        QTest::mouseMove(image, QPoint(20, 20)); // still red: nothing new
        QTest::mouseMove(image, QPoint(70, 10));
        QTest::mouseMove(image, QPoint(70, 50));
        QCOMPARE(previews, (std::vector<int>{kRed, kGreen, kBlue}));
        QTest::mouseClick(image, Qt::MiddleButton, {}, QPoint(10, 10));
        QVERIFY(grab.isVisible());
        QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(60, 5));
        QVERIFY(!grab.isVisible());
        QVERIFY(pick.accepted());
        QCOMPARE(pick.result(), kGreen);
    }

    void pickAcceptedByALeftClick() {
        test::TempDir dir;
        test::ShownTexts messages;
        RecentColours recent(dir.file("Trov.lst"), messages);
        QWidget main;
        // Away from the photographed corner, as a main window beside the picture would be.
        main.setGeometry(400, 300, 120, 60);
        main.show();
        int background = kBefore;
        std::vector<int> applied;
        ColourPicker picker(&main, recent,
                            {[&] { return background; },
                             [&](int colour) {
                                 background = colour;
                                 applied.push_back(colour);
                             },
                             [] {
                                 return Photograph{knownPicture(), QPoint(0, 0)};
                             }});
        whenShown(picker.grabWindow(), [&] {
            QWidget* image = picker.grabWindow()->ImageGrab();
            QTest::mouseMove(image, QPoint(5, 5));
            QTest::mouseMove(image, QPoint(95, 5));
            QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(5, 55));
        });
        QCOMPARE(picker.run(), kBlue);
        QCOMPARE(applied, (std::vector<int>{kRed, kGreen, kBlue}));
        QVERIFY(main.isVisible());
        QCOMPARE(readRecentFile(dir.file("Trov.lst")).colours[0], kBlue);
    }

    void pickCancelledByARightClickRestoresTheColour() {
        test::TempDir dir;
        test::ShownTexts messages;
        RecentColours recent(dir.file("Trov.lst"), messages);
        int background = kBefore;
        std::vector<int> applied;
        ColourPicker picker(nullptr, recent,
                            {[&] { return background; },
                             [&](int colour) {
                                 background = colour;
                                 applied.push_back(colour);
                             },
                             [] {
                                 return Photograph{knownPicture(), QPoint(0, 0)};
                             }});
        whenShown(picker.grabWindow(), [&] {
            QWidget* image = picker.grabWindow()->ImageGrab();
            QTest::mouseMove(image, QPoint(5, 5));
            QTest::mouseClick(image, Qt::RightButton, {}, QPoint(5, 5));
        });
        QCOMPARE(picker.run(), kBefore);
        QCOMPARE(applied, (std::vector<int>{kRed, kBefore}));
        QCOMPARE(recent.slot(0), kBefore);

        // Closed any other way (Escape) also cancels; the last preview (red) is remembered.
        applied.clear();
        whenShown(picker.grabWindow(), [&] {
            QWidget* image = picker.grabWindow()->ImageGrab();
            QTest::mouseMove(image, QPoint(6, 6));
            QTest::keyClick(picker.grabWindow(), Qt::Key_Escape);
        });
        QCOMPARE(picker.run(), kBefore);
        QCOMPARE(applied, std::vector<int>{kBefore});
    }
};

QTEST_MAIN(AppearanceWindowTest)
#include "appearance_window_test.moc"
