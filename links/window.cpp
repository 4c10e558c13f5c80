// SPDX-License-Identifier: GPL-3.0-or-later
#include "links/window.h"

#include "app/shared/core_texts.h"
#include "appearance/colour.h"
#include "appearance/qt_colour.h"
#include "links/find.h"
#include "links/find_dialog.h"
#include "links/print.h"
#include "links/viewer_text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>

namespace trov {

namespace {

constexpr int kGutterWidth = 33;
constexpr int kStripWidth = 6;

void setBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont viewerFont() {
    QFont font(QStringLiteral("Lucida Console"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPixelSize(15);
    return font;
}

} // namespace

Tflinks::Tflinks(Messages& messages, links::OpenAddress open, QWidget* parent)
    : QMainWindow(parent), messages_(messages), open_(std::move(open)),
      random_(std::random_device{}()) {
    setWindowTitle(coreText(links::kDefaultCaption));
    resize(898, 677);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 4);
    }

    text_ = new QPlainTextEdit;
    text_->setAccessibleName(tr("Links"));
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setFrameShape(QFrame::NoFrame);
    text_->document()->setDocumentMargin(0);
    text_->setFont(viewerFont());
    text_->viewport()->setCursor(Qt::ArrowCursor);
    QPalette palette = text_->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    text_->setPalette(palette);
    text_->installEventFilter(this);
    text_->viewport()->installEventFilter(this);

    auto* body = new QWidget;
    auto* bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(0, 0, 0, 0);
    bodyLayout->setSpacing(0);
    bodyLayout->addWidget(buildGutter());
    bodyLayout->addWidget(text_, 1);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildTopBar());
    layout->addWidget(body, 1);
    setCentralWidget(central);

    buildMenus();
    buildStatusBar();
    find_ = new FindDialog(this);
    connect(find_, &FindDialog::findNextRequested, this, &Tflinks::findNext);

    connect(text_, &QPlainTextEdit::textChanged, this, &Tflinks::textChanged);
    gutterTimer_.setInterval(75);
    connect(&gutterTimer_, &QTimer::timeout, this, &Tflinks::refreshGutter);
    statusTimer_.setInterval(125);
    connect(&statusTimer_, &QTimer::timeout, this, &Tflinks::refreshStatus);
    // The status bar follows the caret only while it can be seen (showEvent), so a
    // program idling in the tray has no timer waking it.
    clearLinks();
}

Tflinks::~Tflinks() = default;

QWidget* Tflinks::buildTopBar() {
    auto* bar = new QWidget;
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(4, 4, 4, 4);
    address_ = new QLineEdit;
    address_->setAccessibleName(tr("Address"));
    QFont bold = address_->font();
    bold.setBold(true);
    address_->setFont(bold);
    auto* openButton = new QPushButton(tr("Open URL"));
    connect(openButton, &QPushButton::clicked, this, &Tflinks::openAddress);
    connect(address_, &QLineEdit::returnPressed, this, &Tflinks::openAddress);
    auto* closeButton = new QToolButton;
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setAutoRaise(true);
    closeButton->setToolTip(tr("Close"));
    closeButton->setAccessibleName(tr("Close"));
    connect(closeButton, &QToolButton::clicked, this, &QWidget::close);
    layout->addWidget(address_, 1);
    layout->addWidget(openButton);
    layout->addStretch(0);
    layout->addWidget(closeButton);
    return bar;
}

QWidget* Tflinks::buildGutter() {
    auto* holder = new QWidget;
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    gutter_ = new QWidget;
    gutter_->setFixedWidth(kGutterWidth);
    setBackground(gutter_, QColor(0xEE, 0xEE, 0xEE));
    strip_ = new QWidget;
    strip_->setFixedWidth(kStripWidth);
    setBackground(strip_, Qt::white);
    layout->addWidget(gutter_);
    layout->addWidget(strip_);

    // Each label is exactly one text line high, so label i stands beside visible line i.
    const QFont font = viewerFont();
    const int height = QFontMetrics(font).lineSpacing();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen ? screen->geometry().height() : 1080;
    numbers_ = links::LineGutter(links::labelsThatFit(screenHeight, height));
    labels_.reserve(links::kGutterLabels);
    for (std::size_t i = 0; i < links::kGutterLabels; ++i) {
        auto* label = new QLabel(gutter_);
        label->setFont(font);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(0, static_cast<int>(i) * height, kGutterWidth, height);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setText(QString::fromStdString(numbers_.labels()[i]));
        labels_.push_back(label);
    }
    return holder;
}

void Tflinks::buildMenus() {
    QMenu* file = menuBar()->addMenu(tr("File"));
    file->addAction(tr("Import"), this, [this] {
        if (import_)
            import_();
    });
    file->addAction(tr("Export"), this, [this] {
        if (export_)
            export_();
    });
    file->addAction(tr("Print"), this, &Tflinks::print);
    file->addAction(tr("Close"), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("Edit"));
    edit->addAction(tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), text_, &QPlainTextEdit::undo);
    edit->addAction(tr("Copy line"), text_, &QPlainTextEdit::copy);
    // The caption's spelling is the menu's own.
    edit->addAction(tr("Sellect All"), text_, &QPlainTextEdit::selectAll);
    edit->addAction(tr("Find"), this, &Tflinks::showFindDialog);

    // Hidden entries that still answer their shortcuts.
    auto* findFirstAction = new QAction(tr("Find Next"), this);
    findFirstAction->setShortcut(QKeySequence(Qt::Key_F3));
    connect(findFirstAction, &QAction::triggered, this, &Tflinks::findFirst);
    addAction(findFirstAction);
    auto* randomAction = new QAction(tr("Random background"), this);
    randomAction->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_R));
    connect(randomAction, &QAction::triggered, this, &Tflinks::randomBackground);
    addAction(randomAction);
}

void Tflinks::buildStatusBar() {
    auto* empty = new QLabel;
    empty->setFixedWidth(41);
    lineCell_ = new QLabel;
    columnCell_ = new QLabel;
    columnCell_->setVisible(false);
    sizeCell_ = new QLabel;
    statusBar()->addWidget(empty);
    statusBar()->addWidget(lineCell_);
    statusBar()->addWidget(columnCell_);
    statusBar()->addWidget(sizeCell_);
    statusBar()->setSizeGripEnabled(true);
}

void Tflinks::setLinksText(const QString& text) {
    text_->setPlainText(text);
}

void Tflinks::clearLinks() {
    text_->clear();
    textChanged();
}

QString Tflinks::linksText() const {
    return text_->toPlainText();
}

void Tflinks::showLinks(const QString& caption, const QStringList& addresses) {
    text_->clear();
    setWindowTitle(coreText(caption.toStdString()));
    if (!addresses.isEmpty())
        text_->setPlainText(addresses.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    show();
    raise();
    activateWindow();
}

void Tflinks::textChanged() {
    const std::u16string text = text_->toPlainText().toStdU16String();
    lines_ = links::lineCount(text);
    sizeCell_->setText(tr("Characters: %1").arg(text.size()));
}

void Tflinks::refreshStatus() {
    const QTextCursor cursor = text_->textCursor();
    const QTextBlock block = cursor.block();
    // The texts of links::lineStatus and links::columnStatus, in the session's language.
    lineCell_->setText(tr("Ln %1 : %2").arg(cursor.blockNumber() + 1).arg(lines_));
    columnCell_->setText(
        tr("Col %1 : %2").arg(cursor.positionInBlock() + 1).arg(std::max(0, block.length() - 1)));
}

void Tflinks::refreshGutter() {
    // Without wrapping one block is one line, and the scroll bar counts blocks.
    if (!numbers_.refresh(text_->verticalScrollBar()->value()))
        return;
    for (std::size_t i = 0; i < numbers_.fitting(); ++i)
        labels_[i]->setText(QString::fromStdString(numbers_.labels()[i]));
}

void Tflinks::selectCurrentLine() {
    const std::u16string text = text_->toPlainText().toStdU16String();
    QTextCursor cursor = text_->textCursor();
    const links::LineSpan line = links::lineAt(text, static_cast<std::size_t>(cursor.position()));
    cursor.setPosition(static_cast<int>(line.start));
    cursor.setPosition(static_cast<int>(line.start + line.length), QTextCursor::KeepAnchor);
    text_->setTextCursor(cursor);
    address_->setText(QString::fromStdU16String(text.substr(line.start, line.length)));
}

void Tflinks::openAddress() {
    links::openUrl(address_->text().toStdString(), open_, messages_);
}

void Tflinks::showFindDialog() {
    find_->show();
    find_->raise();
    find_->activateWindow();
}

void Tflinks::findNext() {
    const std::u16string needle = find_->findText().toStdU16String();
    const std::u16string text = text_->toPlainText().toStdU16String();
    const auto caret = static_cast<std::size_t>(text_->textCursor().selectionStart());
    if (const auto at = links::findNext(text, caret, needle, find_->options())) {
        QTextCursor cursor = text_->textCursor();
        cursor.setPosition(static_cast<int>(*at));
        cursor.setPosition(static_cast<int>(*at + needle.size()), QTextCursor::KeepAnchor);
        text_->setTextCursor(cursor);
        text_->ensureCursorVisible();
    } else {
        // links::cannotFindNextMessage's text, in the session's language.
        messages_.show(
            MessageIcon::None,
            tr("Cannot find \"%1 \"").arg(QString::fromStdU16String(needle)).toStdString());
    }
    text_->setFocus();
}

void Tflinks::findFirst() {
    const std::u16string needle = find_->findText().toStdU16String();
    const std::u16string text = text_->toPlainText().toStdU16String();
    if (const auto at = links::findFirst(text, needle)) {
        QTextCursor cursor = text_->textCursor();
        cursor.setPosition(static_cast<int>(*at));
        cursor.setPosition(static_cast<int>(*at + needle.size()), QTextCursor::KeepAnchor);
        text_->setTextCursor(cursor);
        text_->ensureCursorVisible();
        return;
    }
    messages_.show(MessageIcon::Information,
                   tr("Cannot find %1").arg(QString::fromStdU16String(needle)).toStdString());
}

bool Tflinks::printTo(QPrinter& printer) {
    return printPlainText(printer, text_->toPlainText(), text_->font());
}

void Tflinks::print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        printTo(printer);
}

void Tflinks::randomBackground() {
    std::uniform_int_distribution<int> colours(0, 0xFFFFFE);
    setRandomBackground(colours(random_));
}

void Tflinks::setRandomBackground(int colour) {
    QPalette palette = text_->palette();
    palette.setColor(QPalette::Base, toQColor(colour));
    palette.setColor(QPalette::Text, toQColor(contrastColour(colour)));
    text_->setPalette(palette);
    setBackground(strip_, toQColor(colour));
}

bool Tflinks::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton)
            selectCurrentLine();
    } else if (watched == text_ && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
            selectCurrentLine();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tflinks::changeEvent(QEvent* event) {
    // The line numbers follow the text only while the window is in use.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !gutterTimer_.isActive())
        gutterTimer_.start();
    QMainWindow::changeEvent(event);
}

void Tflinks::showEvent(QShowEvent* event) {
    refreshStatus();
    statusTimer_.start();
    QMainWindow::showEvent(event);
}

void Tflinks::hideEvent(QHideEvent* event) {
    statusTimer_.stop();
    gutterTimer_.stop();
    QMainWindow::hideEvent(event);
}

void Tflinks::closeEvent(QCloseEvent* event) {
    gutterTimer_.stop();
    find_->hide();
    event->accept();
}

} // namespace trov
