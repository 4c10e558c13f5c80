// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/about_dialog.h"

#include "common/version.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

namespace trov {

QString versionText(const char* version) {
    QStringList parts = QString::fromLatin1(version).split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    while (parts.size() > 4)
        parts.removeLast();
    for (QString& p : parts) {
        p = QString::number(p.toUInt());
    }
    return AboutDialog::tr("Version %1").arg(parts.join(QLatin1Char('.')));
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Trov"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);

    auto* name = new QLabel(QString::fromLatin1(kProductName), this);
    name->setObjectName(QStringLiteral("productName"));
    QFont big = name->font();
    big.setPixelSize(22);
    big.setBold(true);
    name->setFont(big);

    auto* version = new QLabel(versionText(kVersion), this);
    version->setObjectName(QStringLiteral("version"));

    const QString url = QString::fromLatin1(kProductUrl);
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(url.toHtmlEscaped()), this);
    link->setObjectName(QStringLiteral("link"));
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(true);
    link->setAccessibleName(tr("The product's web site"));

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(link);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

} // namespace trov
