// The "Background color" submenu of the main window: the colour dialog with its custom
// colours kept in color.cld, the random colour's generator, and the colour picker.

#include "app/main_menus.h"
#include "appearance/color_cld.h"
#include "appearance/grab_window.h"
#include "appearance/recent_colours.h"
#include "appearance/recent_window.h"
#include "main_form_fixture.h"
#include "settings/ini.h"
#include "tests/support/known_picture.h"
#include "tests/support/when_shown.h"

#include <QAction>
#include <QColorDialog>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

using namespace trov;
using namespace trov::test;

namespace {

constexpr int kRed = 255, kGreen = 65280, kBlue = 16711680;

using test::knownPicture;

std::optional<std::string> cfgValue(const MainFormFixture& f, const char* section,
                                    const char* key) {
    return IniDocument::parse(f.readCfg()).value(section, key);
}

std::string text(int n) {
    return std::to_string(n);
}

} // namespace

class ColoursTest : public QObject {
    Q_OBJECT

    std::unique_ptr<MainFormFixture> f_;
    TMainForm* w_ = nullptr;

    void make(std::unique_ptr<TempDir> dir = nullptr) {
        const bool restart = dir != nullptr;
        f_ = restart ? std::make_unique<MainFormFixture>(std::move(dir))
                     : std::make_unique<MainFormFixture>();
        if (!restart)
            f_->writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n");
        w_ = &f_->create(true);
        w_->show();
        QVERIFY(QTest::qWaitForWindowExposed(w_));
    }
    ColourDialogState storedDialog() const {
        const auto state = readColorCld(f_->folder(), nullptr);
        return state ? *state : ColourDialogState{};
    }

private slots:
    void cleanup() {
        w_ = nullptr;
        f_.reset();
    }

    // The dialog gets the current background and the kept custom colours; what it
    // leaves in them is written to color.cld whether or not a colour was chosen, and the
    // next use (also after a restart) starts from them.
    void colourDialogKeepsItsCustomColours() {
        make();
        QVERIFY(!std::filesystem::exists(f_->dir().file("color.cld")));
        std::vector<ColourDialogState> seen;
        std::vector<int> currents;
        std::optional<int> answer = kGreen;
        w_->runColourDialog = [&](int current, ColourDialogState& state) {
            currents.push_back(current);
            seen.push_back(state);
            state.customColours[3] = kRed;
            state.customColours[15] = seen.size() == 1 ? kBlue : 0x123456;
            return answer;
        };
        w_->menus().Colordialog1->trigger();
        QCOMPARE(cfgValue(*f_, "Color", "Pall"), std::optional<std::string>(text(kGreen)));
        QCOMPARE(w_->recentColours().slot(0), kGreen);
        QCOMPARE(storedDialog().customColours[15], kBlue);
        QCOMPARE(storedDialog().colour, kGreen);

        // A cancel keeps the background but still keeps the dialog's custom colours.
        answer = std::nullopt;
        w_->menus().Colordialog1->trigger();
        QCOMPARE(currents, (std::vector<int>{kDefaultBackground, kGreen}));
        QCOMPARE(seen[1].customColours[15], kBlue);
        QCOMPARE(w_->backgroundColour(), kGreen);
        QCOMPARE(storedDialog().customColours[15], 0x123456);

        // A new start reads them back.
        auto dir = std::move(f_->dir_);
        f_.reset();
        make(std::move(dir));
        QCOMPARE(w_->backgroundColour(), kGreen);
        QCOMPARE(w_->colourDialogState().customColours[15], 0x123456);
    }

    // The real dialog, answered as a user would: the custom colours are put into it and
    // taken back out of it.
    void qtColourDialogCarriesTheCustomColours() {
        make();
        w_->colourDialogState().customColours[2] = kBlue;
        QColor shownCustom;
        whenShown(&QApplication::activeModalWidget, [&](QWidget* modal) {
            auto* dialog = qobject_cast<QColorDialog*>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Trov"));
            shownCustom = QColorDialog::customColor(2);
            QColorDialog::setCustomColor(7, QColor(0x12, 0x34, 0x56));
            dialog->setCurrentColor(QColor(0x00, 0x80, 0xFF));
            dialog->accept();
        });
        w_->menus().Colordialog1->trigger();
        QCOMPARE(shownCustom, QColor(0, 0, 255));
        // 0x0080FF is stored as blue-green-red.
        QCOMPARE(w_->backgroundColour(), 0xFF8000);
        QCOMPARE(storedDialog().customColours[7], 0x563412);
    }

    // The menu entry draws one seed and applies the generator's colour.
    void randomColourFollowsTheGenerator() {
        make();
        int asked = 0;
        w_->randomSeed = [&] {
            ++asked;
            return quint32(12345);
        };
        w_->menus().Randombackgroundcolor1->trigger();
        QCOMPARE(asked, 1);
        QCOMPARE(cfgValue(*f_, "Color", "Pall"), std::optional<std::string>(text(6465108)));
        QCOMPARE(readRecentFile(f_->dir().file("Trov.lst")).colours[0], 6465108);
    }

    // "Color picker" from the main menu: the colour clicked in the photograph becomes the
    // background, is stored and heads the recent colours; the window comes back.
    void colourPickerFromTheMenu() {
        make();
        w_->grabScreen = [] { return Photograph{knownPicture(), QPoint(0, 0)}; };
        whenShown(
            [] {
                for (QWidget* top : QApplication::topLevelWidgets())
                    if (qobject_cast<TfColor*>(top))
                        return top;
                return static_cast<QWidget*>(nullptr);
            },
            [](QWidget* grab) {
                QWidget* image = static_cast<TfColor*>(grab)->ImageGrab();
                QTest::mouseMove(image, QPoint(95, 5));
                QTest::mouseClick(image, Qt::LeftButton, {}, QPoint(95, 5));
            });
        w_->menus().Colorpicker1->trigger();
        QCOMPARE(cfgValue(*f_, "Color", "Pall"), std::optional<std::string>(text(kGreen)));
        QCOMPARE(w_->recentColours().slot(0), kGreen);
        QVERIFY(w_->isVisible());
    }

    // "Recent colors" holds the main window's input until OK.
    void recentColoursOpensModal() {
        make();
        w_->menus().Recentcolors1->trigger();
        QTRY_COMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(w_->recentWindow()));
        QTest::mouseClick(w_->recentWindow()->okButton(), Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(ColoursTest)
#include "colours_test.moc"
