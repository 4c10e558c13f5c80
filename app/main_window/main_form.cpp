// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/main_form.h"

#include "app/crawl/crawl_controller.h"
#include "app/crawl/crawler_panel.h"
#include "app/main_window/accessible_controls.h"
#include "app/main_window/colour_controller.h"
#include "app/main_window/form_keyboard.h"
#include "app/main_window/suggestion_list.h"
#include "app/main_window/window_glue.h"
#include "app/shared/core_texts.h"
#include "appearance/glyphs.h"
#include "common/messages.h"
#include "compose/engines.h"
#include "compose/go.h"
#include "compose/pin.h"
#include "platform/launcher.h"
#include "settings/ini.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

namespace trov {

namespace {

void paintFace(QWidget* widget, std::uint32_t colour) {
    if (!widget)
        return;
    QPalette p = widget->palette();
    const QColor c(QRgb(0xFF000000u | colour));
    p.setColor(QPalette::Base, c);
    p.setColor(QPalette::Button, c);
    p.setColor(QPalette::Window, c);
    widget->setPalette(p);
}

} // namespace

TMainForm::TMainForm(MainFormServices& services, CrawlController& crawl, ColourController& colours,
                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint), services_(services), crawl_(crawl),
      colours_(colours), model_(&crawl.runner()),
      suggestionPort_(services.suggestions, services.messages) {
    installAccessibleControls(); // before any of the controls is read
    setObjectName(QStringLiteral("TMainForm"));
    setWindowTitle(QStringLiteral("Trov"));
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(13);
    setFont(font);
    setAutoFillBackground(true);
    buildMainFormLayout(this, w_);
    menus_ = std::make_unique<MainMenus>(this);
    dropDown_ = new SuggestionList(w_.pAll);
    dropDown_->setPlacement([this](QListWidget* list) {
        // Made with the window, the list sat under the progress panel and after the fields
        // in the tab chain.
        if (crawl_.panelMade())
            list->stackUnder(crawl_.panel());
        QWidget::setTabOrder(adv_ ? adv_->tabChain().back() : static_cast<QWidget*>(w_.cbAll),
                             list);
    });

    WindowGlue::Hooks hooks;
    hooks.focusWords = [this] { w_.eURL->setFocus(); };
    hooks.history = [this] { emit historyRequested(); };
    hooks.suggestions = [this] { emit suggestionsManagerRequested(); };
    hooks.dataFolder = [this] { services_.launcher.launch(services_.folder.path(), {}); };
    hooks.about = [this] { menus_->About1->trigger(); };
    hooks.exit = [this] { emit endRequested(ExitPath::Close); };
    glue_ = std::make_unique<WindowGlue>(*this, *menus_, services.config, services.messages,
                                         services.autostart, services.programPath, std::move(hooks),
                                         this);
    setFixedSize(kClientWidth, 458); // as designed; the creation collapses it
    keyboard_ = new FormKeyboard(this, w_.engineGroup, [this] { openMainMenu(); });
    for (QToolButton* b : {w_.xiGO, w_.xiMetla, w_.xiHamburger, w_.csExpand})
        keyboard_->addButton(b);
    // The Tab chain as the form is drawn: the search box, its buttons, the engine row
    // (one stop), expand and the kind box; the advanced fields follow when made.
    QWidget* previous = w_.eURL;
    for (QWidget* next : {static_cast<QWidget*>(w_.xiGO), static_cast<QWidget*>(w_.xiMetla),
                          static_cast<QWidget*>(w_.xiHamburger)}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    for (QToolButton* engine : w_.engines) {
        QWidget::setTabOrder(previous, engine);
        previous = engine;
    }
    QWidget::setTabOrder(previous, w_.csExpand);
    QWidget::setTabOrder(w_.csExpand, w_.cbAll);
    wireControls();
    wireMenus();
    createMoreEngines();
    connect(&crawl_.runner(), &CrawlRunner::finished, this, &TMainForm::linksFinished);
    connect(&colours_, &ColourController::backgroundChanged, this, &TMainForm::paintBackground);
}

TMainForm::~TMainForm() = default;

void TMainForm::wireControls() {
    w_.eURL->installEventFilter(this);
    connect(w_.eURL, &QLineEdit::textChanged, this,
            [this](const QString& text) { fieldChanged(TextField::Words, text); });
    connect(w_.xiGO, &QToolButton::clicked, this, &TMainForm::xiGOClick);
    connect(w_.xiMetla, &QToolButton::clicked, this, &TMainForm::broomRequested);
    connect(w_.xiHamburger, &QToolButton::clicked, this, &TMainForm::openMainMenu);
    connect(w_.engineGroup, &QButtonGroup::idClicked, this,
            [this](int id) { engineClicked(static_cast<SearchEngine>(id)); });
    connect(w_.csExpand, &QToolButton::clicked, this, &TMainForm::csExpandClick);
    connect(w_.cbAll, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (syncing_)
            return;
        model_.setKindIndex(index);
        showColours();
    });
    wireDropDown();
}

void TMainForm::wireMenus() {
    MainMenus& m = *menus_;
    connect(m.History1, &QAction::triggered, this, &TMainForm::historyRequested);
    connect(m.EnableHistory, &QAction::toggled, this,
            [this](bool on) { model_.setHistoryEnabled(on); });
    connect(m.SearchSuggestions, &QAction::triggered, this,
            &TMainForm::suggestionsManagerRequested);
    connect(m.SaveSettings1, &QAction::triggered, this, &TMainForm::saveSettingsRequested);
    connect(m.OpenSettings1, &QAction::triggered, this, &TMainForm::openSettingsRequested);
    connect(m.ResetAllSettings1, &QAction::triggered, this, &TMainForm::resetAllSettingsRequested);
    connect(m.Exit1, &QAction::triggered, this,
            [this] { emit endRequested(ExitPath::MainMenuExit); });
    for (CrawlMode mode : kCrawlModes)
        connect(m.mode(mode), &QAction::triggered, this, [this, mode] { chooseCrawlMode(mode); });
    const std::pair<QAction*, CrawlMode> hidden[] = {{m.subFast, CrawlMode::StartFastCrawl},
                                                     {m.subSlow, CrawlMode::StartSlowCrawl},
                                                     {m.subAll, CrawlMode::AllLinks},
                                                     {m.subInternal, CrawlMode::interLinks}};
    for (const auto& [action, mode] : hidden)
        connect(action, &QAction::triggered, this, [this, mode] { hiddenSubmenuMode(mode); });
}

void TMainForm::openMainMenu() {
    menus_->main->popup(w_.xiHamburger->mapToGlobal(QPoint(-1, w_.xiHamburger->height() + 1)));
}

// ---- Engines, lists, pins ----

void TMainForm::engineClicked(SearchEngine engine) {
    QToolButton* button = w_.engines[static_cast<std::size_t>(engine)];
    const EngineSelection selection = model_.selectEngine(engine);
    // The menu is open while the click finishes; its item is handled afterwards.
    if (selection.popUpCrawlerMenu)
        menus_->PopCrawler->popup(button->mapToGlobal(QPoint(-1, button->height() + 1)));
    showEngine(selection);
}

void TMainForm::showEngine(const EngineSelection& selection) {
    w_.PanelMarker->move(11 + selection.markerLeft, 46 + kEngineButtonHeight + 2);
    showSiteReadOnly();
    if (selection.hideProgressPanel && !crawl_.running() && crawl_.panelMade())
        crawl_.panel()->hide();
    showKinds();
    showMarks();
    showColours();
    if (selection.expand && height() < 350)
        csExpandClick();
    if (selection.focusSite)
        advanced().edomain->setFocus();
}

void TMainForm::pressEngine(SearchEngine engine) {
    w_.engines[static_cast<std::size_t>(engine)]->setChecked(true);
    engineClicked(engine);
}

void TMainForm::showKinds() {
    const bool was = syncing_;
    syncing_ = true;
    w_.cbAll->clear();
    for (std::string_view k : model_.kinds())
        w_.cbAll->addItem(coreText(k)); // the model keeps the English kind
    w_.cbAll->setCurrentIndex(model_.kindIndex());
    w_.cbAll->setEnabled(model_.kindBoxEnabled());
    paintFace(w_.cbAll, model_.kindBoxColour());
    syncing_ = was;
}

void TMainForm::showColours() {
    // Every coloured field is an advanced one; made later, they are painted then.
    if (!adv_)
        return;
    const FieldColours& colours = model_.colours();
    for (int i = 0; i < kColouredFieldCount; ++i) {
        const auto f = static_cast<ColouredField>(i);
        const FramedField ff = adv_->coloured(f);
        paintFace(ff.frame, colours.colour(f));
        paintFace(ff.field, colours.colour(f));
        // What the grey says, for those who do not see it.
        ff.field->setAccessibleDescription(
            colours.colour(f) == kFieldGrey ? tr("Ignored by the chosen engine") : QString());
    }
}

void TMainForm::showMarks() {
    menus_->showMarks(model_.crawlMarks());
}

void TMainForm::listChanged(ListField list, int index) {
    if (!syncing_)
        model_.select(list, index);
}

void TMainForm::pinClicked(int n) {
    try {
        SavePin(model_, n, services_.config, colours_.background());
    } catch (const IniWriteError& e) {
        reportRefusal(e);
    }
}

void TMainForm::syncFromModel() {
    syncing_ = true;
    const QString words = QString::fromStdString(model_.text(TextField::Words));
    if (w_.eURL->text() != words)
        w_.eURL->setText(words);
    if (adv_)
        syncAdvanced();
    w_.engines[static_cast<std::size_t>(model_.engine())]->setChecked(true);
    w_.PanelMarker->move(11 + engineInfo(model_.engine()).buttonLeft, 46 + kEngineButtonHeight + 2);
    menus_->EnableHistory->setChecked(model_.historyEnabled());
    syncing_ = false;
    showKinds();
    showMarks();
    showColours();
}

// ---- Go ----

void TMainForm::linksFinished(LinksResult) {
    unsetCursor();
}

// ---- Expand and collapse ----

std::vector<Rect> TMainForm::workAreas() const {
    if (workAreas_)
        return workAreas_();
    std::vector<Rect> areas;
    QList<QScreen*> screens = QGuiApplication::screens();
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens.move(std::max<qsizetype>(screens.indexOf(primary), 0), 0);
    for (const QScreen* s : screens) {
        const QRect free = s->availableGeometry();
        areas.push_back({free.x(), free.y(), free.width(), free.height()});
    }
    return areas;
}

void TMainForm::setClientHeight(int height) {
    setFixedSize(kClientWidth, height);
}

void TMainForm::setAdvancedInTabOrder(bool on) {
    advancedInTabOrder_ = on;
    if (!adv_)
        return;
    for (QWidget* f : adv_->tabFields())
        f->setFocusPolicy(on ? Qt::StrongFocus : Qt::ClickFocus);
    for (std::size_t n = 1; n < adv_->pins.size(); ++n)
        adv_->pins[n]->setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus);
}

void TMainForm::applyExpandRule() {
    const BackgroundScheme s = backgroundScheme(colours_.background());
    expandGlyph_ = expandGlyph(s.scheme, height(), expandGlyph_);
    w_.csExpand->setIcon(drawGlyph(expandGlyph_));
    QPalette p = w_.Crta->palette();
    p.setColor(QPalette::Window, toQColor(s.separatorColour));
    w_.Crta->setPalette(p);
}

void TMainForm::csExpandClick() {
    const ExpandResult r = expandModel_.toggle(
        height(), {x(), y()}, workAreaOf({x(), y(), width(), height()}, workAreas()));
    if (r.saveSettingsFirst) {
        try {
            trov::SaveSettings(services_.config, r.savedPosition, glue_->tray().loadAtStartup());
        } catch (const IniWriteError& e) {
            reportRefusal(e);
        }
    }
    if (r.expanded)
        advanced(); // the fields are made when first shown
    model_.setExpanded(r.expanded);
    const QString hint = coreText(r.hint);
    w_.csExpand->setToolTip(hint);
    w_.csExpand->setAccessibleName(hint);
    setClientHeight(r.clientHeight);
    setAdvancedInTabOrder(r.expanded);
    w_.Crta->setVisible(r.expanded);
    if (!r.expanded)
        w_.eURL->setFocus();
    move(r.position.x, r.position.y);
    if (dropDown_->isVisible())
        GSLBosvezi();
    applyExpandRule();
}

// ---- Background ----

int TMainForm::backgroundColour() const {
    return colours_.background();
}

void TMainForm::applyBackground(int colour) {
    colours_.NastaviOzadje(colour);
}

void TMainForm::paintBackground(const BackgroundScheme& s) {
    const QColor face = toQColor(s.resolved);
    for (QWidget* wdg : {static_cast<QWidget*>(this), w_.pAll}) {
        QPalette p = wdg->palette();
        p.setColor(QPalette::Window, face);
        wdg->setPalette(p);
    }
    shownScheme_ = s;
    keyboard_->setDarkBackground(s.scheme == Scheme::Dark);
    if (adv_)
        showScheme(s);
    QPalette marker = w_.PanelMarker->palette();
    marker.setColor(QPalette::Window, toQColor(s.markerColour));
    w_.PanelMarker->setPalette(marker);
    applyExpandRule();
    update();
}

// ---- Mouse on the background ----

void TMainForm::mousePressEvent(QMouseEvent* event) {
    if (dropDown_->isVisible())
        dropDown_->hide();
    if (event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - dragOffset_);
    else
        dragging_ = false;
}

void TMainForm::mouseDoubleClickEvent(QMouseEvent* event) {
    dragging_ = false;
    if (event->button() == Qt::LeftButton)
        csExpandClick();
}

void TMainForm::wheelEvent(QWheelEvent* event) {
    if (dropDown_->isVisible()) {
        dropDown_->widget()->setFocus();
        QCoreApplication::sendEvent(dropDown_->widget()->viewport(), event);
        return;
    }
    QWidget::wheelEvent(event);
}

void TMainForm::showEvent(QShowEvent* event) {
    // FormActivate: the client width is fixed at 458.
    setFixedWidth(kClientWidth);
    QWidget::showEvent(event);
}

bool TMainForm::isShown() const {
    return glue_->shown();
}

void TMainForm::reportRefusal(const std::exception& e) {
    services_.messages.show(MessageIcon::Error, e.what());
}

} // namespace trov
