#include "appearance/colour.h"
#include "appearance/colour_picker.h"
#include "appearance/grab_window.h"
#include "appearance/recent_window.h"
#include "tests/support/known_picture.h"
#include "tests/support/messages.h"
#include "tests/support/temp_dir.h"
#include "tests/support/when_shown.h"

#include <QPushButton>
#include <QTest>

using namespace trov;
using test::whenShown;

namespace {

constexpr int kRed = 255, kGreen = 65280, kBlue = 16711680, kBefore = 14801352;

using test::knownPicture;

// A colour picker over a known photograph, with the recent colours in a temporary folder.
struct PickRig {
    test::TempDir dir;
    test::ShownTexts messages;
    RecentColours recent{dir.file("Trov.lst"), messages};
    int background = kBefore;
    std::vector<int> applied;
    ColourPicker picker(QWidget* main) {
        return ColourPicker(main, recent,
                            {[this] { return background; },
                             [this](int colour) {
                                 background = colour;
                                 applied.push_back(colour);
                             },
                             [] {
                                 return Photograph{knownPicture(), QPoint(0, 0)};
                             }});
    }
};

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

    void pickAcceptedByALeftClick() {
        PickRig rig;
        QWidget main;
        // Away from the photographed corner, as a main window beside the picture would be.
        main.setGeometry(400, 300, 120, 60);
        main.show();
        ColourPicker picker = rig.picker(&main);
        whenShown([&] { return picker.grabWindow(); },
                  [&](QWidget*) {
                      QWidget* image = picker.grabWindow()->ImageGrab();
                      QTest::mouseMove(image, QPoint(5, 5));
                      QTest::mouseMove(image, QPoint(95, 5));
                      QTest::mouseClick(image, Qt::MiddleButton, {}, QPoint(95, 5)); // ignored
                      QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(5, 55));
                  });
        QCOMPARE(picker.run(), kBlue);
        QCOMPARE(rig.applied, (std::vector<int>{kRed, kGreen, kBlue}));
        QVERIFY(main.isVisible());
        QCOMPARE(readRecentFile(rig.dir.file("Trov.lst")).colours[0], kBlue);
    }

    void pickCancelledByARightClickRestoresTheColour() {
        PickRig rig;
        ColourPicker picker = rig.picker(nullptr);
        whenShown([&] { return picker.grabWindow(); },
                  [&](QWidget*) {
                      QWidget* image = picker.grabWindow()->ImageGrab();
                      QTest::mouseMove(image, QPoint(5, 5));
                      QTest::mouseClick(image, Qt::RightButton, {}, QPoint(5, 5));
                  });
        QCOMPARE(picker.run(), kBefore);
        QCOMPARE(rig.applied, (std::vector<int>{kRed, kBefore}));
        QCOMPARE(rig.recent.slot(0), kBefore);

        // Closed any other way (Escape) also cancels; the last preview (red) is remembered.
        rig.applied.clear();
        whenShown([&] { return picker.grabWindow(); },
                  [&](QWidget*) {
                      QWidget* image = picker.grabWindow()->ImageGrab();
                      QTest::mouseMove(image, QPoint(6, 6));
                      QTest::keyClick(picker.grabWindow(), Qt::Key_Escape);
                  });
        QCOMPARE(picker.run(), kBefore);
        QCOMPARE(rig.applied, std::vector<int>{kBefore});
    }
};

QTEST_MAIN(AppearanceWindowTest)
#include "appearance_window_test.moc"
