#include "link/zevarequest.h"
#include "link/zevausbreply.h"
#include "tests/support/wire.h"

#include <QTest>

class TestZevaFrames : public QObject
{
    Q_OBJECT

private slots:
    void request_data();
    void request();
    void requestByteForm();
    void reply_data();
    void reply();
    void replyTextForms();
};

void TestZevaFrames::request_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("motorBank");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("wire");
    QTest::addColumn<QString>("fields");

    QTest::newRow("get 3") << 6 << 3 << 0 << 0 << "01 06 03 00 00 00 00 00 0A"
                           << "ZEVARequest[1, 6, 3, 0, 0, 10]";
    QTest::newRow("set 4 to 1000") << 5 << 4 << 0 << 1000 << "01 05 04 00 00 00 03 E8 F5"
                                   << "ZEVARequest[1, 5, 4, 0, 232, 245]";
    QTest::newRow("set 4 to -1, checksum wraps")
        << 5 << 4 << 0 << -1 << "01 05 04 00 FF FF FF FF 06"
        << "ZEVARequest[1, 5, 4, 0, 255, 6]";
    QTest::newRow("motor poles 253") << 5 << 253 << 0 << 8 << "01 05 FD 00 00 00 00 08 0B"
                                     << "ZEVARequest[1, 5, 253, 0, 8, 11]";
    QTest::newRow("256 shows low byte 0") << 5 << 4 << 0 << 256 << "01 05 04 00 00 00 01 00 0B"
                                          << "ZEVARequest[1, 5, 4, 0, 0, 11]";
    QTest::newRow("most negative")
        << 5 << 0 << 2 << int(-2147483647 - 1) << "01 05 00 02 80 00 00 00 88"
        << "ZEVARequest[1, 5, 0, 2, 0, 136]";
}

void TestZevaFrames::request()
{
    QFETCH(int, command);
    QFETCH(int, type);
    QFETCH(int, motorBank);
    QFETCH(int, value);
    QFETCH(QString, wire);
    QFETCH(QString, fields);

    // Numbers above 127 travel through the system as negative chars: the 8-bit pattern counts.
    const ZEVARequest request(1, std::uint8_t(char(command)), std::uint8_t(char(type)),
                              std::uint8_t(motorBank), value);
    QCOMPARE(hexOf(request.toWire()), wire);
    QCOMPARE(request.checksum(), request.toWire()[8]);
    QCOMPARE(request.toFieldString(), fields);
}

void TestZevaFrames::requestByteForm()
{
    QCOMPARE(ZEVARequest(1, 6, 3, 0, 0).toByteString(),
             QStringLiteral("ZEVARequest[0x001, 0x006, 0x003, 0x000, 0x000, 0x000, 0x000, "
                            "0x000, 0x010]"));
    // Value bytes in memory order (least significant first), decimal digits after "0x".
    QCOMPARE(ZEVARequest(1, 5, 255, 0, 1000).toByteString(),
             QStringLiteral("ZEVARequest[0x001, 0x005, 0x255, 0x000, 0x232, 0x003, 0x000, "
                            "0x000, 0x240]"));
}

void TestZevaFrames::reply_data()
{
    QTest::addColumn<QString>("wire");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("checksumValid");

    QTest::newRow("value 42") << "02 01 00 06 00 00 00 2A 33" << true << 0 << 6 << 42 << true;
    QTest::newRow("value -2") << "02 01 64 06 FF FF FF FE 68" << true << 100 << 6 << -2 << true;
    QTest::newRow("first byte 0x7F accepted")
        << "7F 01 64 06 00 00 00 01 EB" << true << 100 << 6 << 1 << true;
    QTest::newRow("first byte 0x80 rejected")
        << "80 01 64 06 00 00 00 01 EC" << false << 0 << 0 << 0 << false;
    QTest::newRow("wrong checksum still parsed")
        << "02 01 00 06 00 00 00 2A 34" << true << 0 << 6 << 42 << false;
}

void TestZevaFrames::reply()
{
    QFETCH(QString, wire);
    QFETCH(bool, accepted);

    const zeva::Frame frame = frameOf(wire);
    const auto reply = ZEVAUSBReply::fromWire(frame.data());
    QCOMPARE(reply.has_value(), accepted);
    if (!accepted)
        return;
    QFETCH(int, status);
    QFETCH(int, command);
    QFETCH(int, value);
    QFETCH(bool, checksumValid);
    QCOMPARE(int(reply->status()), status);
    QCOMPARE(int(reply->command()), command);
    QCOMPARE(reply->value(), value);
    QCOMPARE(reply->checksum(), frame[8]);
    QCOMPARE(reply->checksumValid(), checksumValid);
}

void TestZevaFrames::replyTextForms()
{
    const zeva::Frame frame = frameOf("02 01 64 06 00 00 01 2C 9A");
    const auto reply = ZEVAUSBReply::fromWire(frame.data());
    QVERIFY(reply);
    QCOMPARE(reply->value(), 300);
    QCOMPARE(reply->toByteString(),
             QStringLiteral("ZEVAUSBReply[0x002, 0x001, 0x100, 0x006, 0x044, 0x001, 0x000, "
                            "0x000, 0x154]"));
    QCOMPARE(reply->toFieldString(), QStringLiteral("ZEVAUSBReply[2, 1, 100, 6, 44, 154]"));
}

QTEST_GUILESS_MAIN(TestZevaFrames)
#include "tst_zevaframes.moc"
