// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the screenshot programs share: messages printed rather than shown, the folder the
// pictures go to, and a window's picture taken once it has been drawn.

#include "common/messages.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QWidget>
#include <cstdio>
#include <string>

namespace shots {

struct PrintedMessages : trov::Messages {
    void show(trov::MessageIcon, const std::string& text, bool) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    bool ask(const std::string&) override { return false; }
};

// The folder the first argument names (else the current one), made when missing.
inline QString outputFolder(int argc, char** argv) {
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    return out;
}

// The widget's picture once the events waiting have drawn it.
inline QPixmap drawn(QWidget& widget) {
    QApplication::processEvents();
    QTest::qWait(300);
    return widget.grab();
}

inline bool save(const QPixmap& picture, const QString& path) {
    const bool saved = picture.save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
    return saved;
}

inline bool save(QWidget& window, const QString& path) {
    return save(drawn(window), path);
}

} // namespace shots
