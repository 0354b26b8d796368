#include "app/mainwindow.h"
#include "link/wconnection.h"
#include "link/wserialconnection.h"
#include "panel/vure.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vure"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2 (build %3)")
                                            .arg(MainWindow::VersionMajor)
                                            .arg(MainWindow::VersionMinor)
                                            .arg(MainWindow::BuildNumber));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Configures and watches a brushless-motor controller module."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Connect to the module on <name> at start-up "
                                                 "(ttyACM0, /dev/serial/by-id/..., a path)."),
                                  QStringLiteral("name"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("With --port: a serial line at <rate> bits per "
                                                 "second instead of a USB virtual port."),
                                  QStringLiteral("rate"));
    parser.addOption(port);
    parser.addOption(baud);
    if (!parser.parse(QApplication::arguments())) {
        std::fprintf(stderr, "vure: %s\nTry 'vure --help'.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    int baudrate = 0;
    if (parser.isSet(baud)) {
        bool ok = false;
        baudrate = parser.value(baud).toInt(&ok);
        if (!ok || baudrate <= 0 || !parser.isSet(port)) {
            std::fprintf(stderr, "vure: --baud needs a positive rate and --port\n");
            return 2;
        }
    }
    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "vure: unexpected argument: %s\n",
                     qPrintable(parser.positionalArguments().first()));
        return 2;
    }

    auto* window = new MainWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->resize(800, 500);
    // Taller where the screen has room, so that all three charts show at a readable height.
    if (const QScreen* screen = window->screen()) {
        const int room = screen->availableGeometry().height() - 40;
        window->resize(800, qBound(500, window->fullSize().height(), qMax(500, room)));
    }
    window->show();

    if (parser.isSet(port)) {
        const QString name = parser.value(port);
        // After the window is up, as if the user had chosen the port and pressed Connect.
        QTimer::singleShot(0, window, [window, name, baudrate] {
            VURE* vure = window->centralPanel();
            if (baudrate > 0)
                vure->serialConnection()->connectToPort(name, baudrate);
            else
                vure->usbConnection()->connectToPort(name);
        });
    }
    return app.exec();
}
