#include "appearance/colour.h"
#include "appearance/colour_picker.h"
#include "appearance/grab_window.h"
#include "appearance/recent_window.h"
#include "tests/support/known_picture.h"
#include "tests/support/temp_dir.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace trov;

namespace {

struct RecordedMessages : Messages {
    std::vector<std::string> shown;
    void show(MessageIcon, const std::string& text, bool) override { shown.push_back(text); }
    bool ask(const std::string&) override { return false; }
};

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

QRect primaryScreen() {
    return QGuiApplication::primaryScreen()->geometry();
}

} // namespace

class AppearanceWindowTest : public QObject {
    Q_OBJECT

private slots:
    void recentWindowShowsTheStoredColours() {
        test::TempDir dir;
        dir.write("Trov.lst", "[GeneralFall]\nv1=255\nv2=65280\nv3=16711680\nvx=40\nvy=50\n");
        RecordedMessages messages;
        Config config(dir.file("YY.cfg"));
        RecentColours recent(dir.file("Trov.lst"), messages);
        TfRecent window(recent, {});
        window.open(false, {}, config);
        QCOMPARE(window.windowTitle(), QStringLiteral("Trov"));
        QCOMPARE(window.size(), QSize(346, 220));
        QCOMPARE(window.pos(), QPoint(40, 50));
        QCOMPARE(window.slotButton(0)->objectName(), QStringLiteral("V1"));
        QCOMPARE(window.slotButton(29)->objectName(), QStringLiteral("V30"));
        QCOMPARE(window.slotButton(0)->geometry(), QRect(14, 44, 30, 30));
        QCOMPARE(window.slotButton(10)->y(), 84);
        QCOMPARE(window.slotButton(29)->y(), 124);
        QCOMPARE(recent.slot(2), kBlue);
        QCOMPARE(recent.slot(3), kWhite);
        QCOMPARE(QString::fromStdString(dir.read("YY.cfg")),
                 QStringLiteral("[App]\r\nstart=0\r\n"));
        QVERIFY(messages.shown.empty());
    }

    void storedPositionIsKeptOnThePrimaryScreen() {
        const QRect screen = primaryScreen();
        const struct {
            int vx, vy;
            QPoint shown;
        } cases[] = {
            {0, 30, {10, 30}},
            {-7, -7, {10, 10}},
            {screen.width() - 346, 30, {screen.width() - 346, 30}},
            {screen.width() - 345, 30, {10, 30}},
            {30, screen.height() - 219, {30, 10}},
        };
        for (const auto& c : cases) {
            test::TempDir dir;
            dir.write("Trov.lst", "[GeneralFall]\nvx=" + std::to_string(c.vx) +
                                      "\nvy=" + std::to_string(c.vy) + "\n");
            RecordedMessages messages;
            Config config(dir.file("YY.cfg"));
            RecentColours recent(dir.file("Trov.lst"), messages);
            TfRecent window(recent, {});
            window.open(false, {}, config);
            QCOMPARE(window.pos(), c.shown);
            const RecentFile stored = readRecentFile(dir.file("Trov.lst"));
            QCOMPARE(stored.position.left, c.shown.x());
            QCOMPARE(stored.position.top, c.shown.y());
        }
    }

    void clickingSlotFiveAppliesItAndKeepsTheWindowOpen() {
        test::TempDir dir;
        dir.write("Trov.lst", "[GeneralFall]\nv1=1\nv2=2\nv3=3\nv4=4\nv5=5\nv6=6\n");
        RecordedMessages messages;
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
        const RecentSlots expected = [] {
            RecentSlots s;
            s.fill(kWhite);
            const int first[] = {5, 1, 2, 3, 4, 6};
            std::copy(std::begin(first), std::end(first), s.begin());
            return s;
        }();
        QVERIFY(recent.colours() == expected);
        QVERIFY(readRecentFile(dir.file("Trov.lst")).colours == expected);
        QTest::mouseClick(window.okButton(), Qt::LeftButton);
        QVERIFY(!window.isVisible());
        const RecentFile stored = readRecentFile(dir.file("Trov.lst"));
        QCOMPARE(stored.position.left, window.pos().x());
        QCOMPARE(stored.position.top, window.pos().y());
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
        QCOMPARE(grab.geometry(), QRect(0, 0, 100, 60));
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
        QCOMPARE(grab.result(), int(QDialog::Accepted));
        QVERIFY(pick.accepted());
        QCOMPARE(pick.result(), kGreen);
    }

    void pickAcceptedByALeftClick() {
        test::TempDir dir;
        RecordedMessages messages;
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
        QCOMPARE(background, kBlue);
        QVERIFY(main.isVisible());
        QCOMPARE(recent.slot(0), kBlue);
        QCOMPARE(readRecentFile(dir.file("Trov.lst")).colours[0], kBlue);
    }

    void pickCancelledByARightClickRestoresTheColour() {
        test::TempDir dir;
        RecordedMessages messages;
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
        QCOMPARE(recent.slot(1), kWhite);

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
