#include "sim/virtualmoduleserver.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

// The tool started as a user starts it.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void portConnectsAfterStart_data();
    void portConnectsAfterStart();
    void badOptions_data();
    void badOptions();
    void version();

private:
    static QString program() { return qEnvironmentVariable("VURE_APP"); }
};

void TestCommandLine::portConnectsAfterStart_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("usb") << QStringList{} << "Debug: opening usb device:  \"";
    QTest::newRow("serial") << QStringList{"--baud", "115200"}
                            << "Debug: baudrate:  115200    address:  1 ";
}

void TestCommandLine::portConnectsAfterStart()
{
    QFETCH(QStringList, extra);
    QFETCH(QString, firstLine);

    VirtualModuleServer server;
    QVERIFY(server.start());
    QProcess vure;
    vure.start(program(),
               QStringList{"--port", QString::fromStdString(server.devicePath())} + extra);
    QVERIFY(vure.waitForStarted());
    QByteArray output;
    QElapsedTimer timer;
    timer.start();
    while (!output.contains("opening usb device") && timer.elapsed() < 20000) {
        vure.waitForReadyRead(200);
        output += vure.readAllStandardOutput();
    }
    vure.kill();
    vure.waitForFinished();
    QVERIFY2(output.contains(firstLine.toUtf8()), output.constData());
    QVERIFY(output.contains(QByteArray("opening usb device:  \"") + server.devicePath().c_str()));
    // The start-up lines come first: nothing is opened during construction.
    QVERIFY(output.indexOf("TraceCommand->size(): ") < output.indexOf("opening usb device"));
}

void TestCommandLine::badOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown") << QStringList{"--bogus"} << "Unknown option 'bogus'";
    QTest::newRow("baud without port") << QStringList{"--baud", "9600"} << "--baud needs";
    QTest::newRow("bad rate") << QStringList{"--port", "x", "--baud", "fast"} << "--baud needs";
    QTest::newRow("positional") << QStringList{"extra"} << "unexpected argument: extra";
}

void TestCommandLine::badOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QProcess vure;
    vure.start(program(), arguments);
    QVERIFY(vure.waitForFinished(20000));
    QCOMPARE(vure.exitStatus(), QProcess::NormalExit);
    QCOMPARE(vure.exitCode(), 2);
    QVERIFY2(vure.readAllStandardError().contains(message.toUtf8()), qPrintable(message));
}

void TestCommandLine::version()
{
    QProcess vure;
    vure.start(program(), {"--version"});
    QVERIFY(vure.waitForFinished(20000));
    QCOMPARE(vure.exitCode(), 0);
    QVERIFY(vure.readAllStandardOutput().contains("2.0 (build 327)"));
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
