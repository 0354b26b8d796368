#include "link/serialusbcommandhandler.h"
#include "link/serialusbdevice.h"
#include "panel/scriptexport.h"
#include "panel/settingsfile.h"
#include "panel/storerestore.h"
#include "sim/virtualmoduleserver.h"
#include "tests/support/messagecapture.h"
#include "tests/support/wire.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

// The File-menu operations without their dialogs, against a virtual module.
class TestFileOperations : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void storeEveryParameter();
    void restoreReadsEachBack();
    void storeWithoutLink();
    void moduleStopsAnswering();
    void cancelEndsAfterStep();
    void exportIniFresh();
    void exportIniKeepsOtherKeys();
    void exportIniUnwritable();
    void importOneKeyFile();
    void importUnreadable_data();
    void importUnreadable();
    void importNonInteger();
    void importWithoutLink();
    void scriptByteForByte();
    void scriptWithoutLink();
    void scriptUnwritable();

private:
    void connectModule();
    QStringList frames(int command = -1) const;
    QString data(const char* name) { return QFINDTESTDATA(QString("data/") + name); }

    std::unique_ptr<MessageCapture> messages;
    std::unique_ptr<VirtualModuleServer> server;
    std::unique_ptr<SerialUSBCommandHandler> handler;
    std::unique_ptr<QTemporaryDir> dir;
};

void TestFileOperations::init()
{
    messages = std::make_unique<MessageCapture>();
    server = std::make_unique<VirtualModuleServer>();
    server->freezeMotor(true);
    QVERIFY(server->start());
    handler = std::make_unique<SerialUSBCommandHandler>();
    dir = std::make_unique<QTemporaryDir>();
}

void TestFileOperations::cleanup()
{
    handler.reset();
    server.reset();
    messages.reset();
    dir.reset();
}

void TestFileOperations::connectModule()
{
    handler->setDevice(new SerialUSBDevice(QString::fromStdString(server->devicePath())));
    handler->open();
    messages->clear();
}

// "command:type:bank=value" per frame received, optionally of one command only.
QStringList TestFileOperations::frames(int command) const
{
    QStringList result;
    for (const auto& frame : server->receivedFrames()) {
        if (frame[0] != 1)
            result << QString("module address %1").arg(frame[0]); // shows up in any comparison
        if (command < 0 || frame[1] == command)
            result << QString("%1:%2:%3=%4")
                          .arg(frame[1])
                          .arg(frame[2])
                          .arg(frame[3])
                          .arg(zeva::valueOf(frame.data()));
    }
    return result;
}

void TestFileOperations::storeEveryParameter()
{
    connectModule();
    server->module().setParameter(0, 200, -77);
    QCOMPARE(StoreRestore::store(*handler), 256);
    QStringList expected;
    for (int n = 0; n < 256; ++n)
        expected << QString("7:%1:0=0").arg(n);
    QCOMPARE(frames(), expected);
    QCOMPARE(server->module().storedParameter(0, 200), -77);
    const QStringList lines =
        messages->lines(QtDebugMsg).filter(QRegularExpression("^\"\\d+\" :  "));
    QCOMPARE(lines.size(), 256);
    QCOMPARE(lines.at(200), QString("\"200\" :  \"100\" "));
    QCOMPARE(messages->lines().first(), QString("store actual values on module "));
}

void TestFileOperations::restoreReadsEachBack()
{
    connectModule();
    int readBacks = 0;
    connect(handler.get(), &SerialUSBCommandHandler::requestedValue, this, [&] { ++readBacks; });
    QCOMPARE(StoreRestore::restore(*handler), 256);
    const QStringList all = frames();
    QCOMPARE(all.size(), 512);
    for (int n = 0; n < 256; ++n) {
        QCOMPARE(all[2 * n], QString("8:%1:0=0").arg(n));
        QCOMPARE(all[2 * n + 1], QString("6:%1:0=0").arg(n));
    }
    QCOMPARE(readBacks, 256);
    QCOMPARE(messages->lines().first(), QString("restore values on module "));
}

void TestFileOperations::storeWithoutLink()
{
    QCOMPARE(StoreRestore::store(*handler), 256);
    QStringList expected{"store actual values on module "};
    for (int n = 0; n < 256; ++n)
        expected << QString("could not store parameter  \"%1\" ").arg(n);
    QCOMPARE(messages->lines(), expected);
    QVERIFY(server->receivedFrames().empty());
}

void TestFileOperations::moduleStopsAnswering()
{
    VirtualModuleServer::Faults faults;
    faults.silentAfter = 10; // ten replies: parameters 0 to 4 restored and read back
    server->setFaults(faults);
    connectModule();
    StoreRestore::restore(*handler);
    // The restore of 5 is the first request without a reply; after it nothing is sent.
    QCOMPARE(frames().size(), 11);
    QCOMPARE(frames().last(), QString("8:5:0=0"));
    const QStringList lines = messages->lines();
    QCOMPARE(lines.filter("could not restore parameter ").size(), 256 - 6);
    QCOMPARE(lines.filter("could not restore parameter ").first(),
             QString("could not restore parameter  \"6\" "));
    QVERIFY(!lines.contains("\"5\" :  \"100\" "));
    QCOMPARE(lines.filter("communicationTimeouted!").size(), 1);
}

void TestFileOperations::cancelEndsAfterStep()
{
    connectModule();
    int calls = 0;
    const int run = StoreRestore::store(*handler, [&](int done) {
        ++calls;
        return done < 40;
    });
    QCOMPARE(run, 40);
    QCOMPARE(calls, 40);
    QCOMPARE(frames().size(), 40);
    QCOMPARE(messages->lines().last(), QString("store cancelled after parameter \"39\" "));
}

void TestFileOperations::exportIniFresh()
{
    connectModule();
    server->module().setParameter(0, 4, -1200);
    server->module().setParameter(0, 165, -5);
    const QString path = dir->filePath("fresh.ini");
    QVERIFY(SettingsFile::exportTo(*handler, path));
    QCOMPARE(frames(6).size(), 20);
    QCOMPARE(frames().size(), 20);

    QSettings ini(path, QSettings::IniFormat);
    QCOMPARE(ini.childGroups(), (QStringList{"current_PID_values", "encoder_settings",
                                             "motion_settings", "motor_and_module_settings",
                                             "position_PID_values", "velocity_PID_values"}));
    QCOMPARE(ini.allKeys().size(), 20);
    QCOMPARE(ini.value("motion_settings/MaxRampVelocity").toString(), QString("-1200"));
    QCOMPARE(ini.value("motor_and_module_settings/MotorPoles").toInt(), 8);
    QVERIFY(!ini.contains("commutation_mode/CommutationMode"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY(text.contains("\nEncoderCommutationOffset=-5\n"));
    QVERIFY(!text.contains('\r'));
    QCOMPARE(messages->lines().filter("MotorPoles").value(0), QString("\"MotorPoles\"  =  \"8\" "));
}

void TestFileOperations::exportIniKeepsOtherKeys()
{
    connectModule();
    const QString path = dir->filePath("existing.ini");
    QVERIFY(QFile::copy(data("existing.ini"), path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(SettingsFile::exportTo(*handler, path));
    QSettings ini(path, QSettings::IniFormat);
    QCOMPARE(ini.value("Owner").toString(), QString("test rig 4"));
    QCOMPARE(ini.value("motion_settings/Note").toString(), QString("keep me"));
    QCOMPARE(ini.value("motion_settings/MaxRampVelocity").toInt(), 2000);
    QCOMPARE(ini.allKeys().size(), 22);
}

void TestFileOperations::exportIniUnwritable()
{
    connectModule();
    // A file where the folder would have to be: the settings cannot be written.
    QFile blocker(dir->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = dir->filePath("blocker/settings.ini");
    QVERIFY(!SettingsFile::exportTo(*handler, path));
    QVERIFY(messages->lines(QtWarningMsg)
                .value(0)
                .startsWith("could not write the settings file \"" + path + "\""));
}

void TestFileOperations::importOneKeyFile()
{
    connectModule();
    QVERIFY(SettingsFile::importFrom(*handler, data("one_key.ini")));
    // 3000 for parameter 4 with its read-back; nothing for the 19 keys the file lacks.
    QCOMPARE(frames(), (QStringList{"5:4:0=3000", "6:4:0=0"}));
    QCOMPARE(server->module().parameter(0, 4), 3000);
    QCOMPARE(messages->lines(QtWarningMsg).size(), 19);
    QVERIFY(messages->lines(QtWarningMsg)
                .contains("skipped \"motor_and_module_settings/MotorPoles\" missing in the file "));
    QCOMPARE(messages->lines(QtDebugMsg).filter("MaxRampVelocity").value(0),
             QString("\"MaxRampVelocity\"  =  \"3000\" ( \"100\" ) "));
}

void TestFileOperations::importUnreadable_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("missing") << "nothing-here.ini"
                             << "no such file";
    QTest::newRow("no settings") << "empty.ini"
                                 << "it holds none of the settings";
    QTest::newRow("a directory") << "folder"
                                 << "not a file";
}

void TestFileOperations::importUnreadable()
{
    QFETCH(QString, file);
    QFETCH(QString, reason);
    connectModule();
    QFile empty(dir->filePath("empty.ini"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.write("[other]\nkey=1\n");
    empty.close();
    QDir(dir->path()).mkdir("folder");
    const QString path = dir->filePath(file);
    QVERIFY(!SettingsFile::importFrom(*handler, path));
    QVERIFY(server->receivedFrames().empty());
    QCOMPARE(messages->lines(QtWarningMsg),
             QStringList{"cannot import settings from \"" + path + "\" \"" + reason + "\" "});
}

void TestFileOperations::importNonInteger()
{
    connectModule();
    QVERIFY(SettingsFile::importFrom(*handler, data("non_integer.ini")));
    QCOMPARE(frames(5), (QStringList{"5:253:0=12", "5:234:0=640"}));
    QVERIFY(messages->lines(QtWarningMsg)
                .contains(
                    "skipped \"motor_and_module_settings/MaxCurrent\" not an integer: \"fast\" "));
    QVERIFY(messages->lines(QtWarningMsg)
                .contains("skipped \"velocity_PID_values/I\" not an integer: \"3.5\" "));
    for (const QString& frame : frames())
        QVERIFY(!frame.contains(":159:")); // never the commutation mode
}

void TestFileOperations::importWithoutLink()
{
    QVERIFY(SettingsFile::importFrom(*handler, data("one_key.ini")));
    QCOMPARE(messages->lines().size(), 20);
    QCOMPARE(messages->lines().first(), QString("could not set parameter  \"253\" "));
    QVERIFY(server->receivedFrames().empty());
}

void TestFileOperations::scriptByteForByte()
{
    connectModule();
    server->module().setParameter(0, 4, -1200);
    const QString path = dir->filePath("script.zev");
    QVERIFY(ScriptExport::exportTo(*handler, path));
    QFile written(path), expected(data("expected_script.zev"));
    QVERIFY(written.open(QIODevice::ReadOnly) && expected.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), expected.readAll());
    QCOMPARE(frames(6).size(), 21);
    QCOMPARE(messages->lines().last(), QString("export ready. "));
}

void TestFileOperations::scriptWithoutLink()
{
    const QString path = dir->filePath("script.zev");
    QVERIFY(!ScriptExport::exportTo(*handler, path));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(messages->lines(), QStringList{"could not read parameters: is module open? "});
}

void TestFileOperations::scriptUnwritable()
{
    connectModule();
    const QString path = dir->filePath("missing/script.zev");
    QVERIFY(!ScriptExport::exportTo(*handler, path));
    QVERIFY(!messages->contains("export ready."));
    QVERIFY(messages->lines(QtWarningMsg)
                .value(0)
                .startsWith("could not write the script \"" + path + "\""));
    QVERIFY(server->receivedFrames().empty());
}

QTEST_MAIN(TestFileOperations)
#include "tst_fileoperations.moc"
