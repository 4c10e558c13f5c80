// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/window.h"

#include "app/shared/find_glyph.h"
#include "history/history_placement.h"
#include "history/window_model.h"
#include "settings/config.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

namespace trov {

namespace {

struct DetailField {
    const char* name;
    const char* label;
    std::size_t column;
};

// The detail panel in its reading order; e15 shows the engine column.
constexpr std::array<DetailField, kHistoryColumnCount> kDetailFields = {{
    {"e1", QT_TRANSLATE_NOOP("trov::Tfhist", "Date"), kColDate},
    {"e2", QT_TRANSLATE_NOOP("trov::Tfhist", "Time"), kColTime},
    {"e3", QT_TRANSLATE_NOOP("trov::Tfhist", "Search"), kColSearch},
    {"e4", QT_TRANSLATE_NOOP("trov::Tfhist", "Exact word or phrase"), kColExact},
    {"e5", QT_TRANSLATE_NOOP("trov::Tfhist", "Exclude a word"), kColExclude},
    {"e6", QT_TRANSLATE_NOOP("trov::Tfhist", "Search within a site or domain"), kColSite},
    {"e7", QT_TRANSLATE_NOOP("trov::Tfhist", "File type"), kColFileType},
    {"e8", QT_TRANSLATE_NOOP("trov::Tfhist", "Browser"), kColBrowser},
    {"e9", QT_TRANSLATE_NOOP("trov::Tfhist", "Interface"), kColInterface},
    {"e10", QT_TRANSLATE_NOOP("trov::Tfhist", "Country"), kColCountry},
    {"e11", QT_TRANSLATE_NOOP("trov::Tfhist", "Language"), kColLanguage},
    {"e12", QT_TRANSLATE_NOOP("trov::Tfhist", "Time Period"), kColPeriod},
    {"e13", QT_TRANSLATE_NOOP("trov::Tfhist", "Type"), kColType},
    {"e15", QT_TRANSLATE_NOOP("trov::Tfhist", "Search engine"), kColEngine},
}};

} // namespace

Tfhist::Tfhist(HistoryWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(std::move(services)), view_(services_.store) {
    setWindowTitle(tr("Trov - Search History"));
    setObjectName(QStringLiteral("fhist"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(buildToolbar());
    layout->addWidget(buildDetailPanel());
    buildTable();
    layout->addWidget(tabela_, 1);

    view_.setMultiSelect(false);
    applyPlacement();
}

Tfhist::~Tfhist() = default;

QWidget* Tfhist::buildToolbar() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    auto* findLabel = new QLabel(tr("Find"), bar);
    row->addWidget(findLabel);
    hurl_ = new QLineEdit(bar);
    findLabel->setBuddy(hurl_);
    hurl_->setObjectName(QStringLiteral("hurl"));
    hurl_->setMinimumWidth(220);
    hurl_->installEventFilter(this);
    row->addWidget(hurl_);
    connect(hurl_, &QLineEdit::textChanged, this, [this] { model_->recolour(); });

    // Each button is found by its English hint; it shows and is read by the translated one.
    const auto add = [&](const char* hint, const QString& caption, auto handler) {
        auto* b = new QToolButton(bar);
        b->setObjectName(QLatin1String(hint));
        b->setToolTip(tr(hint));
        b->setAccessibleName(tr(hint));
        b->setText(caption);
        b->setAutoRaise(true);
        row->addWidget(b);
        buttons_.push_back(b);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Search"), QString(), [this] {
        findClicked();
    })->setIcon(findGlyph());
    row->addSpacing(12);
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "First record"), QStringLiteral("|<"),
        [this] { navigate(HistoryNavigation::First); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Prior record"), QStringLiteral("<"),
        [this] { navigate(HistoryNavigation::Prior); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Next record"), QStringLiteral(">"),
        [this] { navigate(HistoryNavigation::Next); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Last record"), QStringLiteral(">|"),
        [this] { navigate(HistoryNavigation::Last); });
    row->addSpacing(12);
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Fill search fields"), tr("Fill"),
        [this] { FillFields(); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Run"), tr("Run"), [this] { run(); });
    multi_ = add(QT_TRANSLATE_NOOP("trov::Tfhist", "Multi select"), tr("Multi"), [] {});
    multi_->setCheckable(true);
    connect(multi_, &QToolButton::toggled, this, [this](bool on) { setMultiSelect(on); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Clear all search history"), tr("Clear"),
        [this] { clearAll(); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Delete record"), tr("Delete"),
        [this] { deleteRecord(); });
    row->addSpacing(12);
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Open"), tr("Open"), [this] { openFile(); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Save"), tr("Save"), [this] { saveFile(); });
    add(QT_TRANSLATE_NOOP("trov::Tfhist", "Export CSV"), QStringLiteral("CSV"),
        [this] { exportCsv(); });
    row->addStretch(1);
    close_ = new QPushButton(tr("Close"), bar);
    connect(close_, &QPushButton::clicked, this, &QWidget::hide);
    row->addWidget(close_);
    return bar;
}

QWidget* Tfhist::buildDetailPanel() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    constexpr int kPerColumn = 7;
    for (std::size_t i = 0; i < kDetailFields.size(); ++i) {
        const DetailField& f = kDetailFields[i];
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(f.name));
        edit->setReadOnly(true);
        detail_[f.column] = edit;
        const int r = static_cast<int>(i) % kPerColumn;
        const int c = static_cast<int>(i) / kPerColumn * 2;
        auto* label = new QLabel(tr(f.label), panel);
        label->setBuddy(edit);
        grid->addWidget(label, r, c);
        grid->addWidget(edit, r, c + 1);
    }
    return panel;
}

void Tfhist::buildTable() {
    tabela_ = new QTableView(this);
    tabela_->setObjectName(QStringLiteral("tabela"));
    tabela_->setAccessibleName(tr("Search history"));
    model_ = new HistoryTableModel(
        services_.store, [this] { return hurl_->text(); }, this);
    tabela_->setModel(model_);
    tabela_->setShowGrid(true);
    tabela_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabela_->setSelectionMode(QAbstractItemView::SingleSelection);
    tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela_->setSortingEnabled(false); // the rows stay newest first
    tabela_->setWordWrap(false);
    tabela_->setStyleSheet(QStringLiteral("QTableView { background: white; }"));
    tabela_->verticalHeader()->hide();
    tabela_->verticalHeader()->setDefaultSectionSize(tabela_->fontMetrics().height() + 6);
    tabela_->horizontalHeader()->setHighlightSections(false);
    tabela_->installEventFilter(this);
    applyColumns();
    connect(tabela_->horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int section, int, int width) {
                auto& columns = services_.store.list().columns;
                if (!syncing_ && section >= 0 && static_cast<std::size_t>(section) < columns.size())
                    columns[static_cast<std::size_t>(section)].width = width;
            });
    connect(tabela_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { pullSelection(); });
    connect(tabela_, &QTableView::clicked, this, [this] { showDetail(); });
    connect(tabela_, &QTableView::doubleClicked, this, [this] { FillFields(); });
}

void Tfhist::applyColumns() {
    syncing_ = true;
    const auto& columns = services_.store.list().columns;
    for (std::size_t c = 0; c < kHistoryColumnCount; ++c) {
        const int width = c < columns.size() ? columns[c].width : kHistoryColumns[c].width;
        tabela_->setColumnWidth(static_cast<int>(c), width);
    }
    syncing_ = false;
}

void Tfhist::applyPlacement() {
    const HistoryPlacement p =
        services_.placement ? *services_.placement : readHistoryPlacement(services_.config);
    setGeometry(p.left, p.top, p.width, p.height);
    if (p.state == HistoryWindowState::Maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
}

QToolButton* Tfhist::button(const QString& hint) const {
    for (QToolButton* b : buttons_)
        if (b->objectName() == hint)
            return b;
    return nullptr;
}

void Tfhist::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow())
            activated();
        else if (isVisible())
            deactivated();
    }
    QWidget::changeEvent(event);
}

void Tfhist::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide(); // Esc closes the window, as its Close button does
        return;
    }
    QWidget::keyPressEvent(event);
}

void Tfhist::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event); // closing only hides the window
}

bool Tfhist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hurl_) {
        if (event->type() == QEvent::FocusIn)
            hurl_->clear();
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                findClicked();
                return true; // consumed
            }
        }
    }
    if (watched == tabela_ && event->type() == QEvent::KeyRelease)
        showDetail();
    return QWidget::eventFilter(watched, event);
}

void Tfhist::activated() {
    hurl_->clear();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->geometry().size() : QSize(1920, 1080);
    const WindowOrigin o = clampHistoryOrigin({x(), y()}, ScreenSize{size.width(), size.height()});
    if (o.left != x() || o.top != y())
        move(o.left, o.top);
    // Single selection again; the "Multi select" button keeps its state.
    view_.setMultiSelect(false);
    tabela_->setSelectionMode(QAbstractItemView::SingleSelection);
    pushSelection(std::nullopt, false);
    if (std::exchange(listFocusOnActivation_, false))
        tabela_->setFocus();
    else
        hurl_->setFocus();
}

void Tfhist::deactivated() {
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    const HistoryWindowState state = isMaximized()   ? HistoryWindowState::Maximised
                                     : isMinimized() ? HistoryWindowState::Minimised
                                                     : HistoryWindowState::Normal;
    const bool appMinimised = QGuiApplication::applicationState() == Qt::ApplicationHidden;
    try {
        writeHistoryPlacement(services_.config, normal.x(), normal.y(), normal.width(),
                              normal.height(), state, appMinimised);
    } catch (const IniWriteError& e) {
        // Reported once: the box itself takes the activation and would come back at once.
        if (!placementFailureShown_) {
            placementFailureShown_ = true;
            reportWriteFailure({e.path(), {}});
        }
    }
}

} // namespace trov
