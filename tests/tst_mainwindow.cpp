#include "app/mainwindow.h"
#include "panel/vure.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void titleAndCentralPanel();
    void menus();
    void aboutBox();
    void exitCloses();
};

void TestMainWindow::titleAndCentralPanel()
{
    MainWindow window;
    QCOMPARE(window.windowTitle(), QString("ORBI-VURE-FOC"));
    QVERIFY(window.centralWidget());
    QCOMPARE(window.centralWidget(), static_cast<QWidget*>(window.centralPanel()));
}

void TestMainWindow::menus()
{
    MainWindow window;
    const QList<QAction*> top = window.menuBar()->actions();
    QCOMPARE(top.size(), 2);
    QCOMPARE(top[0]->text(), QString("&File"));
    QCOMPARE(top[1]->text(), QString("&Help"));

    QStringList file;
    for (QAction* action : top[0]->menu()->actions())
        file << (action->isSeparator() ? QString("---") : action->text());
    QCOMPARE(file, (QStringList{"Export settings to *.ini", "Import settings from *.ini", "---",
                                "Export settings to ZEVA", "---", "Store actual values",
                                "Restore actual values", "---", "Exit"}));
    QStringList help;
    for (QAction* action : top[1]->menu()->actions())
        help << action->text();
    QCOMPARE(help, QStringList{"&About"});
    for (QAction* action : top[0]->menu()->actions())
        QVERIFY(action->shortcut().isEmpty());
}

void TestMainWindow::aboutBox()
{
    QCOMPARE(MainWindow::versionText(), QString("ORBI-VURE\nVersion:  \t2.0\nBuild-ID: \t327"));

    MainWindow window;
    QString title, text;
    QTimer::singleShot(0, this, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        }
    });
    window.menuBar()->actions()[1]->menu()->actions()[0]->trigger();
    QCOMPARE(title, QString("About this Version..."));
    QCOMPARE(text, MainWindow::versionText());
}

void TestMainWindow::exitCloses()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.menuBar()->actions()[0]->menu()->actions().last()->trigger();
    QVERIFY(!window.isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
