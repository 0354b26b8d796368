#include "panel/commandscript.h"

#include <QTest>

class TestCommandScript : public QObject
{
    Q_OBJECT

private slots:
    void accepted();
    void rejected_data();
    void rejected();
};

void TestCommandScript::accepted()
{
    const QByteArray text = "//=== motion settings ===\n"
                            "SAP 4, 0, -1200 \t// max ramp velocity\n"
                            "STAP 4, 0 \n"
                            "\n"
                            "   sap-free line follows\n";
    CommandScript::Problem problem;
    QVERIFY(!CommandScript::parse(text, &problem));
    QCOMPARE(problem.line, 5);
    QCOMPARE(problem.text, QString("sap-free line follows"));

    const auto commands = CommandScript::parse("SAP 4, 0, -1200 \t// x\nSTAP 4, 0 \n  \n", nullptr);
    QVERIFY(commands);
    QCOMPARE(commands->size(), 2);
    QCOMPARE(int(commands->at(0).command), 5);
    QCOMPARE(commands->at(0).value, -1200);
    QCOMPARE(int(commands->at(1).command), 7);
    QCOMPARE(commands->at(1).line, 2);
}

void TestCommandScript::rejected_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("type too large") << QByteArray("SAP 256, 0, 1");
    QTest::newRow("value too large") << QByteArray("SAP 4, 0, 2147483648");
    QTest::newRow("missing value") << QByteArray("SAP 4, 0");
    QTest::newRow("other mnemonic") << QByteArray("GAP 4, 0");
    QTest::newRow("STAP with value") << QByteArray("STAP 4, 0, 5");
}

void TestCommandScript::rejected()
{
    QFETCH(QByteArray, line);
    CommandScript::Problem problem;
    QVERIFY(!CommandScript::parse("STAP 1, 0\n" + line + "\n", &problem));
    QCOMPARE(problem.line, 2);
}

QTEST_GUILESS_MAIN(TestCommandScript)
#include "tst_commandscript.moc"
