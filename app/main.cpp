// trov: the window program.

#include "app/single_instance.h"
#include "common/version.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(trov::kProductName);
    QApplication::setApplicationVersion(trov::kVersion);

    // A second start hands over to the running program and ends without a window.
    trov::SingleInstance guard;
    if (!guard.acquire())
        return 0;

    QLabel window(QStringLiteral("Trov"));
    window.setWindowTitle(QStringLiteral("Trov"));
    window.resize(458, 80);
    QObject::connect(&guard, &trov::SingleInstance::messageReceived, &window,
                     [&window](const QString& message) {
                         if (message == QLatin1String("toggle") && window.isVisible()) {
                             window.hide();
                             return;
                         }
                         if (message != QLatin1String("front") || window.isVisible()) {
                             window.show();
                             window.raise();
                             window.activateWindow();
                         }
                     });
    window.show();
    return QApplication::exec();
}
