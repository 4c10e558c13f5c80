#include "app/crawler_panel.h"

#include "app/crawl_questions.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace trov {

namespace {

constexpr int kPanelWidth = 436;
constexpr int kPanelHeight = 96;

} // namespace

QString pathEllipsis(const QString& address, const QFontMetrics& metrics, int width) {
    return metrics.elidedText(address, Qt::ElideMiddle, width);
}

CrawlerPanel::CrawlerPanel(Messages& messages, QWidget* parent)
    : QFrame(parent), messages_(messages), mode_(new QLabel(this)), address_(new QLabel(this)),
      counter_(new QLabel(this)), bar_(new QProgressBar(this)),
      stop_(new QPushButton(QStringLiteral("Stop"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("CrawlerPanel"));
    resize(kPanelWidth, kPanelHeight);
    mode_->setGeometry(8, 3, 425, 16);
    QFont bold = mode_->font();
    bold.setBold(true);
    mode_->setFont(bold);
    address_->setTextFormat(Qt::PlainText);
    placeAddressLabel(8, 21, 425);
    counter_->setTextFormat(Qt::PlainText);
    counter_->setGeometry(8, 42, 260, 16);
    bar_->setGeometry(8, 84, 425, 4);
    bar_->setTextVisible(false);
    stop_->setGeometry(280, 44, 72, 24);
    stop_->hide();
    cancel_->setGeometry(358, 44, 72, 24);
    connect(stop_, &QPushButton::clicked, this, &CrawlerPanel::onStop);
    connect(cancel_, &QPushButton::clicked, this, &CrawlerPanel::onCancel);
    hide();
}

void CrawlerPanel::placeAddressLabel(int left, int top, int width) {
    address_->setGeometry(left, top, width, 18);
    if (!fullAddress_.isEmpty())
        showAddress(fullAddress_);
}

void CrawlerPanel::prepare(const QString& site, const QString& caption) {
    mode_->clear();
    bar_->hide();
    placeAddressLabel(8, 21, 425);
    mode_->move(8, mode_->y());
    counter_->setText(QStringLiteral("Found 0 items"));
    bar_->setValue(0);
    address_->show();
    show();
    showAddress(site + QStringLiteral("...   "));
    mode_->setText(caption);
}

void CrawlerPanel::prepareSubpageCrawl(const QString& site, const QString& caption) {
    prepare(site, caption);
    placeAddressLabel(8, 21, 370);
    bar_->show();
}

void CrawlerPanel::enterFetchPhase(int maximum) {
    placeAddressLabel(8, 19, 370);
    bar_->setRange(0, std::max(0, maximum));
    bar_->show();
}

void CrawlerPanel::showAddress(const QString& address) {
    fullAddress_ = address;
    address_->setText(pathEllipsis(address, QFontMetrics(address_->font()), address_->width()));
}

void CrawlerPanel::setCounter(const QString& text) {
    counter_->setText(text);
}

void CrawlerPanel::setProgress(int value, int maximum) {
    bar_->setRange(0, std::max(0, maximum));
    bar_->setValue(std::clamp(value, 0, std::max(0, maximum)));
}

void CrawlerPanel::finish() {
    mode_->clear();
    hide();
}

void CrawlerPanel::onStop() {
    if (askStop(messages_))
        emit stopRequested();
}

void CrawlerPanel::onCancel() {
    switch (askCancel(messages_)) {
    case CancelAnswer::Stop:
        emit stopRequested();
        break;
    case CancelAnswer::Cancel:
        emit cancelRequested();
        break;
    case CancelAnswer::KeepGoing:
        break;
    }
}

} // namespace trov
