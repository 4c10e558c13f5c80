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
    {"e1", "Date", kColDate},
    {"e2", "Time", kColTime},
    {"e3", "Search", kColSearch},
    {"e4", "Exact word or phrase", kColExact},
    {"e5", "Exclude a word", kColExclude},
    {"e6", "Search within a site or domain", kColSite},
    {"e7", "File type", kColFileType},
    {"e8", "Browser", kColBrowser},
    {"e9", "Interface", kColInterface},
    {"e10", "Country", kColCountry},
    {"e11", "Language", kColLanguage},
    {"e12", "Time Period", kColPeriod},
    {"e13", "Type", kColType},
    {"e15", "Search engine", kColEngine},
}};

} // namespace

Tfhist::Tfhist(HistoryWindowServices services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(std::move(services)), view_(services_.store) {
    setWindowTitle(QStringLiteral("Trov - Search History"));
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
    row->addWidget(new QLabel(QStringLiteral("Find"), bar));
    hurl_ = new QLineEdit(bar);
    hurl_->setObjectName(QStringLiteral("hurl"));
    hurl_->setMinimumWidth(220);
    hurl_->installEventFilter(this);
    row->addWidget(hurl_);
    connect(hurl_, &QLineEdit::textChanged, this, [this] { model_->recolour(); });

    const auto add = [&](const QString& hint, const QString& caption, auto handler) {
        auto* b = new QToolButton(bar);
        b->setToolTip(hint);
        b->setObjectName(hint);
        b->setText(caption);
        b->setAutoRaise(true);
        row->addWidget(b);
        buttons_.push_back(b);
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    add(QStringLiteral("Search"), QString(), [this] { findClicked(); })->setIcon(findGlyph());
    row->addSpacing(12);
    add(QStringLiteral("First record"), QStringLiteral("|<"),
        [this] { navigate(HistoryNavigation::First); });
    add(QStringLiteral("Prior record"), QStringLiteral("<"),
        [this] { navigate(HistoryNavigation::Prior); });
    add(QStringLiteral("Next record"), QStringLiteral(">"),
        [this] { navigate(HistoryNavigation::Next); });
    add(QStringLiteral("Last record"), QStringLiteral(">|"),
        [this] { navigate(HistoryNavigation::Last); });
    row->addSpacing(12);
    add(QStringLiteral("Fill search fields"), QStringLiteral("Fill"), [this] { FillFields(); });
    add(QStringLiteral("Run"), QStringLiteral("Run"), [this] { run(); });
    multi_ = add(QStringLiteral("Multi select"), QStringLiteral("Multi"), [] {});
    multi_->setCheckable(true);
    connect(multi_, &QToolButton::toggled, this, [this](bool on) { setMultiSelect(on); });
    add(QStringLiteral("Clear all search history"), QStringLiteral("Clear"),
        [this] { clearAll(); });
    add(QStringLiteral("Delete record"), QStringLiteral("Delete"), [this] { deleteRecord(); });
    row->addSpacing(12);
    add(QStringLiteral("Open"), QStringLiteral("Open"), [this] { openFile(); });
    add(QStringLiteral("Save"), QStringLiteral("Save"), [this] { saveFile(); });
    add(QStringLiteral("Export CSV"), QStringLiteral("CSV"), [this] { exportCsv(); });
    row->addStretch(1);
    close_ = new QPushButton(QStringLiteral("Close"), bar);
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
        grid->addWidget(new QLabel(QString::fromLatin1(f.label), panel), r, c);
        grid->addWidget(edit, r, c + 1);
    }
    return panel;
}

void Tfhist::buildTable() {
    tabela_ = new QTableView(this);
    tabela_->setObjectName(QStringLiteral("tabela"));
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
        if (b->toolTip() == hint)
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
