#pragma once

// `CrawlerPanel`, the crawl's progress panel: the mode caption, the current address
// shortened with a path ellipsis, the counter, a thin progress bar, and "Stop" (hidden)
// and "Cancel" with their questions. It only shows what the crawl reports and asks; the
// crawl itself runs elsewhere.

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

class CrawlerPanel : public QFrame {
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

    // `CrawlerPanelParams`, for the site and list crawls: caption cleared, bar hidden,
    // address label at (8, 21) 425 wide, "Found 0 items", the panel shown with the site
    // followed by "...   ", then the mode caption.
    void prepare(const QString& site, const QString& caption);
    // The sub-page crawl's own preparation: the address label 370 wide, the bar shown.
    void prepareSubpageCrawl(const QString& site, const QString& caption);
    // The site crawl's fetch phase: label 370 wide at top 19, the bar shown.
    void enterFetchPhase(int maximum);

    void placeAddressLabel(int left, int top, int width);
    void showAddress(const QString& address);
    void setCounter(const QString& text);
    void setProgress(int value, int maximum);
    void finish(); // caption cleared, panel hidden

signals:
    void stopRequested();   // StopRequested: finish with partial results
    void cancelRequested(); // CancelRequested: abandon, clear the LinkList

private:
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
};

} // namespace trov
