// SPDX-License-Identifier: GPL-3.0-or-later
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
    // The recent colours open at their stored place; a slot applies its colour, OK closes.
    void recentColoursAndThePicker() {
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
        QVERIFY(!window.isVisible());
        QCOMPARE(messages.shown, std::vector<std::string>());

        // The picker previews the colour under the mouse as it moves, once per change of
        // colour; closing the picture with Escape brings back the colour from before. What
        // each button decides is the pick's rule.
        applied.clear();
        ColourPicker picker(nullptr, recent,
                            {[] { return kBefore; }, [&](int colour) { applied.push_back(colour); },
                             [] {
                                 return Photograph{test::knownPicture(), QPoint(0, 0)};
                             }});
        test::whenShown([&] { return picker.grabWindow(); },
                        [&](QWidget* grab) {
                            QWidget* image = picker.grabWindow()->ImageGrab();
                            for (const QPoint at : {QPoint(10, 5), QPoint(20, 5), QPoint(95, 5),
                                                    QPoint(95, 50), QPoint(95, 5)})
                                QTest::mouseMove(image, at);
                            QTest::mouseClick(image, Qt::MiddleButton, {}, QPoint(95, 5));
                            QTest::keyClick(grab, Qt::Key_Escape);
                        });
        QCOMPARE(picker.run(), kBefore);
        QCOMPARE(applied, (std::vector<int>{kRed, kGreen, kBlue, kGreen, kBefore}));
        QCOMPARE(recent.slot(0), kBefore);
    }
};

QTEST_MAIN(AppearanceWindowTest)
#include "appearance_window_test.moc"
