#include "sim/virtualmoduleserver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// vure-cli run as a script runs it, against virtual modules served from this process.
class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void getAndSet_data();
    void getAndSet();
    void send();
    void iniRoundTrip();
    void scriptOntoSecondModule();
    void malformedScriptSendsNothing();
    void dryRunPrintsFrames();
    void traceCsv();
    void silentModule();
    void usageErrors_data();
    void usageErrors();

private:
    struct Result
    {
        int code;
        QString out;
        QString err;
    };
    Result cli(const QStringList& arguments, VirtualModuleServer* module = nullptr);
    static QString port(VirtualModuleServer& module)
    {
        return QString::fromStdString(module.devicePath());
    }

    std::unique_ptr<VirtualModuleServer> first;
    std::unique_ptr<VirtualModuleServer> second;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestCli::init()
{
    first = std::make_unique<VirtualModuleServer>();
    second = std::make_unique<VirtualModuleServer>();
    first->freezeMotor(true);
    second->freezeMotor(true);
    QVERIFY(first->start() && second->start());
    dir = std::make_unique<QTemporaryDir>();
}

void TestCli::cleanup()
{
    first.reset();
    second.reset();
    dir.reset();
}

TestCli::Result TestCli::cli(const QStringList& arguments, VirtualModuleServer* module)
{
    QProcess process;
    const QStringList portArguments = module ? QStringList{"--port", port(*module)} : QStringList{};
    process.start(qEnvironmentVariable("VURE_CLI"), portArguments + arguments);
    if (!process.waitForFinished(30000))
        return {-1, {}, QStringLiteral("did not finish")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void TestCli::getAndSet_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    QTest::newRow("get by number") << QStringList{"get", "253"} << "253 8\n";
    QTest::newRow("get by name") << QStringList{"get", "MaxRampVelocity", "11"}
                                 << "MaxRampVelocity 2000\n11 1000\n";
    QTest::newRow("set by name") << QStringList{"set", "EncoderSteps", "2048"}
                                 << "EncoderSteps 2048\n";
    QTest::newRow("set answered with the module's value")
        << QStringList{"set", "146", "5"} << "146 1\n";
    QTest::newRow("other bank") << QStringList{"--bank", "2", "set", "6", "1500"} << "6 1500\n";
}

void TestCli::getAndSet()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    const Result result = cli(arguments, first.get());
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, 0);
    QCOMPARE(result.out, output);
    QCOMPARE(first->module().parameter(2, 6), arguments.contains("--bank") ? 1500 : 2000);
}

void TestCli::send()
{
    const Result result = cli({"send", "6", "250", "0", "0"}, first.get());
    QCOMPARE(result.code, 0);
    QCOMPARE(result.out, QString("command 6 status 100 value 4000\n"));
    const Result unknown = cli({"send", "1", "2", "0", "500"}, first.get());
    QCOMPARE(unknown.out, QString("command 1 status 2 value 0\n"));
    // Diagnostic lines only on request, and then on standard error.
    const Result verbose = cli({"--verbose", "get", "4"}, first.get());
    QCOMPARE(verbose.out, QString("4 2000\n"));
    QVERIFY(verbose.err.contains("ZEVARequest[1, 6, 4, 0, 0, 11]"));
}

void TestCli::iniRoundTrip()
{
    first->module().setParameter(0, 253, 12);
    first->module().setParameter(0, 177, -40);
    first->module().setParameter(0, 235, 321);
    const QString ini = dir->filePath("settings.ini");
    QCOMPARE(cli({"export-ini", ini}, first.get()).code, 0);
    QCOMPARE(cli({"import-ini", ini}, second.get()).code, 0);
    for (int type : {253, 6,  177, 240, 239, 250, 251, 249, 165, 254,
                     4,   11, 146, 7,   10,  172, 173, 234, 235, 230})
        QCOMPARE(second->module().parameter(0, type), first->module().parameter(0, type));
    QCOMPARE(second->module().parameter(0, 177), -40);
}

void TestCli::scriptOntoSecondModule()
{
    const QList<QPair<int, int>> distinct{{253, 14},  {6, 3300}, {177, 700}, {4, 4500},
                                          {11, 2500}, {146, 0},  {159, 7},   {230, 90},
                                          {234, 610}, {254, 1},  {10, 9}};
    for (const auto& [type, value] : distinct)
        first->module().setParameter(0, type, value);
    const QString script = dir->filePath("module.zev");
    QCOMPARE(cli({"export-script", script}, first.get()).code, 0);
    const Result result = cli({"run-script", script}, second.get());
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, 0);
    for (int type : {253, 6,   177, 240, 239, 250, 251, 249, 165, 254, 4,
                     11,  146, 7,   10,  172, 173, 234, 235, 230, 159}) {
        QCOMPARE(second->module().parameter(0, type), first->module().parameter(0, type));
        QCOMPARE(second->module().storedParameter(0, type), first->module().parameter(0, type));
    }
    QCOMPARE(second->receivedFrames().size(), std::size_t(42));
}

void TestCli::malformedScriptSendsNothing()
{
    const QString script = dir->filePath("bad.zev");
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("//=== motor/module settings ===\nSAP 253, 0, 8 \t// motor poles\nSTAP 253, 0 \n"
               "\nSAP 300, 0, 1\n");
    file.close();
    const Result result = cli({"run-script", script}, first.get());
    QCOMPARE(result.code, 2);
    QCOMPARE(result.err,
             QString("vure-cli: %1:5: not a SAP or STAP command: SAP 300, 0, 1\n").arg(script));
    QVERIFY(first->receivedFrames().empty());
}

void TestCli::dryRunPrintsFrames()
{
    const QString script = dir->filePath("small.zev");
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("SAP 4, 0, 1000 \t// max ramp velocity\nSTAP 4, 0 \n");
    file.close();
    const Result result = cli({"run-script", script, "--dry-run"}, first.get());
    QCOMPARE(result.code, 0);
    QCOMPARE(result.out, QString("01 05 04 00 00 00 03 E8 F5\n01 07 04 00 00 00 00 00 0C\n"));
    QVERIFY(first->receivedFrames().empty());
}

void TestCli::traceCsv()
{
    const QString csv = dir->filePath("trace.csv");
    const Result result =
        cli({"trace", "--types", "3,MotorPoles,156", "--delay", "20", "--count", "4", "--csv", csv},
            first.get());
    QCOMPARE(result.code, 0);
    QFile file(csv);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines[0], QString("ms,ActualVelocity,MotorPoles,StatusFlags"));
    QVERIFY(lines[1].startsWith("0,") || lines[1].startsWith("1,"));
    QCOMPARE(lines[4].section(',', 1), QString("0,8,33280"));
    QVERIFY(lines[4].section(',', 0, 0).toInt() >= 60);
    QCOMPARE(first->receivedFrames().size(), std::size_t(12));
}

void TestCli::silentModule()
{
    VirtualModuleServer::Faults silent;
    silent.silent = true;
    first->setFaults(silent);
    QElapsedTimer timer;
    timer.start();
    const Result result = cli({"get", "4"}, first.get());
    QCOMPARE(result.code, 1);
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(result.err, QString("vure-cli: no answer reading 4\n"));
    QCOMPARE(result.out, QString());
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList{} << "no command given";
    QTest::newRow("unknown command") << QStringList{"fly"} << "unknown command: fly";
    QTest::newRow("unknown parameter name")
        << QStringList{"get", "Speed"} << "not a parameter: Speed";
    QTest::newRow("parameter out of range") << QStringList{"get", "256"} << "not a parameter: 256";
    QTest::newRow("set without value") << QStringList{"set", "4"} << "set needs TYPE VALUE";
    QTest::newRow("value not an integer")
        << QStringList{"set", "4", "fast"} << "not a 32-bit integer: fast";
    QTest::newRow("option of another command")
        << QStringList{"get", "4", "--dry-run"} << "--dry-run belongs to run-script";
    QTest::newRow("bad option") << QStringList{"--bogus", "get", "4"} << "Unknown option 'bogus'";
    QTest::newRow("missing script")
        << QStringList{"run-script", "/nonexistent/x.zev"} << "cannot read /nonexistent/x.zev";
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const Result result = cli(arguments, first.get());
    QCOMPARE(result.code, 2);
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
    QCOMPARE(result.err.count('\n'), 1);
    QVERIFY(first->receivedFrames().empty());
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
