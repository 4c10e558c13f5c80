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

constexpr int kRed = 255, kGreen = 65280, kBlue = 16711680, kBefore = 14801352;

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

    // Over a known photograph: the colour under the mouse is previewed, a left click takes
    // it (the middle button does nothing), a right click or any other closing (Escape)
    // brings back the colour from before.
    void colourPicker() {
        test::TempDir dir;
        test::ShownTexts messages;
        RecentColours recent(dir.file("Trov.lst"), messages);
        int background = kBefore;
        std::vector<int> applied;
        QWidget main;
        main.setGeometry(400, 300, 120, 60); // away from the photographed corner
        main.show();
        ColourPicker picker(&main, recent,
                            {[&] { return background; },
                             [&](int colour) { applied.push_back(background = colour); },
                             [] {
                                 return Photograph{test::knownPicture(), QPoint(0, 0)};
                             }});
        const auto run = [&](const std::function<void(QWidget*)>& act) {
            applied.clear();
            test::whenShown([&] { return picker.grabWindow(); },
                            [&](QWidget*) { act(picker.grabWindow()->ImageGrab()); });
            return picker.run();
        };
        QCOMPARE(run([](QWidget* image) {
                     QTest::mouseMove(image, QPoint(5, 5));
                     QTest::mouseMove(image, QPoint(95, 5));
                     QTest::mouseClick(image, Qt::MiddleButton, {}, QPoint(95, 5));
                     QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(5, 55));
                 }),
                 kBlue);
        QCOMPARE(applied, (std::vector<int>{kRed, kGreen, kBlue}));
        QVERIFY(main.isVisible());
        QCOMPARE(recent.slot(0), kBlue);
        QCOMPARE(run([](QWidget* image) {
                     QTest::mouseMove(image, QPoint(5, 5));
                     QTest::mouseClick(image, Qt::RightButton, {}, QPoint(5, 5));
                 }),
                 kBlue);
        QCOMPARE(applied, (std::vector<int>{kRed, kBlue}));
        // The last preview (red) is remembered, so moving over red again applies nothing.
        QCOMPARE(run([&](QWidget* image) {
                     QTest::mouseMove(image, QPoint(6, 6));
                     QTest::keyClick(picker.grabWindow(), Qt::Key_Escape);
                 }),
                 kBlue);
        QCOMPARE(applied, std::vector<int>{kBlue});
    }
};

QTEST_MAIN(AppearanceWindowTest)
#include "appearance_window_test.moc"
