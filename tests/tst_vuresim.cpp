#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "tests/support/messagecapture.h"

#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestVureSim : public QObject
{
    Q_OBJECT

private slots:
    void servesUntilTerminated();
    void hangUpEndsProgram();
    void badArgument();

private:
    static QString program() { return qEnvironmentVariable("VURE_SIM"); }
    static QString startAndReadPath(QProcess& process, const QStringList& arguments);
};

QString TestVureSim::startAndReadPath(QProcess& process, const QStringList& arguments)
{
    process.start(program(), arguments);
    if (!process.waitForStarted() || !process.waitForReadyRead(5000))
        return {};
    return QString::fromUtf8(process.readLine()).trimmed();
}

void TestVureSim::servesUntilTerminated()
{
    QTemporaryDir dir;
    const QString link = dir.filePath("module");
    QProcess sim;
    const QString path = startAndReadPath(sim, {"--link", link});
    QVERIFY(path.startsWith("/dev/pts/"));
    QCOMPARE(QFileInfo(link).symLinkTarget(), path);

    MessageCapture messages;
    SerialUSBCommandHandler handler;
    handler.setDevice(new SerialUSBDevice(link));
    handler.open();
    QSignalSpy values(&handler, &SerialUSBCommandHandler::requestedValue);
    handler.requestValue(0, char(253));
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.at(0).at(2).toInt(), 8);
    handler.close();

    sim.terminate();
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(link) && !QFileInfo(link).isSymLink());
}

void TestVureSim::hangUpEndsProgram()
{
    QProcess sim;
    const QString path = startAndReadPath(sim, {"--hangup-after", "1"});
    QVERIFY(!path.isEmpty());
    MessageCapture messages;
    SerialUSBCommandHandler handler;
    handler.setDevice(new SerialUSBDevice(path));
    handler.open();
    handler.requestValue(0, 4);
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 0);
}

void TestVureSim::badArgument()
{
    QProcess sim;
    sim.start(program(), {"--delay", "soon"});
    QVERIFY(sim.waitForFinished(5000));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardError().contains("bad argument: --delay"));
}

QTEST_GUILESS_MAIN(TestVureSim)
#include "tst_vuresim.moc"
