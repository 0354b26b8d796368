#include "sim/virtualmodule.h"
#include "tests/support/wire.h"

#include <QTest>

class TestVirtualModule : public QObject
{
    Q_OBJECT

private slots:
    void replies_data();
    void replies();
    void storeAndRestore();
    void banksAreSeparate();
};

void TestVirtualModule::replies_data()
{
    QTest::addColumn<QString>("request");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("value");

    const auto request = [](int command, int type, int bank, int value) {
        return hexOf(zeva::assemble(1, std::uint8_t(command), std::uint8_t(type),
                                    std::uint8_t(bank), value));
    };
    QTest::newRow("read motor poles") << request(6, 253, 0, 0) << 100 << 8;
    QTest::newRow("read status flags") << request(6, 156, 0, 0) << 100 << (1 << 15);
    QTest::newRow("write max velocity") << request(5, 4, 0, 3000) << 100 << 3000;
    QTest::newRow("ramp enable clamped to 1") << request(5, 146, 0, 5) << 100 << 1;
    QTest::newRow("acceleration clamped to 1") << request(5, 11, 0, 0) << 100 << 1;
    QTest::newRow("gain clamped") << request(5, 172, 0, 600000) << 100 << 500000;
    QTest::newRow("target velocity negative") << request(5, 2, 0, -1500) << 100 << -1500;
    QTest::newRow("unused parameter holds value") << request(5, 77, 0, -9) << 100 << -9;
    QTest::newRow("move absolute") << request(4, 0, 0, 51200) << 100 << 51200;
    QTest::newRow("move relative") << request(4, 1, 0, -100) << 100 << -100;
    QTest::newRow("move bad type") << request(4, 2, 0, 1) << 3 << 0;
    QTest::newRow("unknown command") << request(1, 2, 0, 500) << 2 << 0;
    QTest::newRow("wrong checksum") << QString("01 06 03 00 00 00 00 00 0B") << 1 << 0;
}

void TestVirtualModule::replies()
{
    QFETCH(QString, request);
    QFETCH(int, status);
    QFETCH(int, value);

    VirtualModule module;
    const zeva::Frame in = frameOf(request);
    const zeva::Frame out = module.handle(in);
    QCOMPARE(int(out[0]), 2);
    QCOMPARE(int(out[1]), 1);
    QCOMPARE(int(out[2]), status);
    QCOMPARE(out[3], in[1]);
    QCOMPARE(zeva::valueOf(out.data()), value);
    QCOMPARE(out[8], zeva::checksum(out.data()));
}

void TestVirtualModule::storeAndRestore()
{
    VirtualModule module;
    module.handle(zeva::assemble(1, 5, 4, 0, 2500));
    QCOMPARE(zeva::valueOf(module.handle(zeva::assemble(1, 7, 4, 0, 0)).data()), 2500);
    QCOMPARE(module.storedParameter(0, 4), 2500);
    module.handle(zeva::assemble(1, 5, 4, 0, 100));
    const zeva::Frame restored = module.handle(zeva::assemble(1, 8, 4, 0, 0));
    QCOMPARE(zeva::valueOf(restored.data()), 2500);
    QCOMPARE(module.parameter(0, 4), 2500);
}

void TestVirtualModule::banksAreSeparate()
{
    VirtualModule module;
    module.handle(zeva::assemble(1, 5, 6, 1, 700));
    QCOMPARE(module.parameter(1, 6), 700);
    QCOMPARE(module.parameter(0, 6), VirtualModule::defaultValue(6));
}

QTEST_GUILESS_MAIN(TestVirtualModule)
#include "tst_virtualmodule.moc"
