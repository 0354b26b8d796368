// vure-screenshots: the window on every tab, connected to a virtual module, grabbed to PNG files
// in the directory given (default: screenshots/). Run with QT_QPA_PLATFORM=offscreen.
#include "app/mainwindow.h"
#include "link/wconnection.h"
#include "panel/vure.h"
#include "sim/virtualmoduleserver.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
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
    window.resize(800, 500);
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
    return 0;
}
