// trov: the window program.

#include "common/version.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(trov::kProductName);
    QApplication::setApplicationVersion(trov::kVersion);
    QLabel window(QStringLiteral("Trov"));
    window.setWindowTitle(QStringLiteral("Trov"));
    window.resize(458, 80);
    window.show();
    return QApplication::exec();
}
