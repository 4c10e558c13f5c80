// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// `CrawlerPanel`, the crawl's progress panel: the mode caption, the current address
// shortened with a path ellipsis, the counter, a thin progress bar, and "Stop" (hidden)
// and "Cancel" with their questions. It only shows what the crawl reports and asks; the
// crawl itself runs elsewhere and hands its progress events to the window thread.

#include "crawler/crawl_progress.h"

#include <QFrame>
#include <QString>

class QFontMetrics;
class QLabel;
class QProgressBar;
class QPushButton;

namespace trov {

class Messages;

// The address as it fits width pixels: the middle of the path gives way to an ellipsis.
QString pathEllipsis(const QString& address, const QFontMetrics& metrics, int width);

class CrawlerPanel : public QFrame, public CrawlProgress {
    Q_OBJECT
public:
    CrawlerPanel(Messages& messages, QWidget* parent = nullptr);

    QLabel* modeCaption() const { return mode_; }
    QLabel* addressLabel() const { return address_; }
    QLabel* counterLabel() const { return counter_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* stopButton() const { return stop_; }
    QPushButton* cancelButton() const { return cancel_; }
    // The full address last shown, before shortening.
    const QString& fullAddress() const { return fullAddress_; }

    void finish(); // caption cleared, panel hidden
    // Whether Cancel offers partial results: a crawl has them, a link check has none.
    void setPartialResults(bool offered) { partialResults_ = offered; }

    // The crawl's progress events, on the window thread.
    void panelShown(bool shown) override;
    void modeCaption(const std::string& caption) override;
    void counterText(const std::string& counter) override;
    void currentAddress(const std::string& address) override;
    void addressShown(bool shown) override;
    void placeAddress(int left, int top, int width) override;
    void barShown(bool shown) override;
    void barMaximum(long maximum) override;
    void barPosition(long position) override;
    // Told in a box: the panel is gone by then.
    void robotsKeptOut(std::size_t pages) override;

signals:
    void stopRequested();   // StopRequested: finish with partial results
    void cancelRequested(); // CancelRequested: abandon, clear the LinkList

private:
    void showAddress(const QString& address);
    void onStop();
    void onCancel();

    Messages& messages_;
    QLabel* mode_;
    QLabel* address_;
    QLabel* counter_;
    QProgressBar* bar_;
    QPushButton* stop_;
    QPushButton* cancel_;
    QString fullAddress_;
    bool partialResults_ = true;
};

} // namespace trov
