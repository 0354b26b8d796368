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
    void velocityRampReachesTarget();
    void positioningMoveEnds();
    void torqueModeAndClear();
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
    QTest::newRow("read status flags") << request(6, 156, 0, 0) << 100 << ((1 << 15) | (1 << 9));
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

// Requests at given times on the module's clock; the motor moves in between.
struct Timeline
{
    VirtualModule module;
    std::int32_t read(int type, double at)
    {
        return zeva::valueOf(
            module.handle(zeva::assemble(1, 6, std::uint8_t(type), 0, 0), at).data());
    }
    void write(int type, std::int32_t value, double at)
    {
        module.handle(zeva::assemble(1, 5, std::uint8_t(type), 0, value), at);
    }
    void move(int type, std::int32_t value, double at)
    {
        module.handle(zeva::assemble(1, 4, std::uint8_t(type), 0, value), at);
    }
};

void TestVirtualModule::velocityRampReachesTarget()
{
    Timeline t; // acceleration 1000 rpm/s, maximum 2000 rpm, ramp on
    t.write(2, 1500, 0.0);
    QCOMPARE(t.read(13, 0.5), 500); // the ramp's target climbs at the acceleration
    const int halfway = t.read(3, 0.5);
    QVERIFY2(halfway > 450 && halfway < 500, qPrintable(QString::number(halfway)));
    QCOMPARE(t.read(13, 2.0), 1500);
    QVERIFY(qAbs(t.read(3, 2.5) - 1500) <= 1);
    QVERIFY(t.read(1, 2.5) > 0);
    QCOMPARE(t.read(156, 2.5), (1 << 15) | (1 << 9));
    // Above the maximum velocity the ramp stops at the maximum.
    t.write(2, 5000, 3.0);
    QCOMPARE(t.read(13, 10.0), 2000);
    // Without the ramp the target is taken at once.
    t.write(146, 0, 10.0);
    t.write(2, -300, 10.0);
    QCOMPARE(t.read(13, 10.001), -300);
}

void TestVirtualModule::positioningMoveEnds()
{
    Timeline t;
    t.move(0, 8000, 0.0); // two turns of a 4000-step encoder
    QCOMPARE(t.read(0, 0.0), 8000);
    QCOMPARE(t.read(156, 0.1) & (1 << 14), 0);
    QCOMPARE(t.read(156, 0.1) & (1 << 10), 1 << 10);
    const int moving = t.read(1, 0.5);
    QVERIFY(moving > 0 && moving < 8000);
    QCOMPARE(t.read(1, 6.0), 8000);
    QCOMPARE(t.read(3, 6.0), 0);
    QCOMPARE(t.read(156, 6.0), (1 << 15) | (1 << 10) | (1 << 14));
    t.move(1, -2000, 6.0); // relative
    QCOMPARE(t.read(0, 6.0), 6000);
    QCOMPARE(t.read(1, 12.0), 6000);
}

void TestVirtualModule::torqueModeAndClear()
{
    Timeline t;
    t.write(155, 500, 0.0);
    QVERIFY(qAbs(t.read(150, 0.1) - 500) <= 1);
    QVERIFY(t.read(3, 1.0) > 0);
    QCOMPARE(t.read(156, 1.0), (1 << 15) | (1 << 11));
    t.write(155, 0, 1.0);
    t.write(1, 0, 1.0); // "Clear"
    QCOMPARE(t.read(1, 1.0), 0);
}

QTEST_GUILESS_MAIN(TestVirtualModule)
#include "tst_virtualmodule.moc"
