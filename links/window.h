// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The links viewer: collected link addresses as read-only text with line numbers, a
// status bar, find, copy and print, and the address box from which one link opens. It is
// created hidden and shown on demand; closing it only hides it.

#include "common/messages.h"
#include "links/gutter.h"
#include "links/open_url.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <random>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPrinter;
class QPushButton;

namespace trov {

class FindDialog;

class Tflinks : public QMainWindow {
    Q_OBJECT
public:
    // open hands an address to the desktop's default handler; messages shows the boxes.
    Tflinks(Messages& messages, links::OpenAddress open, QWidget* parent = nullptr);
    ~Tflinks() override;

    // The text the crawler, "Import list of links" and the list loader give the viewer.
    void setLinksText(const QString& text);
    void clearLinks();
    QString linksText() const;
    // Clears the text, sets the caption, appends one address per line and shows the window.
    void showLinks(const QString& caption, const QStringList& addresses);

    // File ▸ "Import" and "Export" run the main window's commands.
    void setImportCommand(std::function<void()> command) { import_ = std::move(command); }
    void setExportCommand(std::function<void()> command) { export_ = std::move(command); }

    // A click in the text or releasing Up or Down: the caret's whole line is selected and
    // copied into the address box.
    void selectCurrentLine();
    // "Open URL".
    void openAddress();
    // One "Find Next" of the find dialog, and the hidden F3 entry.
    void findNext();
    void findFirst();
    void showFindDialog();
    // Prints the whole text on printer (File ▸ "Print" after its dialog).
    bool printTo(QPrinter& printer);
    // Ctrl+Alt+R with a value from 0 to 0xFFFFFE.
    void setRandomBackground(int colour);

    // The timers' work, callable at once.
    void refreshGutter();
    void refreshStatus();

    QPlainTextEdit* textArea() const { return text_; }
    QLineEdit* addressBox() const { return address_; }
    FindDialog* findDialog() const { return find_; }
    QLabel* lineCell() const { return lineCell_; }
    QLabel* columnCell() const { return columnCell_; }
    QLabel* sizeCell() const { return sizeCell_; }
    QLabel* gutterLabel(std::size_t index) const { return labels_.at(index); }
    QWidget* strip() const { return strip_; }
    const QTimer& gutterTimer() const { return gutterTimer_; }
    const QTimer& statusTimer() const { return statusTimer_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildMenus();
    QWidget* buildTopBar();
    QWidget* buildGutter();
    void buildStatusBar();
    void textChanged();
    void print();
    void randomBackground();

    Messages& messages_;
    links::OpenAddress open_;
    std::function<void()> import_;
    std::function<void()> export_;

    QPlainTextEdit* text_ = nullptr;
    QLineEdit* address_ = nullptr;
    QWidget* gutter_ = nullptr;
    QWidget* strip_ = nullptr;
    std::vector<QLabel*> labels_;
    QLabel* lineCell_ = nullptr;
    QLabel* columnCell_ = nullptr;
    QLabel* sizeCell_ = nullptr;
    FindDialog* find_ = nullptr;

    links::LineGutter numbers_{0};
    std::size_t lines_ = 0;
    QTimer gutterTimer_;
    QTimer statusTimer_;
    std::mt19937 random_;
};

} // namespace trov
