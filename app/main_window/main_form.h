// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `TMainForm`, the borderless search box that expands into the form. It binds its
// controls to the FormModel and carries out what the model's operations return; the
// menus, the drop-down and the tray glue each live in their own files; the crawl behind
// the Links button and the background colours are their controllers', handed in.

#include "app/main_window/advanced_fields.h"
#include "app/main_window/main_form_services.h"
#include "app/main_window/main_layout.h"
#include "app/main_window/main_menus.h"
#include "appearance/colour.h"
#include "compose/form_model.h"
#include "compose/go.h"
#include "suggest/suggestion_go_port.h"
#include "window_models/main_commands.h"
#include "window_models/placement.h"
#include "window_models/window_keys.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

namespace trov {

class ColourController;
class CrawlController;
class FormKeyboard;
class MoreEnginesMenu;
struct OwnEngine;
class SuggestionList;
class WindowGlue;

class TMainForm : public QWidget, public MainWindowCommands {
    Q_OBJECT
public:
    TMainForm(MainFormServices& services, CrawlController& crawl, ColourController& colours,
              QWidget* parent = nullptr);
    ~TMainForm() override;

    // The creation sequence (FormCreate): restores everything from YY.cfg.
    void FormCreate();
    // The hidden windows of the program's start: the about window's menu entries work
    // from now on.
    void createHiddenWindows();

    // MainWindowCommands
    FormModel& form() override { return model_; }
    void syncFromModel() override;
    void pressEngine(SearchEngine engine) override;
    bool isExpanded() const override { return model_.expanded(); }
    void toggleExpanded() override { csExpandClick(); }
    void go() override { xiGOClick(); }
    void loadCrawlList(const std::string& path) override;
    bool runOwnEngine(const std::string& name) override;
    bool hasOwnEnginesFile() const override;
    int backgroundColour() const override;
    void applyBackground(int colour) override;
    bool isShown() const override;
    void hideSuggestions() override;
    void focusWords() override;

    // Commands of the window.
    void xiGOClick();
    void csExpandClick();
    void GSLBosvezi();
    void deleteSearchSuggestion();
    void openMainMenu();
    // Crawler menu: the modes (its commands on the link list are the crawl controller's).
    void chooseCrawlMode(CrawlMode mode);
    void hiddenSubmenuMode(CrawlMode mode);
    void naloziCSVLinke();

    // The pieces, for the program and the tests.
    const MainFormWidgets& widgets() const { return w_; }
    // The fields below the collapsed edge, made by the first call: they show what the
    // form holds, as they would have had they been made with the window.
    const AdvancedFields& advanced();
    bool advancedBuilt() const { return adv_ != nullptr; }
    MainMenus& menus() { return *menus_; }
    MoreEnginesMenu& moreEngines() { return *moreEngines_; }
    SuggestionList& dropDown() { return *dropDown_; }
    CrawlController& crawl() { return crawl_; }
    ColourController& colours() { return colours_; }
    WindowGlue& glue() { return *glue_; }
    bool firstStart() const { return firstStart_; }
    Glyph expandGlyphShown() const { return expandGlyph_; }

    // The available areas of the screens, the primary screen first; tests give their own.
    void setWorkAreasSource(std::function<std::vector<Rect>()> source) {
        workAreas_ = std::move(source);
    }
    // What the two ways of ending write of the window: its height, its normal position and
    // the tray's and the browser list's state.
    CloseState closeState() const;
    // While held() is true the suggestion drop-down does not open (the history window is
    // shown); unset: never held.
    void holdDropDownWhile(std::function<bool()> held) { dropDownHeld_ = std::move(held); }

signals:
    // What the user asked of the windows around this one; the program wires them.
    void historyRequested();            // "History", main menu and tray
    void suggestionsManagerRequested(); // "Search suggestions", main menu and tray
    void saveSettingsRequested();       // "Save settings"
    void openSettingsRequested();       // "Open settings"
    void resetAllSettingsRequested();   // "Reset all settings"
    void broomRequested();              // the broom button xiMetla
    // The program is to end: closing the window and the tray's "Exit" take the close path,
    // the main menu's "Exit" its own.
    void endRequested(trov::ExitPath path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void wireControls();
    void wireDropDown();
    void buildAdvanced();
    void placeAdvanced(const QObjectList& before);
    void wireAdvanced();
    void syncAdvanced();
    void showScheme(const BackgroundScheme& s); // on the captions and the pins
    void paintBackground(const BackgroundScheme& s);
    void showSiteReadOnly();
    // The text field and its frame as far as they are made; null for one not made yet.
    QLineEdit* builtField(TextField f) const;
    QFrame* builtFrame(TextField f) const;
    void wireMenus();
    void createMoreEngines();
    GoServices goServices();
    void goOwnEngineNow(const OwnEngine& engine);
    void finishGo(GoOutcome outcome);
    void fieldChanged(TextField field, const QString& text);
    bool fieldKey(TextField field, QKeyEvent* key);
    void fieldEscape();
    // A drop-down row into a field, without refreshing the drop-down.
    void putRow(QLineEdit* field, const QString& text);
    void engineClicked(SearchEngine engine);
    void showEngine(const EngineSelection& selection);
    void showKinds();
    void showColours();
    void showMarks();
    void setClientHeight(int height);
    void applyExpandRule();
    void setAdvancedInTabOrder(bool on);
    void pinClicked(int n);
    void listChanged(ListField list, int index);
    void linksFinished(LinksResult result);
    QLineEdit* ownerField();
    void reportRefusal(const std::exception& e);
    std::vector<Rect> workAreas() const;

    MainFormServices& services_;
    CrawlController& crawl_;
    ColourController& colours_;
    FormModel model_;
    MainFormWidgets w_;
    std::unique_ptr<AdvancedFields> adv_; // made on first need
    // What the advanced fields are to show once made: the tab order set, the scheme shown.
    std::optional<bool> advancedInTabOrder_;
    std::optional<BackgroundScheme> shownScheme_;
    std::unique_ptr<MainMenus> menus_;
    MoreEnginesMenu* moreEngines_ = nullptr; // belongs to the main menu
    SuggestionList* dropDown_ = nullptr;
    std::unique_ptr<WindowGlue> glue_;
    FormKeyboard* keyboard_ = nullptr; // a child of the window
    SuggestionGoPort suggestionPort_;
    ExpandModel expandModel_;
    std::function<bool()> dropDownHeld_;
    std::function<std::vector<Rect>()> workAreas_;

    Glyph expandGlyph_ = Glyph::Image3;
    bool suppress_ = false;      // Esc: the clearing it causes does not reopen the drop-down
    bool forcedRefresh_ = false; // a refresh while the drop-down has the focus
    bool fromDropDown_ = false;  // a drop-down row is being put into the owner field
    bool firstStart_ = true;
    bool syncing_ = false;
    std::optional<std::string> listFileGiven_; // the list crawl's file, when not to be asked
    QPoint dragOffset_;
    bool dragging_ = false;
};

} // namespace trov
