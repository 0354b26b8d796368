#include "link/serialusbdevice.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"
#include "tests/support/stdoutcapture.h"
#include "tests/support/wire.h"

#include <QElapsedTimer>
#include <QTest>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

class TestSerialUSBDevice : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openFailure_data();
    void openFailure();
    void bytesWaitingInEachState();
    void secondOpenKeepsPort();
    void exclusiveUse();
    void serialLineSettings();
    void usbModeKeepsLineRate();
    void exchangeBytes();
    void readTimesOut();

private:
    std::unique_ptr<VirtualModuleServer> server;
    QString port() const { return QString::fromStdString(server->devicePath()); }
};

void TestSerialUSBDevice::init()
{
    server = std::make_unique<VirtualModuleServer>();
    QVERIFY(server->start());
}

void TestSerialUSBDevice::cleanup()
{
    server.reset();
}

void TestSerialUSBDevice::openFailure_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such port") << "ttyVURE99"
                                  << "No such file or directory";
    QTest::newRow("absolute path") << "/nonexistent/ttyACM0"
                                   << "No such file or directory";
    QTest::newRow("not a terminal") << "/dev/null"
                                    << "Inappropriate ioctl";
}

void TestSerialUSBDevice::openFailure()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);

    MessageCapture messages;
    StdoutCapture out;
    SerialUSBDevice device(name);
    QVERIFY(!device.open(QIODevice::ReadWrite));
    QCOMPARE(out.text(), QByteArray("could not open: ") + name.toUtf8() + "\n");
    QVERIFY(!device.isOpen());
    QVERIFY(!device.isPortOpen());
    QCOMPARE(device.bytesWaiting(), qint64(0));
    // The cause, for the user who has to fix it.
    QCOMPARE(messages.lines(QtWarningMsg).size(), 1);
    QVERIFY2(messages.lines(QtWarningMsg).first().contains(reason),
             qPrintable(messages.lines(QtWarningMsg).first()));
}

void TestSerialUSBDevice::bytesWaitingInEachState()
{
    SerialUSBDevice device(port());
    QCOMPARE(device.bytesWaiting(), qint64(0)); // never opened
    QVERIFY(device.open(QIODevice::ReadWrite));
    QVERIFY(device.isPortOpen());
    QCOMPARE(device.bytesWaiting(), qint64(0));
    server->sendRaw({1, 2, 3});
    QTRY_COMPARE(device.bytesWaiting(), qint64(3));
    device.close();
    QVERIFY(!device.isPortOpen());
    QVERIFY(device.isOpen()); // the framework's notion of open is not reset by close()
    QCOMPARE(device.bytesWaiting(), qint64(-1));
    device.close(); // closing twice does nothing
    QCOMPARE(device.bytesWaiting(), qint64(-1));
}

void TestSerialUSBDevice::secondOpenKeepsPort()
{
    SerialUSBDevice device(port());
    QVERIFY(device.open(QIODevice::ReadWrite));
    server->sendRaw({7, 7});
    QTRY_COMPARE(device.bytesWaiting(), qint64(2));
    // A reopen would flush these bytes.
    QVERIFY(device.open(QIODevice::ReadWrite));
    QCOMPARE(device.bytesWaiting(), qint64(2));
}

void TestSerialUSBDevice::exclusiveUse()
{
    SerialUSBDevice first(port());
    QVERIFY(first.open(QIODevice::ReadWrite));
    QVERIFY(!SerialUSBDevice::canOpen(port()));

    MessageCapture messages;
    StdoutCapture out;
    SerialUSBDevice second(port());
    QVERIFY(!second.open(QIODevice::ReadWrite));
    QCOMPARE(out.text(), QByteArray("could not open: ") + port().toUtf8() + "\n");
    QVERIFY(messages.contains(QStringLiteral("in use")));

    first.close();
    QVERIFY(SerialUSBDevice::canOpen(port()));
    SerialUSBDevice third(port());
    QVERIFY(third.open(QIODevice::ReadWrite));
}

void TestSerialUSBDevice::serialLineSettings()
{
    // A descriptor opened before the device sees the terminal's settings as the device left them.
    const int observer = ::open(server->devicePath().c_str(), O_RDWR | O_NOCTTY);
    QVERIFY(observer >= 0);
    struct termios before;
    ::tcgetattr(observer, &before);
    before.c_iflag |= IXON | IXOFF | ICRNL | ISTRIP;
    before.c_oflag |= OPOST;
    before.c_lflag |= ICANON | ECHO | ISIG;
    before.c_cflag |= CSTOPB | PARENB | CRTSCTS;
    ::tcsetattr(observer, TCSANOW, &before);

    SerialUSBDevice device(port());
    device.setBaudRate(115200);
    QVERIFY(device.open(QIODevice::ReadWrite));

    struct termios after;
    QCOMPARE(::tcgetattr(observer, &after), 0);
    QCOMPARE(::cfgetospeed(&after), speed_t(B115200));
    QCOMPARE(::cfgetispeed(&after), speed_t(B115200));
    QCOMPARE(after.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(after.c_cflag & (CSTOPB | PARENB | CRTSCTS), tcflag_t(0));
    QCOMPARE(after.c_iflag & (IXON | IXOFF | ICRNL | ISTRIP | INPCK), tcflag_t(0));
    QCOMPARE(after.c_oflag & OPOST, tcflag_t(0));
    QCOMPARE(after.c_lflag & (ICANON | ECHO | ISIG), tcflag_t(0));
    ::close(observer);
}

void TestSerialUSBDevice::usbModeKeepsLineRate()
{
    const int observer = ::open(server->devicePath().c_str(), O_RDWR | O_NOCTTY);
    QVERIFY(observer >= 0);
    struct termios before;
    ::tcgetattr(observer, &before);
    ::cfsetspeed(&before, B4800);
    before.c_cflag |= CSTOPB;
    before.c_iflag |= IXON;
    ::tcsetattr(observer, TCSANOW, &before);

    SerialUSBDevice device(port());
    QVERIFY(device.open(QIODevice::ReadWrite));
    struct termios after;
    ::tcgetattr(observer, &after);
    QCOMPARE(::cfgetospeed(&after), speed_t(B4800));
    QVERIFY(after.c_cflag & CSTOPB);
    QCOMPARE(after.c_iflag & IXON, tcflag_t(0)); // raw all the same
    ::close(observer);
}

void TestSerialUSBDevice::exchangeBytes()
{
    SerialUSBDevice device(port());
    QVERIFY(device.open(QIODevice::ReadWrite));
    // Bytes that look like line-discipline controls must pass unchanged.
    const zeva::Frame request = zeva::assemble(1, 6, 0x0d, 0x11, 0x0a130300);
    QCOMPARE(device.write(reinterpret_cast<const char*>(request.data()), 9), qint64(9));
    QTRY_COMPARE(server->receivedFrames().size(), std::size_t(1));
    QCOMPARE(hexOf(server->receivedFrames().front()), hexOf(request));

    QTRY_COMPARE(device.bytesWaiting(), qint64(9));
    zeva::Frame reply{};
    QCOMPARE(device.read(reinterpret_cast<char*>(reply.data()), 9), qint64(9));
    QCOMPARE(int(reply[3]), 6);
}

void TestSerialUSBDevice::readTimesOut()
{
    SerialUSBDevice device(port());
    device.setBaudRate(9600);
    QVERIFY(device.open(QIODevice::ReadWrite));
    char buffer[9];
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(device.read(buffer, 9), qint64(0));
    // 10 ms plus 1 ms per byte, with room for a loaded machine.
    QVERIFY2(timer.elapsed() >= 15 && timer.elapsed() < 500,
             qPrintable(QString::number(timer.elapsed())));
}

QTEST_GUILESS_MAIN(TestSerialUSBDevice)
#include "tst_serialusbdevice.moc"
