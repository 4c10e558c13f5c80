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

namespace {

constexpr int kRed = 255, kGreen = 65280, kBlue = 16711680, kBefore = 14801352;

// A colour picker over a known photograph, with the recent colours in a temporary folder.
struct PickRig {
    test::TempDir dir;
    test::ShownTexts messages;
    RecentColours recent{dir.file("Trov.lst"), messages};
    int background = kBefore;
    std::vector<int> applied;
    ColourPicker picker(QWidget* main) {
        const auto apply = [this](int colour) { applied.push_back(background = colour); };
        return ColourPicker(main, recent,
                            {[this] { return background; }, apply,
                             [] {
                                 return Photograph{test::knownPicture(), QPoint(0, 0)};
                             }});
    }
    // Runs picker with act done on its picture once it shows.
    int run(ColourPicker& picker, const std::function<void(QWidget*)>& act) {
        test::whenShown([&] { return picker.grabWindow(); },
                        [&](QWidget*) { act(picker.grabWindow()->ImageGrab()); });
        return picker.run();
    }
};

} // namespace

class AppearanceWindowTest : public QObject {
    Q_OBJECT

private slots:
    // Opened at its stored place (pulled onto the screen), a click applies slot five and
    // the window stays open until OK.
    void recentWindowAppliesAStoredColour() {
        test::TempDir dir;
        dir.write("Trov.lst", "[GeneralFall]\nv1=1\nv2=2\nv3=3\nv4=4\nv5=5\nv6=6\nvx=-7\nvy=50\n");
        test::ShownTexts messages;
        Config config(dir.file("YY.cfg"));
        RecentColours recent(dir.file("Trov.lst"), messages);
        std::vector<int> applied;
        TfRecent window(recent, [&](int colour) { applied.push_back(colour); });
        window.open(false, {}, config);
        QCOMPARE(window.pos(), QPoint(10, 50));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.slotButton(4), Qt::LeftButton);
        QCOMPARE(applied, std::vector<int>{5});
        QVERIFY(window.isVisible());
        QCOMPARE(readRecentFile(dir.file("Trov.lst")).colours[0], 5);
        QTest::mouseClick(window.okButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible() && messages.shown.empty());
    }

    void pickAcceptedByALeftClick() {
        PickRig rig;
        QWidget main;
        // Away from the photographed corner, as a main window beside the picture would be.
        main.setGeometry(400, 300, 120, 60);
        main.show();
        ColourPicker picker = rig.picker(&main);
        QCOMPARE(rig.run(picker,
                         [](QWidget* image) {
                             QTest::mouseMove(image, QPoint(5, 5));
                             QTest::mouseMove(image, QPoint(95, 5));
                             QTest::mouseClick(image, Qt::MiddleButton, {}, QPoint(95, 5));
                             QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(5, 55));
                         }),
                 kBlue);
        QCOMPARE(rig.applied, (std::vector<int>{kRed, kGreen, kBlue})); // the middle: ignored
        QVERIFY(main.isVisible());
        QCOMPARE(readRecentFile(rig.dir.file("Trov.lst")).colours[0], kBlue);
    }

    // A right click cancels, and so does closing the picture any other way (Escape).
    void pickCancelledRestoresTheColour() {
        PickRig rig;
        ColourPicker picker = rig.picker(nullptr);
        QCOMPARE(rig.run(picker,
                         [](QWidget* image) {
                             QTest::mouseMove(image, QPoint(5, 5));
                             QTest::mouseClick(image, Qt::RightButton, {}, QPoint(5, 5));
                         }),
                 kBefore);
        QCOMPARE(rig.applied, (std::vector<int>{kRed, kBefore}));
        QCOMPARE(rig.recent.slot(0), kBefore);
        rig.applied.clear();
        QCOMPARE(rig.run(picker,
                         [&](QWidget* image) {
                             QTest::mouseMove(image, QPoint(6, 6));
                             QTest::keyClick(picker.grabWindow(), Qt::Key_Escape);
                         }),
                 kBefore);
        QCOMPARE(rig.applied, std::vector<int>{kBefore});
    }
};

QTEST_MAIN(AppearanceWindowTest)
#include "appearance_window_test.moc"
