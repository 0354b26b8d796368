#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"
#include "tests/support/stdoutcapture.h"
#include "tests/support/wire.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

using Faults = VirtualModuleServer::Faults;

class TestSerialUSBCommandHandler : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void readExchangeAndDiagnostics();
    void eachSlot_data();
    void eachSlot();
    void traceValues();
    void silentModuleDuringTrace();
    void noDevice();
    void closeWithoutDevice();
    void openAndCloseLines();
    void failedOpenTimesOut();
    void wrongChecksumRejected();
    void strayBytesNeverBecomeAValue();
    void invalidReplyDropped();
    void staleBytesDiscarded();
    void hangUpClosesLink();
    void replacedDeviceReleased();

private:
    void connectHandler(const Faults& faults = {});
    QString port() const { return QString::fromStdString(server->devicePath()); }

    std::unique_ptr<VirtualModuleServer> server;
    std::unique_ptr<SerialUSBCommandHandler> handler;
    std::unique_ptr<MessageCapture> messages;
};

void TestSerialUSBCommandHandler::init()
{
    messages = std::make_unique<MessageCapture>();
    server = std::make_unique<VirtualModuleServer>();
    server->freezeMotor(true); // live values hold still while the link is examined
    QVERIFY(server->start());
    handler = std::make_unique<SerialUSBCommandHandler>();
}

void TestSerialUSBCommandHandler::cleanup()
{
    handler.reset();
    server.reset();
    messages.reset();
}

void TestSerialUSBCommandHandler::connectHandler(const Faults& faults)
{
    server->setFaults(faults);
    handler->setDevice(new SerialUSBDevice(port()));
    handler->open();
    QVERIFY(handler->isDeviceOpen());
    messages->clear();
}

void TestSerialUSBCommandHandler::readExchangeAndDiagnostics()
{
    connectHandler();
    server->module().setParameter(0, 3, 42);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);

    handler->requestValue(0, 3);

    QCOMPARE(server->receivedFrames().size(), std::size_t(1));
    QCOMPARE(hexOf(server->receivedFrames().at(0)), QString("01 06 03 00 00 00 00 00 0A"));
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.at(0),
             (QVariantList{QVariant::fromValue(char(0)), QVariant::fromValue(char(3)), 42}));
    QCOMPARE(messages->lines(),
             (QStringList{
                 "\"ZEVARequest[1, 6, 3, 0, 0, 10]\" ",
                 "\"ZEVARequest[0x001, 0x006, 0x003, 0x000, 0x000, 0x000, 0x000, 0x000, 0x010]\" ",
                 "\"ZEVAUSBReply[0x002, 0x001, 0x100, 0x006, 0x042, 0x000, 0x000, 0x000, 0x151]\" ",
                 "\"ZEVAUSBReply[2, 1, 100, 6, 42, 151]\" ",
             }));
}

void TestSerialUSBCommandHandler::eachSlot_data()
{
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QString>("outcome");

    QTest::newRow("changeValue") << "changeValue(0, 4, 1000)"
                                 << "01 05 04 00 00 00 03 E8 F5"
                                 << "requestedValue(0, 4, 1000)";
    // The signal carries the module's answer, not the value requested.
    QTest::newRow("changeValue clamped by module") << "changeValue(0, 146, 5)"
                                                   << "01 05 92 00 00 00 00 05 9D"
                                                   << "requestedValue(0, 146, 1)";
    QTest::newRow("changeValue 253") << "changeValue(0, 253, 8)"
                                     << "01 05 FD 00 00 00 00 08 0B"
                                     << "requestedValue(0, 253, 8)";
    QTest::newRow("doMove") << "doMove(0, 4, 0, 5000)"
                            << "01 04 00 00 00 00 13 88 A0"
                            << "reply:  \"5000\" ";
    QTest::newRow("doRequest unknown command") << "doRequest(1, 2, 0, 500)"
                                               << "01 01 02 00 00 00 01 F4 F9"
                                               << "requestResult(0, 1, 2, 0)";
    QTest::newRow("doRequest bank 200") << "doRequest(6, 253, 200, 0)"
                                        << "01 06 FD C8 00 00 00 00 CC"
                                        << "requestResult(200, 6, 100, 8)";
}

void TestSerialUSBCommandHandler::eachSlot()
{
    QFETCH(QString, call);
    QFETCH(QString, wire);
    QFETCH(QString, outcome);

    connectHandler();
    QStringList emitted;
    auto byte = [](char c) { return QString::number(quint8(c)); };
    connect(
        handler.get(), &SerialUSBCommandHandler::requestedValue, this,
        [&](char bank, char type, int value) {
            emitted << QString("requestedValue(%1, %2, %3)").arg(byte(bank), byte(type)).arg(value);
        });
    connect(handler.get(), &SerialUSBCommandHandler::requestResult, this,
            [&](char bank, char command, char status, int value) {
                emitted << QString("requestResult(%1, %2, %3, %4)")
                               .arg(byte(bank), byte(command), byte(status))
                               .arg(value);
            });

    const QStringList args = call.section('(', 1).chopped(1).split(", ");
    auto arg = [&](int i) { return args.at(i).toInt(); };
    const QString name = call.section('(', 0, 0);
    if (name == "changeValue")
        handler->changeValue(char(arg(0)), char(arg(1)), arg(2));
    else if (name == "doMove")
        handler->doMove(char(arg(0)), char(arg(1)), char(arg(2)), arg(3));
    else
        handler->doRequest(char(arg(0)), char(arg(1)), char(arg(2)), arg(3));

    QCOMPARE(server->receivedFrames().size(), std::size_t(1));
    QCOMPARE(hexOf(server->receivedFrames().at(0)), wire);
    if (name == "doMove") {
        QVERIFY(emitted.isEmpty());
        QCOMPARE(messages->lines().last(), outcome);
    } else {
        QCOMPARE(emitted, QStringList{outcome});
    }
}

void TestSerialUSBCommandHandler::traceValues()
{
    connectHandler();
    server->module().setParameter(0, 1, -5);
    QList<char> types{3, 13, 1, char(156)};
    QSignalSpy trace(handler.get(), &SerialUSBCommandHandler::requestedTraceValue);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);

    handler->requestTraceValues(0, &types);

    QCOMPARE(trace.size(), 4);
    QCOMPARE(values.size(), 0);
    QCOMPARE(trace.at(2).at(1).value<char>(), char(1));
    QCOMPARE(trace.at(2).at(2).toInt(), -5);
    QCOMPARE(trace.at(3).at(1).value<char>(), char(156));
    QCOMPARE(trace.at(3).at(2).toInt(), (1 << 15) | (1 << 9));
    QCOMPARE(hexOf(server->receivedFrames().at(3)), QString("01 06 9C 00 00 00 00 00 A3"));
}

void TestSerialUSBCommandHandler::silentModuleDuringTrace()
{
    Faults faults;
    faults.silent = true;
    connectHandler(faults);
    QList<char> types{3, 13, 1};
    QSignalSpy trace(handler.get(), &SerialUSBCommandHandler::requestedTraceValue);
    QList<qint64> closedAt;
    QElapsedTimer timer;
    connect(handler.get(), &SerialUSBCommandHandler::deviceClosed, this,
            [&] { closedAt << timer.elapsed(); });

    timer.start();
    handler->requestTraceValues(0, &types);

    QCOMPARE(closedAt.size(), 3);
    QVERIFY2(closedAt[0] >= 450 && closedAt[0] < 1500, qPrintable(QString::number(closedAt[0])));
    QVERIFY(closedAt[2] - closedAt[0] < 100); // the others fail at once
    QCOMPARE(trace.size(), 0);
    QCOMPARE(server->receivedFrames().size(), std::size_t(1));
    QCOMPARE(messages->count("SerialUSBCommandHandler: communicationTimeouted! "), 1);
    QCOMPARE(messages->count("could not send data: is device opened? "), 2);
    QVERIFY(!handler->isDeviceOpen());
}

void TestSerialUSBCommandHandler::noDevice()
{
    QSignalSpy closed(handler.get(), &SerialUSBCommandHandler::deviceClosed);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    QElapsedTimer timer;
    timer.start();
    handler->requestValue(0, 3);
    QVERIFY(timer.elapsed() < 100);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(values.size(), 0);
    QCOMPARE(messages->lines().last(), QString("could not send data: is device opened? "));
    QVERIFY(!handler->isDeviceOpen());
}

void TestSerialUSBCommandHandler::closeWithoutDevice()
{
    handler->close();
    QCOMPARE(messages->lines(), QStringList{"could not close usb device! "});
}

void TestSerialUSBCommandHandler::openAndCloseLines()
{
    handler->setDevice(new SerialUSBDevice(port()));
    handler->open();
    handler->close();
    QCOMPARE(messages->lines(), (QStringList{"opening usb device:  \"" + port() + "\" ",
                                             "closing usb device:  \"" + port() + "\" "}));
    QVERIFY(!handler->isDeviceOpen());

    // A closed device answers at once: nothing sent, no wait.
    QSignalSpy closed(handler.get(), &SerialUSBCommandHandler::deviceClosed);
    QElapsedTimer timer;
    timer.start();
    handler->requestValue(0, 3);
    QVERIFY(timer.elapsed() < 100);
    QCOMPARE(closed.size(), 1);
    QVERIFY(server->receivedFrames().empty());
}

void TestSerialUSBCommandHandler::failedOpenTimesOut()
{
    StdoutCapture out;
    handler->setDevice(new SerialUSBDevice("ttyVURE98"));
    handler->open();
    QSignalSpy closed(handler.get(), &SerialUSBCommandHandler::deviceClosed);
    handler->requestValue(0, 3);
    // Once for the request that could not be sent, once for the reply that never came.
    QCOMPARE(closed.size(), 2);
    QVERIFY(messages->contains("communicationTimeouted!"));
}

void TestSerialUSBCommandHandler::wrongChecksumRejected()
{
    Faults faults;
    faults.corruptChecksumEvery = 2;
    connectHandler(faults);
    server->module().setParameter(0, 253, 8);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    QSignalSpy closed(handler.get(), &SerialUSBCommandHandler::deviceClosed);

    handler->requestValue(0, char(253));
    QCOMPARE(values.size(), 1);
    handler->requestValue(0, char(253)); // its reply arrives corrupted
    QCOMPARE(values.size(), 1);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(messages->lines(QtWarningMsg).size(), 1);
    QVERIFY(messages->lines(QtWarningMsg)
                .first()
                .startsWith("SerialUSBCommandHandler: reply with wrong checksum dropped: "
                            "\"ZEVAUSBReply[0x002, "));
}

void TestSerialUSBCommandHandler::strayBytesNeverBecomeAValue()
{
    Faults faults;
    faults.strayBytes = 2;
    connectHandler(faults);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    handler->requestValue(0, 4);
    QCOMPARE(values.size(), 0);
    QVERIFY(messages->contains("wrong checksum"));
}

void TestSerialUSBCommandHandler::invalidReplyDropped()
{
    Faults faults;
    faults.strayBytes = 9; // a whole frame of noise, then the reply
    connectHandler(faults);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    handler->requestValue(0, 4);
    QCOMPARE(values.size(), 0); // 0x5A noise: checksum wrong, dropped with the reply behind it

    faults = {};
    faults.invalidReplyEvery = 1;
    connectHandler(faults);
    QSignalSpy closed(handler.get(), &SerialUSBCommandHandler::deviceClosed);
    handler->requestValue(0, 4);
    QCOMPARE(values.size(), 0);
    QCOMPARE(closed.size(), 1);
    QVERIFY(messages->lines(QtWarningMsg).isEmpty()); // dropped without a word
}

void TestSerialUSBCommandHandler::staleBytesDiscarded()
{
    connectHandler();
    server->module().setParameter(0, 4, 1500);
    // A well-formed reply carrying 999, left over from nobody knows what.
    const zeva::Frame stale = zeva::assemble(2, 1, 100, 6, 999);
    server->sendRaw(std::vector<std::uint8_t>(stale.begin(), stale.end()));
    QTRY_COMPARE(handler->currentDevice()->bytesWaiting(), qint64(9));

    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    handler->requestValue(0, 4);
    QCOMPARE(values.size(), 1);
    QCOMPARE(values.at(0).at(2).toInt(), 1500);
    QCOMPARE(messages->count("SerialUSBCommandHandler: discarding stale bytes: 9 "), 1);
}

void TestSerialUSBCommandHandler::hangUpClosesLink()
{
    Faults faults;
    faults.hangUpAfter = 1;
    connectHandler(faults);
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    QSignalSpy closed(handler.get(), &SerialUSBCommandHandler::deviceClosed);
    handler->requestValue(0, 4);
    QCOMPARE(values.size(), 1);
    QTRY_VERIFY(server->hungUp());

    QElapsedTimer timer;
    timer.start();
    handler->requestValue(0, 4);
    QVERIFY2(timer.elapsed() < 200, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(closed.size(), 1);
    QVERIFY(!handler->isDeviceOpen());
    QVERIFY(messages->contains("SerialUSBCommandHandler: connection lost on \"" + port() + "\""));

    handler->requestValue(0, 4);
    QCOMPARE(closed.size(), 2);
    QCOMPARE(messages->lines().last(), QString("could not send data: is device opened? "));
}

void TestSerialUSBCommandHandler::replacedDeviceReleased()
{
    connectHandler();
    QVERIFY(!SerialUSBDevice::canOpen(port()));
    handler->setDevice(new SerialUSBDevice(port()));
    QVERIFY(SerialUSBDevice::canOpen(port()));
    handler->open();
    QVERIFY(handler->isDeviceOpen());
    QSignalSpy values(handler.get(), &SerialUSBCommandHandler::requestedValue);
    handler->requestValue(0, 6);
    QCOMPARE(values.size(), 1);
}

QTEST_GUILESS_MAIN(TestSerialUSBCommandHandler)
#include "tst_serialusbcommandhandler.moc"
