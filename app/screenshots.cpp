// vure-screenshots: the window on every tab, connected to a virtual module, grabbed to PNG files
// in the directory given (default: screenshots/). Run with QT_QPA_PLATFORM=offscreen.
#include "app/mainwindow.h"
#include "link/wconnection.h"
#include "monitor/wtracecontroller.h"
#include "panel/vure.h"
#include "sim/virtualmoduleserver.h"
#include "widgets/wvelocitycontrol.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <cstdio>

static void settle(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString directory = app.arguments().value(1, QStringLiteral("screenshots"));
    QDir().mkpath(directory);

    VirtualModuleServer server;
    std::string error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "cannot start the virtual module: %s\n", error.c_str());
        return 1;
    }

    MainWindow window;
    window.resize(window.fullSize());
    window.show();
    settle(100);
    window.centralPanel()->usbConnection()->connectToPort(
        QString::fromStdString(server.devicePath()));
    settle(100);

    QTabWidget* tabs = nullptr;
    for (QTabWidget* candidate : window.findChildren<QTabWidget*>())
        if (candidate->count() == 6)
            tabs = candidate;
    if (!tabs)
        return 1;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        settle(100);
        const QString name = tabs->tabText(i).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        const QString file = QStringLiteral("%1/tab-%2-%3.png").arg(directory).arg(i + 1).arg(name);
        if (!window.grab().save(file))
            return 1;
        std::printf("%s\n", qPrintable(file));
    }

    // Polling the virtual motor through a velocity move: up, down and back.
    tabs->setCurrentIndex(3);
    auto* velocity = window.findChild<WVelocityControl*>();
    auto* trace = window.findChild<WTraceController*>();
    trace->findChild<QSpinBox*>(QStringLiteral("sbDelay"))->setValue(200);
    trace->findChild<QPushButton*>(QStringLiteral("btnStart"))->click();
    velocity->findChild<QSpinBox*>(QStringLiteral("sbTargetVelocity"))->setValue(1500);
    velocity->findChild<QPushButton*>(QStringLiteral("btnRight"))->click();
    settle(4000);
    velocity->findChild<QPushButton*>(QStringLiteral("btnLeft"))->click();
    settle(5000);
    velocity->findChild<QPushButton*>(QStringLiteral("btnStop"))->click();
    settle(3000);
    const QString file = directory + QStringLiteral("/polling-velocity-move.png");
    if (!window.grab().save(file))
        return 1;
    trace->findChild<QPushButton*>(QStringLiteral("btnStop"))->click();
    std::printf("%s\n", qPrintable(file));
    return 0;
}
