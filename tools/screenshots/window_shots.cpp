// SPDX-License-Identifier: GPL-3.0-or-later
// trov-window-shots: shows the links viewer after a link extraction and the recent colours
// window with sample data and saves a picture of each, for the README.

#include "appearance/colour.h"
#include "appearance/recent_colours.h"
#include "appearance/recent_window.h"
#include "crawler/results.h"
#include "links/window.h"
#include "tools/screenshots/shots.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = shots::outputFolder(argc, argv);
    shots::PrintedMessages messages;

    trov::Tflinks viewer(messages, {});
    QStringList links;
    const char* paths[] = {"",         "about/",   "blog/",        "blog/first-post",
                           "contact/", "docs/",    "docs/install", "docs/usage",
                           "download", "faq/",     "news/2024/",   "news/2025/",
                           "privacy",  "pricing/", "support/",     "terms"};
    for (const char* path : paths)
        links << QStringLiteral("https://www.example.com/") + QLatin1String(path);
    const std::string caption = trov::linksCaption(true, "www.example.com");
    viewer.showLinks(QString::fromStdString(caption), links);
    QPlainTextEdit* text = viewer.textArea();
    text->setTextCursor(QTextCursor(text->document()->findBlockByNumber(5)));
    viewer.selectCurrentLine();
    viewer.refreshStatus();
    bool ok = shots::save(viewer, out + QStringLiteral("/links-viewer.png"));

    QTemporaryDir data;
    shots::PrintedMessages recentMessages;
    trov::Config config(data.filePath(QStringLiteral("YY.cfg")).toStdString());
    trov::RecentColours recent(data.filePath(QStringLiteral("Trov.lst")).toStdString(),
                               recentMessages);
    trov::TfRecent window(recent, {});
    window.open(false, {}, config);
    const int samples[] = {trov::colourValue(200, 217, 225), trov::colourValue(52, 101, 164),
                           trov::colourValue(245, 121, 0),   trov::colourValue(78, 154, 6),
                           trov::colourValue(117, 80, 123),  trov::colourValue(237, 212, 0),
                           trov::colourValue(46, 52, 54),    trov::colourValue(204, 0, 0),
                           trov::colourValue(136, 138, 133), trov::colourValue(114, 159, 207),
                           trov::colourValue(252, 233, 79),  trov::colourValue(173, 127, 168)};
    for (auto it = std::rbegin(samples); it != std::rend(samples); ++it)
        recent.Nalozi(*it);
    window.show();
    ok = shots::save(window, out + QStringLiteral("/recent-colours.png")) && ok;
    return ok ? 0 : 1;
}
