// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/crawl/crawler_panel.h"

#include "app/shared/core_texts.h"
#include "common/messages.h"
#include "crawler/crawl_manners.h"
#include "window_models/crawl_questions.h"

#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <climits>

namespace trov {

namespace {

constexpr int kPanelWidth = 436;
constexpr int kPanelHeight = 96;

int toInt(long v) {
    return static_cast<int>(std::clamp<long>(v, 0, INT_MAX));
}

} // namespace

QString pathEllipsis(const QString& address, const QFontMetrics& metrics, int width) {
    return metrics.elidedText(address, Qt::ElideMiddle, width);
}

CrawlerPanel::CrawlerPanel(Messages& messages, QWidget* parent)
    : QFrame(parent), messages_(messages), mode_(new QLabel(this)), address_(new QLabel(this)),
      counter_(new QLabel(this)), bar_(new QProgressBar(this)),
      stop_(new QPushButton(tr("Stop"), this)), cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("CrawlerPanel"));
    resize(kPanelWidth, kPanelHeight);
    mode_->setGeometry(8, 3, 425, 16);
    QFont bold = mode_->font();
    bold.setBold(true);
    mode_->setFont(bold);
    address_->setTextFormat(Qt::PlainText);
    placeAddress(8, 21, 425);
    counter_->setTextFormat(Qt::PlainText);
    counter_->setGeometry(8, 42, 260, 16);
    bar_->setGeometry(8, 84, 425, 4);
    bar_->setTextVisible(false);
    bar_->setAccessibleName(tr("Crawl progress"));
    setAccessibleName(tr("Crawl progress"));
    stop_->setGeometry(280, 44, 72, 24);
    stop_->hide();
    cancel_->setGeometry(358, 44, 72, 24);
    connect(stop_, &QPushButton::clicked, this, &CrawlerPanel::onStop);
    connect(cancel_, &QPushButton::clicked, this, &CrawlerPanel::onCancel);
    hide();
}

void CrawlerPanel::placeAddress(int left, int top, int width) {
    address_->setGeometry(left, top, width, 18);
    if (!fullAddress_.isEmpty())
        showAddress(fullAddress_);
}

void CrawlerPanel::showAddress(const QString& address) {
    fullAddress_ = address;
    address_->setText(pathEllipsis(address, QFontMetrics(address_->font()), address_->width()));
}

void CrawlerPanel::finish() {
    mode_->clear();
    hide();
}

void CrawlerPanel::robotsKeptOut(std::size_t pages) {
    messages_.show(MessageIcon::Information, formatText(kRobotsKeptOut, {std::to_string(pages)}));
}

void CrawlerPanel::panelShown(bool shown) {
    setVisible(shown);
    if (shown)
        raise();
}

void CrawlerPanel::modeCaption(const std::string& caption) {
    mode_->setText(coreText(caption));
}

void CrawlerPanel::counterText(const std::string& counter) {
    counter_->setText(coreText(counter));
    // A screen reader reads the count with the bar.
    bar_->setAccessibleDescription(counter_->text());
}

void CrawlerPanel::currentAddress(const std::string& address) {
    showAddress(QString::fromStdString(address));
}

void CrawlerPanel::addressShown(bool shown) {
    address_->setVisible(shown);
}

void CrawlerPanel::barShown(bool shown) {
    bar_->setVisible(shown);
}

void CrawlerPanel::barMaximum(long maximum) {
    bar_->setMaximum(toInt(maximum));
}

void CrawlerPanel::barPosition(long position) {
    bar_->setValue(std::min(toInt(position), bar_->maximum()));
}

void CrawlerPanel::onStop() {
    if (askStop(messages_))
        emit stopRequested();
}

void CrawlerPanel::onCancel() {
    switch (askCancel(messages_, partialResults_)) {
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
