// The "More engines" submenu: its entries, a search from it and by keyword, and the file
// read again when it is replaced on disk.

#include "app/more_engines_menu.h"
#include "main_form_fixture.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <cstdio>

using namespace trov;
using namespace trov::test;

class OwnEnginesTest : public QObject {
    Q_OBJECT

    static QStringList texts(const QMenu* menu) {
        QStringList t;
        for (const QAction* a : menu->actions())
            t << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return t;
    }

private slots:
    void menuRunsEnginesAndFollowsTheFile() {
        MainFormFixture f;
        f.writeCfg("[App]\r\nstart=0\r\n[Pin]\r\nPrviZagon=0\r\n");
        f.dir().write("engines.cfg", "[Code & more]\nKey=cs\nAddress=https://c/?q={query}\n"
                                     "[Bad]\nKey=b\n");
        TMainForm& w = f.create();
        MoreEnginesMenu& more = w.moreEngines();
        QCOMPARE(texts(more.menu()),
                 (QStringList{QStringLiteral("Code && more\tcs"), QStringLiteral("-"),
                              QStringLiteral("Edit engines...")}));
        QCOMPARE(f.messages.shown.size(), std::size_t(1));
        QCOMPARE(
            f.messages.shown[0].text,
            std::string("These sections of engines.cfg were skipped:\r\n\r\n[Bad]: no Address"));

        // Chosen from the menu, and by its key with Go.
        w.widgets().eURL->setText(QStringLiteral("borrow"));
        more.menu()->actions().at(0)->trigger();
        w.widgets().eURL->setText(QStringLiteral("CS borrow checker"));
        QTest::mouseClick(w.widgets().xiGO, Qt::LeftButton);
        using L = platform::RecordingLauncher::Launch;
        QCOMPARE(f.launcher.launches, (std::vector<L>{{"https://c/?q=borrow", ""},
                                                      {"https://c/?q=borrow+checker", ""}}));

        // An editor's save replaces the file.
        f.dir().write("engines.new", "[Wiki]\nAddress=https://w/{words}\n[Bad]\nKey=b\n");
        QCOMPARE(
            std::rename(f.dir().file("engines.new").c_str(), f.dir().file("engines.cfg").c_str()),
            0);
        QTRY_COMPARE(texts(more.menu()).first(), QStringLiteral("Wiki"));
        QCOMPARE(f.messages.shown.size(), std::size_t(2));

        std::remove(f.dir().file("engines.cfg").c_str());
        QTRY_COMPARE(texts(more.menu()), QStringList{QStringLiteral("Edit engines...")});
        more.editAction()->trigger();
        QCOMPARE(f.launcher.launches.back(), (L{f.dir().file("engines.cfg"), ""}));
        QVERIFY(QFile::exists(QString::fromStdString(f.dir().file("engines.cfg"))));
    }
};

QTEST_MAIN(OwnEnginesTest)
#include "own_engines_test.moc"
